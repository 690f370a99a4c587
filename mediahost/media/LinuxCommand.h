#pragma once
// Shell tools run as child processes from the main thread.

#include <QString>

// Starts `command` (program and arguments separated by spaces), waits at most
// timeoutMs for it to finish and returns its standard output up to the first
// zero byte. A tool that does not finish in time is killed; what it printed so
// far is returned. A tool that cannot start gives an empty text.
QString executeLinuxCmd(const QString& command, int timeoutMs = 30000);
