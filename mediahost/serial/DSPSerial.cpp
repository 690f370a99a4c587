#include "mediahost/serial/DSPSerial.h"

#include "mediahost/serial/Payloads.h"
#include "mediahost/serial/Protocol.h"

#include <QDebug>

namespace {

using namespace Uart;

constexpr int SystemPart2Offset = 24;

Frame request(quint8 group, quint8 command, quint8 sub = 0)
{
    Frame f;
    f.head = HeadRequest;
    f.group = group;
    f.command = command;
    f.sub = sub;
    f.data = QByteArray(1, '\0');
    return f;
}

} // namespace

DSPSerial::DSPSerial(QObject* parent) : QObject(parent)
{
    connect(&pollTimer_, &QTimer::timeout, this, &DSPSerial::poll);
}

void DSPSerial::SerialInit(const QString& port)
{
    if (port_.open(port))
        pollTimer_.start(InitialPollMs);
    waiting_ = false;
    silentTicks_ = 0;
}

void DSPSerial::setOutput(quint8 channel, const output& block)
{
    if (channel < MaxOutputBlocks)
        outputs_[channel] = block;
}

// ---- poll cycle -------------------------------------------------------------

void DSPSerial::poll()
{
    if (waiting_ || upgradeRelay_) {
        read();
        return;
    }
    if (synced_) {
        send(nextSyncedFrame());
        return;
    }
    if (const std::optional<Frame> next = nextSyncRequest()) {
        send(*next);
        return;
    }
    // Nothing missing yet not synchronised (no output channels): repeat.
    if (port_.send(lastSent_)) {
        waiting_ = true;
        silentTicks_ = 0;
    }
}

void DSPSerial::read()
{
    const std::optional<QByteArray> bytes = port_.readAvailable();
    if (!bytes)
        return;
    if (bytes->isEmpty()) {
        if (waiting_ && ++silentTicks_ > SilentTickLimit) {
            silentTicks_ = 0;
            waiting_ = false;
        }
        return;
    }
    waiting_ = false;
    for (char c : *bytes) {
        if (assembler_.feed(quint8(c)) == FrameCodec::Assembler::Result::Accepted)
            dispatch(assembler_.frame());
    }
}

void DSPSerial::send(const Frame& frame)
{
    lastSent_ = FrameCodec::build(frame);
    port_.send(lastSent_);
    waiting_ = true;
    silentTicks_ = 0;
}

void DSPSerial::sendIapAnswer(quint8 command)
{
    Frame f;
    f.head = HeadWrite;
    f.group = GroupSystem;
    f.command = command;
    f.data = QByteArray(1, '\0');
    send(f);
}

void DSPSerial::DSP_IAP_Contr_PC_ACK() { sendIapAnswer(CmdUpgradeAck); }
void DSPSerial::DSP_IAP_Contr_PC_STR_ACK() { sendIapAnswer(CmdUpgradeStartAck); }
void DSPSerial::DSP_IAP_Contr_PC_DATA_ACK() { sendIapAnswer(CmdUpgradeDataAck); }

void DSPSerial::DSP_IAP_Contr_PC_OK_ACK()
{
    sendIapAnswer(CmdUpgradeOkAck);
    upgradeRelay_ = false;
}

// ---- building frames ----------------------------------------------------------

int DSPSerial::syncedChannelCount() const
{
    // Blocks beyond the 12 the link keeps are never stored, so never awaited.
    return qMin<int>(sundry_.channelCount(), MaxOutputBlocks);
}

std::optional<Frame> DSPSerial::nextSyncRequest() const
{
    if (!resumeRead_)
        return request(GroupMedia, CmdResumeRecord);
    if (!systemPart1Read_)
        return request(GroupSystem, CmdSystem);
    if (!systemPart2Read_)
        return request(GroupSystem, CmdSystemPart2);
    if (!sundryRead_)
        return request(GroupSystem, CmdSundry);
    for (int k = 0; k < syncedChannelCount(); ++k)
        if (!outputRead_[std::size_t(k)])
            return request(GroupOutput, quint8(k), SubReadBlock);
    return std::nullopt;
}

Frame DSPSerial::nextSyncedFrame()
{
    if (queue_.isEmpty()) {
        Frame f;
        f.head = HeadRequest;
        f.group = GroupSystem;
        f.command = CmdHeartbeat;
        f.data = Payloads::heartbeatData(heartbeat_);
        return f;
    }
    const SendQueue entry = queue_.takeFirst();
    if (entry.group == GroupSystem && entry.command == CmdSystem)
        locallyChanged_ = false;
    return frameFromQueue(entry);
}

Frame DSPSerial::frameFromQueue(const SendQueue& entry) const
{
    Frame f;
    f.head = entry.head;
    f.flag = entry.flag;
    f.slot = entry.zero;
    f.group = entry.group;
    f.command = entry.command;
    f.sub = entry.sub;
    f.data = queuedData(entry);
    return f;
}

QByteArray DSPSerial::queuedData(const SendQueue& entry) const
{
    const int n = entry.length;
    if (entry.group == GroupOutput) {
        if (entry.command >= MaxOutputBlocks)
            return QByteArray(n, '\0');
        return Payloads::sliceOf(outputs_[entry.command].bytes, output::GroupSize * entry.sub, n);
    }
    if (entry.group == GroupSystem) {
        if (const std::optional<int> offset = Payloads::systemGroupOffset(entry.command))
            return Payloads::sliceOf(system_.bytes, *offset, n);
        if (entry.command == CmdBluetooth)
            return QByteArray(1, char(bluetoothCommand_)).leftJustified(n, '\0', true);
        if (entry.command == CmdControl)
            return Payloads::sliceOf(control_.bytes, 0, n);
    }
    if (entry.group == GroupMedia) {
        switch (entry.command) {
        case CmdCurrentFile:
            return Payloads::currentFileBlock(currentFile_);
        case CmdBrowserPage:
            return Payloads::browserPageData(browser_.page(), Payloads::NameLength::OneByte);
        case CmdResumeRecord:
            return Payloads::resumeRecordWrite(resumeRecord_);
        case CmdResumeMinute:
            return QByteArray(1, char(resumeRecord_.minute));
        }
    }
    // Combinations outside the table carry `length` bytes of no fixed content.
    return QByteArray(n, '\0');
}

// ---- received frames ------------------------------------------------------------

void DSPSerial::dispatch(const Frame& frame)
{
    if (frame.head == HeadAcknowledge)
        return;
    if (frame.group == GroupOutput) {
        receiveOutputBlock(frame);
        return;
    }
    if (frame.group == GroupMedia && frame.command == CmdResumeRecord) {
        receiveResumePoint(frame);
        return;
    }
    if (frame.group != GroupSystem)
        return;
    switch (frame.command) {
    case CmdSystem:
        receiveSystem(frame, 0, systemPart1Read_);
        break;
    case CmdSystemPart2:
        receiveSystem(frame, SystemPart2Offset, systemPart2Read_);
        break;
    case CmdSundry:
        receiveSundry(frame);
        break;
    case CmdHeartbeat:
        receiveHeartbeatAnswer(frame);
        break;
    case CmdUpgradeApply:
        upgradeRelay_ = true;
        emit LCDupgrade_Contr_Apply();
        break;
    case CmdUpgradeStart:
        emit LCDupgrade_Contr_START();
        break;
    case CmdUpgradeData: {
        LcdUpgradeBuf step;
        Payloads::copyInto(step.bytes, 0, frame.data);
        emit LCDIAP_PROGAM_INFO(step);
        break;
    }
    case CmdUpgradeEnd:
        emit LCDupgrade_Contr_END();
        break;
    }
}

void DSPSerial::receiveOutputBlock(const Frame& frame)
{
    const int k = frame.command;
    if (k >= MaxOutputBlocks) {
        qDebug() << "DSP output block" << k << "beyond the" << MaxOutputBlocks << "kept; dropped";
        return;
    }
    Payloads::copyInto(outputs_[std::size_t(k)].bytes, 0, frame.data);
    outputRead_[std::size_t(k)] = true;
    emit setOuputData(outputs_[std::size_t(k)], quint8(k));
    qDebug() << "Read Out" << k << "OK";
    if (!synced_ && k == syncedChannelCount() - 1) {
        pollTimer_.start(SyncedPollMs);
        qDebug() << "DSD data synchronization succeeds!";
        synced_ = true;
        emit DSPDataOk();
    }
}

void DSPSerial::receiveSystem(const Frame& frame, int offset, bool& readFlag)
{
    Payloads::copyInto(system_.bytes, offset, frame.data);
    emit setsystemconfig(system_);
    readFlag = true;
}

void DSPSerial::receiveSundry(const Frame& frame)
{
    Payloads::copyInto(sundry_.bytes, 0, frame.data.left(McuSundry::Size));
    emit DSPSundryData(sundry_);
    sundryRead_ = true;
    if (sundry_.channelCount() > MaxOutputBlocks)
        qDebug() << "DSP reports" << sundry_.channelCount() << "output channels; reading"
                 << MaxOutputBlocks;
}

void DSPSerial::receiveResumePoint(const Frame& frame)
{
    resumeRecord_ = Payloads::parseResumeAnswer(frame.data);
    emit DSPreadFeilInfo(resumeRecord_);
    resumeRead_ = true;
}

void DSPSerial::receiveHeartbeatAnswer(const Frame& frame)
{
    const std::optional<Payloads::HeartbeatAnswer> answer = Payloads::parseHeartbeatAnswer(frame.data);
    if (!answer)
        return;
    emit sendTftDataBuf(answer->display);
    if (!locallyChanged_) {
        system_.setSource(answer->source);
        system_.setVolume(answer->volume);
        system_.setSoundOn(answer->soundOn);
        system_.setByte48(answer->byte48);
        emit setsystemconfig(system_);
    }
    actOnOperation(answer->operation, answer->argument);
}

void DSPSerial::actOnOperation(quint8 code, quint8 argument)
{
    if (code >= 16) {
        emit sendOperationaldata(code, argument);
        return;
    }
    switch (code) {
    case 1:
        if (argument == 0)
            emit KeyUpLeftShort();
        else if (argument == 1)
            emit KeyUpRightShort();
        return;
    case 6:
        browseOpenAtPlaying();
        break;
    case 7:
        browsePage(argument);
        break;
    case 8:
        browseSelect(argument);
        break;
    case 9:
        browseUp(argument);
        break;
    default:
        return;
    }
    enqueue(SendQueue{HeadRequest, 1, 0, GroupMedia, CmdBrowserPage, 0, 0});
}

// ---- folder browser ---------------------------------------------------------------

void DSPSerial::browseOpenAtPlaying()
{
    browsePath_ = playing_.filePath;
    browser_.listFolder(browsePath_);
    browser_.locate(playing_.fileName);
}

void DSPSerial::browsePage(quint8 direction)
{
    if (direction == 0)
        browser_.pageBack();
    else if (direction == 1)
        browser_.pageForward();
}

void DSPSerial::browseSelect(quint8 k)
{
    const std::optional<BriwserFileInfo> entry = browser_.shownEntry(k);
    if (!entry)
        return;
    if (entry->isFile) {
        emit sendPathPlay(entry->path);
        browsePath_ = entry->path;
        return;
    }
    browser_.listFolder(entry->path + QLatin1Char('/'));
    browser_.showPage(0, 0);
    browsePath_ = browser_.entries().first().path;
}

void DSPSerial::browseUp(quint8 level)
{
    // The level is taken along the playing file's path.
    const QString target = FolderBrowser::upTarget(playing_.filePath, level);
    browser_.goUpTo(target, browsePath_, devices_);
    browsePath_ = target;
}
