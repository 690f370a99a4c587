#include "mediahost/sim/SimChannel.h"

#include "mediahost/serial/UartPort.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

std::unique_ptr<SimChannel> SimChannel::openPty(QString* error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    // Raw from the start, so nothing is echoed or translated before the
    // other side opens and configures its end.
    termios tio{};
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave, TCSANOW, &tio);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    return std::make_unique<PtyChannel>(master, slave, QString::fromLocal8Bit(name));
}

std::unique_ptr<SimChannel> SimChannel::openDevice(const QString& name, QString* error)
{
    auto channel = std::make_unique<DeviceChannel>(name);
    if (!channel->open(error))
        return nullptr;
    return channel;
}

// ---- pseudo-terminal ---------------------------------------------------------

PtyChannel::PtyChannel(int master, int slave, const QString& path)
    : master_(master), slave_(slave), path_(path),
      readNotifier_(new QSocketNotifier(master, QSocketNotifier::Read, this)),
      writeNotifier_(new QSocketNotifier(master, QSocketNotifier::Write, this))
{
    writeNotifier_->setEnabled(false);
    connect(readNotifier_, &QSocketNotifier::activated, this, &PtyChannel::readMaster);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &PtyChannel::flush);
}

PtyChannel::~PtyChannel()
{
    readNotifier_->setEnabled(false);
    writeNotifier_->setEnabled(false);
    ::close(master_);
    ::close(slave_);
}

void PtyChannel::readMaster()
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}

void PtyChannel::send(const QByteArray& bytes)
{
    pending_.append(bytes);
    flush();
}

void PtyChannel::flush()
{
    while (!pending_.isEmpty()) {
        const ssize_t n = ::write(master_, pending_.constData(), size_t(pending_.size()));
        if (n > 0) {
            pending_.remove(0, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full: wait until the terminal can take more
    }
    writeNotifier_->setEnabled(!pending_.isEmpty());
}

// ---- serial device --------------------------------------------------------------

DeviceChannel::DeviceChannel(const QString& name)
{
    port_.setPortName(name);
    applyUartSettings(port_);
    connect(&port_, &QSerialPort::readyRead, this, [this] { emit received(port_.readAll()); });
}

bool DeviceChannel::open(QString* error)
{
    if (port_.open(QIODevice::ReadWrite))
        return true;
    *error = QStringLiteral("%1: %2").arg(port_.portName(), port_.errorString());
    return false;
}

void DeviceChannel::send(const QByteArray& bytes) { port_.write(bytes); }
