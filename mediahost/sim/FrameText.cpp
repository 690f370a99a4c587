#include "mediahost/sim/FrameText.h"

QString frameText(const Frame& f)
{
    constexpr int shownBytes = 24;
    QString text = QStringLiteral("head %1 group %2 cmd %3 sub %4 n %5")
                       .arg(f.head, 2, 16, QLatin1Char('0'))
                       .arg(f.group)
                       .arg(f.command, 2, 16, QLatin1Char('0'))
                       .arg(f.sub, 2, 16, QLatin1Char('0'))
                       .arg(f.data.size());
    if (!f.data.isEmpty()) {
        text += QStringLiteral(" data ") + QString::fromLatin1(f.data.left(shownBytes).toHex(' '));
        if (f.data.size() > shownBytes)
            text += QStringLiteral(" ...");
    }
    return text;
}
