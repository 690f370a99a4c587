#include "mediahost/sim/PanelSimulator.h"

#include "mediahost/serial/Protocol.h"

using namespace Uart;

PanelSimulator::PanelSimulator(std::unique_ptr<SimChannel> channel, QObject* parent)
    : SimDevice(std::move(channel), parent)
{
}

QByteArray PanelSimulator::frameBytes(quint8 head, quint8 group, quint8 command, quint8 sub, const QByteArray& data)
{
    return FrameCodec::build(makeFrame(head, group, command, sub, data));
}

void PanelSimulator::sendRead(quint8 group, quint8 command, quint8 sub, const QByteArray& data)
{
    sendFrame(HeadRequest, group, command, sub, data);
}

void PanelSimulator::sendWrite(quint8 group, quint8 command, quint8 sub, const QByteArray& data)
{
    sendFrame(HeadWrite, group, command, sub, data);
}

void PanelSimulator::handle(const Frame& frame)
{
    const bool upgradeStep = frame.group == GroupSystem && frame.command >= CmdUpgradeApply
        && frame.command <= CmdUpgradeEnd && frame.head == HeadAnswer;
    if (!upgradeStep)
        return;
    ++upgradeSteps_;
    if (answerUpgrade_)
        sendWrite(GroupSystem, quint8(frame.command + UpgradeAnswerOffset), 0, QByteArray(1, '\0'));
}
