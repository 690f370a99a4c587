#pragma once
// The debug log: every qDebug/qWarning line goes to standard error with a
// timestamp ("2026-12-11 08:00:00.123 text").

void installDebugLog();
