#include "mediahost/sim/DspSimulator.h"

#include "mediahost/serial/Protocol.h"

namespace {

using namespace Uart;

constexpr int SystemPart2Offset = 24;
constexpr int SystemPart1Size = 24;

QByteArray bytesOf(const quint8* data, int size) { return QByteArray(reinterpret_cast<const char*>(data), size); }

} // namespace

DspSimulator::DspSimulator(std::unique_ptr<SimChannel> channel, QObject* parent)
    : SimDevice(std::move(channel), parent)
{
    system.setSource(System::PlayerSource);
    system.setVolume(30);
    system.setSoundOn(1);
    setChannelCount(3);
}

void DspSimulator::setChannelCount(int count)
{
    sundry.bytes[0] = quint8(count);
    outputs.resize(count);
    for (int k = 0; k < count; ++k)
        for (int i = 0; i < output::Size; ++i)
            outputs[k].bytes[std::size_t(i)] = quint8(k * 16 + i);
}

void DspSimulator::setResumePoint(quint8 minute, const QString& deviceId, const QString& path)
{
    resumeRecord = PlayFileinfo{};
    resumeRecord.minute = minute;
    resumeRecord.setDeviceId(deviceId);
    resumeRecord.setPath(path);
}

void DspSimulator::queueOperation(quint8 code, quint8 argument) { operations_.append({code, argument}); }

void DspSimulator::answerWithNoise(quint8 group, quint8 command, int count)
{
    noise_.append(Noise{group, command, count});
}

void DspSimulator::startPanelUpgrade(int dataSteps)
{
    upgradeStepsLeft_ = dataSteps;
    upgradeStep_ = 0;
    upgradeFinished_ = false;
    upgradeAnswers.clear();
    answer(HeadAnswer, GroupSystem, CmdUpgradeApply, QByteArray(1, '\0'));
}

void DspSimulator::handle(const Frame& frame)
{
    if (!answering_)
        return;
    if (takeNoise(frame)) {
        sendRaw(QByteArray(1, '\x00'));
        return;
    }
    if (frame.head == HeadRequest)
        handleRequest(frame);
    else if (frame.head == HeadWrite)
        handleWrite(frame);
}

bool DspSimulator::takeNoise(const Frame& frame)
{
    for (Noise& n : noise_) {
        if (n.group == frame.group && n.command == frame.command && n.count > 0) {
            --n.count;
            return true;
        }
    }
    return false;
}

void DspSimulator::handleRequest(const Frame& f)
{
    const quint8 g = f.group;
    const quint8 c = f.command;
    if (g == GroupMedia && c == CmdResumeRecord)
        return answer(HeadAnswer, g, c, Payloads::resumeAnswerData(resumeRecord));
    if (g == GroupMedia && c == CmdBrowserPage) {
        // A browser page the host pushes for the DSP's display.
        lastBrowserPage = Payloads::parseBrowserPage(f.data, Payloads::NameLength::OneByte);
        return answer(HeadAcknowledge, g, c, QByteArray());
    }
    if (g == GroupOutput) {
        const QByteArray block = c < outputs.size() ? bytesOf(outputs[c].bytes.data(), output::Size)
                                                    : QByteArray(output::Size, '\0');
        return answer(HeadAnswer, g, c, block);
    }
    if (g != GroupSystem)
        return answer(HeadAcknowledge, g, c, QByteArray());
    switch (c) {
    case CmdSystem:
        return answer(HeadAnswer, g, c, bytesOf(system.bytes.data(), SystemPart1Size));
    case CmdSystemPart2:
        return answer(HeadAnswer, g, c,
                         bytesOf(system.bytes.data() + SystemPart2Offset, System::Size - SystemPart2Offset));
    case CmdSundry:
        return answer(HeadAnswer, g, c, bytesOf(sundry.bytes.data(), McuSundry::Size));
    case CmdHeartbeat: {
        lastHeartbeat = Payloads::parseHeartbeatData(f.data);
        Payloads::HeartbeatAnswer a;
        a.source = system.source();
        a.volume = quint8(system.volume());
        a.soundOn = system.soundOn();
        a.byte48 = system.byte48();
        if (!operations_.isEmpty()) {
            const auto op = operations_.takeFirst();
            a.operation = op.first;
            a.argument = op.second;
        }
        a.display = display;
        return answer(heartbeatHead_, g, c, Payloads::heartbeatAnswerData(a));
    }
    default:
        return answer(HeadAcknowledge, g, c, QByteArray());
    }
}

void DspSimulator::handleWrite(const Frame& f)
{
    const quint8 g = f.group;
    const quint8 c = f.command;
    if (g == GroupOutput && c < outputs.size()) {
        Payloads::copyInto(outputs[c].bytes, output::GroupSize * f.sub, f.data);
    } else if (g == GroupSystem) {
        if (const std::optional<int> offset = Payloads::systemGroupOffset(c))
            Payloads::copyInto(system.bytes, *offset, f.data);
        else if (c == CmdBluetooth)
            bluetoothCommand = f.byteAt(0);
        else if (c == CmdControl)
            Payloads::copyInto(control.bytes, 0, f.data);
        else if (c >= CmdUpgradeAck && c <= CmdUpgradeOkAck)
            continueUpgrade(c);
    } else if (g == GroupMedia) {
        if (c == CmdCurrentFile) {
            currentFile = Payloads::parseCurrentFileBlock(f.data);
        } else if (c == CmdResumeRecord) {
            const quint8 minute = resumeRecord.minute;
            resumeRecord = Payloads::parseResumeRecordWrite(f.data);
            resumeRecord.minute = minute;
        } else if (c == CmdResumeMinute) {
            resumeRecord.minute = f.byteAt(0);
        }
    }
    answer(HeadAcknowledge, g, c, QByteArray());
}

void DspSimulator::continueUpgrade(quint8 code)
{
    upgradeAnswers.append(code);
    switch (code) {
    case CmdUpgradeAck:
        answer(HeadAnswer, GroupSystem, CmdUpgradeStart, QByteArray(1, '\0'));
        return;
    case CmdUpgradeStartAck:
    case CmdUpgradeDataAck:
        if (upgradeStepsLeft_ > 0) {
            --upgradeStepsLeft_;
            LcdUpgradeBuf step;
            for (int i = 0; i < LcdUpgradeBuf::Size; ++i)
                step.bytes[std::size_t(i)] = quint8(upgradeStep_ * LcdUpgradeBuf::Size + i);
            ++upgradeStep_;
            answer(HeadAnswer, GroupSystem, CmdUpgradeData, bytesOf(step.bytes.data(), LcdUpgradeBuf::Size));
        } else {
            answer(HeadAnswer, GroupSystem, CmdUpgradeEnd, QByteArray(1, '\0'));
        }
        return;
    case CmdUpgradeOkAck:
        upgradeFinished_ = true;
        return;
    }
}
