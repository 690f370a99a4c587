#include "mediahost/media/StorageScan.h"

namespace {

QString unquotedValue(const QString& token)
{
    QString value = token.mid(token.lastIndexOf(QLatin1Char('=')) + 1);
    if (value.startsWith(QLatin1Char('"')))
        value.remove(0, 1);
    if (value.endsWith(QLatin1Char('"')))
        value.chop(1);
    return value;
}

} // namespace

QStringList usbLsblkLines(const QString& lsblkOutput)
{
    QStringList kept;
    for (const QString& line : lsblkOutput.split(QLatin1Char('\n')))
        if (line.contains(QLatin1String("sd")))
            kept << line;
    return kept;
}

LsblkLine parseLsblkLine(const QString& line)
{
    LsblkLine result;
    Deviceinformation& d = result.device;
    for (const QString& token : line.split(QLatin1Char(' '))) {
        if (token.startsWith(QLatin1String("NAME"))) {
            d.name = unquotedValue(token);
        } else if (token.startsWith(QLatin1String("FSTYPE"))) {
            d.fsType = unquotedValue(token);
        } else if (token.startsWith(QLatin1String("UUID"))) {
            d.uuid = unquotedValue(token);
        } else if (token.startsWith(QLatin1String("MOUNTPOINT"))) {
            d.mountPoint = unquotedValue(token);
            if (!d.fsType.isEmpty() && !d.uuid.isEmpty() && d.mountPoint.isEmpty())
                result.awaitingMount = true;
        }
    }
    return result;
}

QString labelFromMountOutput(const QString& mountOutput, const QString& mountPoint)
{
    int number = 0;
    for (const QString& line : mountOutput.split(QLatin1Char('\n'))) {
        if (!line.contains(QLatin1String("/dev/sd")))
            continue;
        ++number;
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields.size() < 3 || fields.at(2) != mountPoint)
            continue;
        const int open = line.indexOf(QLatin1Char('['));
        if (open < 0)
            return QStringLiteral("移动磁盘") + QString::number(number);
        const int close = line.indexOf(QLatin1Char(']'));
        return line.mid(open + 1, close > open ? close - open - 1 : -1);
    }
    return QStringLiteral("null");
}
