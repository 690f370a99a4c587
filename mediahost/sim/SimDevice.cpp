#include "mediahost/sim/SimDevice.h"

SimDevice::SimDevice(std::unique_ptr<SimChannel> channel, QObject* parent)
    : QObject(parent), channel_(std::move(channel))
{
    connect(channel_.get(), &SimChannel::received, this, &SimDevice::onBytes);
}

Frame SimDevice::makeFrame(quint8 head, quint8 group, quint8 command, quint8 sub, const QByteArray& data)
{
    Frame f;
    f.head = head;
    f.group = group;
    f.command = command;
    f.sub = sub;
    f.data = data;
    return f;
}

void SimDevice::onBytes(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (assembler_.feed(quint8(c)) != FrameCodec::Assembler::Result::Accepted)
            continue;
        const Frame frame = assembler_.frame();
        received_.append(frame);
        emit frameReceived(frame);
        handle(frame);
    }
}
