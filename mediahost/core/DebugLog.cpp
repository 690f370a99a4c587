#include "mediahost/core/DebugLog.h"

#include <QDateTime>
#include <QtGlobal>

#include <cstdio>

namespace {

void writeLine(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    const QByteArray stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")).toUtf8();
    const char* level = type == QtDebugMsg || type == QtInfoMsg ? "" : "warning: ";
    std::fprintf(stderr, "%s %s%s\n", stamp.constData(), level, message.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace

void installDebugLog() { qInstallMessageHandler(writeLine); }
