#pragma once
// Line commands on standard input for the simulator programs.

#include <QObject>
#include <QStringList>

#include "mediahost/sim/SimChannel.h"

#include <memory>

class QSocketNotifier;

class SimConsole : public QObject {
    Q_OBJECT
public:
    explicit SimConsole(QObject* parent = nullptr);

signals:
    // One command line split into words; empty lines are skipped.
    void command(QStringList words);
    void closed();

private:
    void readInput();

    QSocketNotifier* notifier_;
    QByteArray buffer_;
};

// Prints a line to standard output at once.
void simPrint(const QString& line);
// A number written as decimal or 0x-hex; false when it is neither or above `max`.
bool simNumber(const QString& word, uint max, uint* value);
// The program's channel: the given device or a new pseudo-terminal; prints
// why when neither can be opened.
std::unique_ptr<SimChannel> openProgramChannel(const QString& device);
