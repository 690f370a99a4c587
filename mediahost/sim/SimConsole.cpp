#include "mediahost/sim/SimConsole.h"

#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

SimConsole::SimConsole(QObject* parent)
    : QObject(parent), notifier_(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this))
{
    connect(notifier_, &QSocketNotifier::activated, this, &SimConsole::readInput);
}

void SimConsole::readInput()
{
    char chunk[1024];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
        notifier_->setEnabled(false);
        emit closed();
        return;
    }
    buffer_.append(chunk, int(n));
    int end;
    while ((end = buffer_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(buffer_.left(end)).trimmed();
        buffer_.remove(0, end + 1);
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!words.isEmpty())
            emit command(words);
    }
}

void simPrint(const QString& line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

bool simNumber(const QString& word, uint max, uint* value)
{
    bool ok = false;
    const uint v = word.toUInt(&ok, 0);
    if (!ok || v > max)
        return false;
    *value = v;
    return true;
}

std::unique_ptr<SimChannel> openProgramChannel(const QString& device)
{
    QString error;
    std::unique_ptr<SimChannel> channel = SimChannel::open(device, &error);
    if (!channel)
        simPrint(error);
    return channel;
}
