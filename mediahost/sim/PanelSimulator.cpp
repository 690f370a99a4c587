#include "mediahost/sim/PanelSimulator.h"

#include "mediahost/serial/Protocol.h"

using namespace Uart;

PanelSimulator::PanelSimulator(std::unique_ptr<SimChannel> channel, QObject* parent)
    : QObject(parent), channel_(std::move(channel))
{
    connect(channel_.get(), &SimChannel::received, this, &PanelSimulator::onBytes);
}

QByteArray PanelSimulator::frameBytes(quint8 head, quint8 group, quint8 command, quint8 sub, const QByteArray& data)
{
    Frame f;
    f.head = head;
    f.group = group;
    f.command = command;
    f.sub = sub;
    f.data = data;
    return FrameCodec::build(f);
}

void PanelSimulator::sendRead(quint8 group, quint8 command, quint8 sub, const QByteArray& data)
{
    channel_->send(frameBytes(HeadRequest, group, command, sub, data));
}

void PanelSimulator::sendWrite(quint8 group, quint8 command, quint8 sub, const QByteArray& data)
{
    channel_->send(frameBytes(HeadWrite, group, command, sub, data));
}

void PanelSimulator::onBytes(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (assembler_.feed(quint8(c)) != FrameCodec::Assembler::Result::Accepted)
            continue;
        const Frame frame = assembler_.frame();
        received_.append(frame);
        emit frameReceived(frame);
        const bool upgradeStep = frame.group == GroupSystem && frame.command >= CmdUpgradeApply
            && frame.command <= CmdUpgradeEnd && frame.head == HeadAnswer;
        if (upgradeStep) {
            ++upgradeSteps_;
            if (answerUpgrade_)
                sendWrite(GroupSystem, quint8(frame.command + UpgradeAnswerOffset), 0, QByteArray(1, '\0'));
        }
    }
}
