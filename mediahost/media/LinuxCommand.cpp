#include "mediahost/media/LinuxCommand.h"

#include <QDebug>
#include <QProcess>

QString executeLinuxCmd(const QString& command, int timeoutMs)
{
    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty())
        return {};
    const QString program = arguments.takeFirst();
    QProcess process;
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(timeoutMs)) {
        qDebug() << "cannot start" << command << process.errorString();
        return {};
    }
    if (!process.waitForFinished(timeoutMs)) {
        qDebug() << command << "did not finish in" << timeoutMs << "ms";
        process.kill();
        process.waitForFinished(1000);
    }
    QByteArray out = process.readAllStandardOutput();
    const int zero = out.indexOf('\0');
    if (zero >= 0)
        out.truncate(zero);
    return QString::fromLocal8Bit(out);
}
