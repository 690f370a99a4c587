#include "mediahost/serial/Serial.h"

#include "mediahost/serial/Payloads.h"
#include "mediahost/serial/Protocol.h"

#include <QDebug>
#include <QProcess>

namespace {

using namespace Uart;

constexpr quint8 CommandAfterPush = 0xFF;
constexpr int CursorOnLastRow = 6;

using Signal = void (Serial::*)();

struct KeyCode {
    quint8 sub;
    Signal signal;
};
constexpr KeyCode keyCodes[] = {
    {0x10, &Serial::Volumedown},
    {0x11, &Serial::Volumeup},
    {0x12, &Serial::KeyEncode_Enter_Short},
    {0x13, &Serial::KeyEncode_Enter_Long},
    {0x14, &Serial::KeyUpLeftShort},
    {0x15, &Serial::KeyUpLeftLong},
    {0x16, &Serial::KeyUpRightShort},
    {0x17, &Serial::KeyUpRightLong},
    {0x18, &Serial::Changeofsoundsourcevalue},
    {0x1A, &Serial::KeyDownRightShort},
};

struct UpgradeAnswer {
    quint8 command;
    Signal signal;
};
constexpr UpgradeAnswer upgradeAnswers[] = {
    {CmdUpgradeAck, &Serial::LCD_IAP_Contr_PC_ACK},
    {CmdUpgradeStartAck, &Serial::LCD_IAP_Contr_PC_STR_ACK},
    {CmdUpgradeDataAck, &Serial::LCD_IAP_Contr_PC_DATA_ACK},
    {CmdUpgradeOkAck, &Serial::LCD_IAP_Contr_PC_OK_ACK},
};

} // namespace

Serial::Serial(QObject* parent) : QObject(parent)
{
    connect(&pollTimer_, &QTimer::timeout, this, &Serial::poll);
}

void Serial::SerialInit(const QString& port)
{
    if (port_.open(port))
        pollTimer_.start(PollMs);
}

void Serial::setOutput(quint8 channel, const output& block)
{
    if (channel < MaxOutputBlocks)
        outputs_[channel] = block;
}

const output& Serial::outputBlock(quint8 channel) const
{
    return outputs_[qMin<int>(channel, MaxOutputBlocks - 1)];
}

void Serial::setOperation(quint8 code, quint8 argument)
{
    operation_ = code;
    operationArgument_ = argument;
}

void Serial::setPlayingFile(const MediaObjectInfo& file)
{
    playing_ = file;
    browsePath_ = file.filePath.left(file.filePath.lastIndexOf(QLatin1Char('/')));
}

// ---- polling ------------------------------------------------------------------

void Serial::poll()
{
    if (busy_)
        return;
    const std::optional<QByteArray> bytes = port_.readAvailable();
    if (!bytes || bytes->isEmpty())
        return;
    busy_ = true;
    ++readsParsed_;
    // A frame must arrive within one read: the assembler starts afresh.
    assembler_.reset();
    for (char c : *bytes) {
        if (assembler_.feed(quint8(c)) != FrameCodec::Assembler::Result::Accepted)
            continue;
        const Frame& frame = assembler_.frame();
        if (!dspReady_)
            continue;
        if (frame.head == HeadWrite)
            handleWrite(frame);
        else if (frame.head == HeadRequest)
            handleRead(frame);
    }
    busy_ = false;
}

// ---- sending ------------------------------------------------------------------

void Serial::sendFrame(quint8 head, const QByteArray& data)
{
    Frame f;
    f.head = head;
    f.group = txGroup_;
    f.command = txCommand_;
    f.data = data;
    port_.send(FrameCodec::build(f));
}

void Serial::answer(quint8 group, quint8 command, const QByteArray& data)
{
    txGroup_ = group;
    txCommand_ = command;
    sendFrame(HeadAnswer, data);
}

void Serial::acknowledge(bool systemWrite)
{
    if (systemWrite)
        txCommand_ = CmdSystem;
    sendFrame(HeadAcknowledge, QByteArray());
}

void Serial::pushUpgradeStep(quint8 command, const QByteArray& data)
{
    answer(GroupSystem, command, data);
    // The panel's answer to a step is acknowledged with command 0xFF.
    txCommand_ = CommandAfterPush;
}

void Serial::pushBrowserPage()
{
    answer(GroupBrowser, CmdPanelPage,
           Payloads::browserPageData(browser_.page(), Payloads::NameLength::TwoBytes));
}

void Serial::LCDUpgradeApply() { pushUpgradeStep(CmdUpgradeApply, QByteArray(1, '\0')); }
void Serial::LCDUpgradeStart() { pushUpgradeStep(CmdUpgradeStart, QByteArray(1, '\0')); }
void Serial::LCDUpgradeend() { pushUpgradeStep(CmdUpgradeEnd, QByteArray(1, '\0')); }

void Serial::IAPContr_data(const LcdUpgradeBuf& step)
{
    pushUpgradeStep(CmdUpgradeData, QByteArray(reinterpret_cast<const char*>(step.bytes.data()), LcdUpgradeBuf::Size));
}

// ---- read requests --------------------------------------------------------------

void Serial::handleRead(const Frame& request)
{
    const quint8 group = request.group;
    const quint8 command = request.command;
    if (group == GroupOutput && request.sub == SubReadBlock && request.slot == 0 && command < MaxOutputBlocks) {
        const auto& block = outputs_[command].bytes;
        answer(group, command, QByteArray(reinterpret_cast<const char*>(block.data()), output::Size));
        return;
    }
    if (group == GroupSystem) {
        switch (command) {
        case CmdStatus:
            answer(group, command, Payloads::statusAnswer(system_, heartbeat_, display_, operation_, operationArgument_));
            return;
        case CmdPanelCurrentFile:
            answer(group, command, Payloads::currentFileAnswer(currentFile_));
            return;
        case CmdPanelSundry:
            answer(group, command, Payloads::sundryAnswer(sundry_));
            return;
        case CmdSystem:
            answer(group, command, Payloads::systemAnswer(system_, display_));
            return;
        }
    }
    if (group == GroupBrowser && command == CmdPanelPage) {
        pushBrowserPage();
        return;
    }
    // Unknown requests of the answered groups still get an (empty) answer.
    if (group == GroupOutput || group == GroupSystem || group == GroupBrowser)
        answer(group, command, QByteArray());
}

// ---- writes ---------------------------------------------------------------------

void Serial::handleWrite(const Frame& write)
{
    if (write.group == GroupOutput) {
        writeOutputGroup(write);
        return;
    }
    if (write.group == GroupBrowser) {
        writeBrowser(write);
        return;
    }
    if (write.group != GroupSystem)
        return;

    const quint8 command = write.command;
    if (command == CmdKey) {
        writeKey(write.sub);
        acknowledge();
        return;
    }
    if (const std::optional<int> offset = Payloads::systemGroupOffset(command)) {
        Payloads::copyInto(system_.bytes, *offset, write.data);
        emit sendSysconfig(system_, command);
        acknowledge(command == CmdSystem);
        return;
    }
    if (command == CmdBluetooth) {
        acknowledge();
        emit SendBtData(write.byteAt(0));
        return;
    }
    if (command == CmdControl) {
        Payloads::copyInto(control_.bytes, 0, write.data);
        emit sendFangControl(control_);
        acknowledge();
        return;
    }
    for (const UpgradeAnswer& a : upgradeAnswers) {
        if (a.command == command) {
            emit (this->*a.signal)();
            acknowledge();
            return;
        }
    }
}

void Serial::writeOutputGroup(const Frame& write)
{
    const int k = write.command;
    const int offset = output::GroupSize * write.sub;
    if (k >= MaxOutputBlocks || offset + write.data.size() > output::Size) {
        qDebug() << "panel output write beyond the blocks (channel" << k << "group" << write.sub
                 << "bytes" << write.data.size() << "); dropped";
        return;
    }
    Payloads::copyInto(outputs_[std::size_t(k)].bytes, offset, write.data);
    emit Outputdatasending(outputs_[std::size_t(k)], quint8(k), write.sub);
    acknowledge();
}

void Serial::writeKey(quint8 key)
{
    for (const KeyCode& k : keyCodes) {
        if (k.sub == key) {
            emit (this->*k.signal)();
            return;
        }
    }
}

void Serial::writeBrowser(const Frame& write)
{
    switch (write.command) {
    case CmdBrowserKey:
        writeBrowserKey(write);
        acknowledge();
        return;
    case CmdBrowserOpen:
        openAtPlaying();
        return;
    case CmdPanelPage:
        if (write.byteAt(0) == 2)
            browser_.showPage(write.byteAt(4), write.byteAt(1) != 0 ? CursorOnLastRow : 0);
        pushBrowserPage();
        return;
    case CmdBrowserMove:
        if (write.byteAt(0) == 0) {
            acknowledge();
            selectEntry(write.byteAt(4));
        } else if (write.byteAt(0) == 1) {
            goUp(write.byteAt(4));
            pushBrowserPage();
        }
        return;
    case CmdStartUpgrade:
        if (!QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), upgradeProgram_}))
            qDebug() << "cannot start" << upgradeProgram_;
        return;
    }
}

void Serial::writeBrowserKey(const Frame& write)
{
    browserKeyKind_ = write.byteAt(0);
    browserKeyValue_ = write.byteAt(1);
    browserKeyNumber_ = Payloads::readLE32(write.data, 2);
    struct BrowserKey { quint8 kind, value; Signal signal; };
    static constexpr BrowserKey keys[] = {
        {1, 0, &Serial::KeyUpLeftShort},
        {1, 1, &Serial::KeyUpRightShort},
        {2, 0, &Serial::KeyUpLeftLong},
        {2, 1, &Serial::KeyUpRightLong},
    };
    for (const BrowserKey& k : keys)
        if (k.kind == browserKeyKind_ && k.value == browserKeyValue_)
            emit (this->*k.signal)();
}

// ---- the panel's own browser ---------------------------------------------------------

void Serial::openAtPlaying()
{
    browser_.listFolder(playing_.filePath);
    browser_.locate(playing_.fileName);
    pushBrowserPage();
    browsePath_ = playing_.filePath;
}

void Serial::selectEntry(quint8 k)
{
    const std::optional<BriwserFileInfo> entry = browser_.shownEntry(k);
    if (!entry)
        return;
    if (entry->isFile) {
        emit sendTackpath(entry->path);
        return;
    }
    browsePath_ = entry->path + QLatin1Char('/');
    browser_.listFolder(browsePath_);
    browser_.showPage(0, 0);
    pushBrowserPage();
}

void Serial::goUp(quint8 level)
{
    // The level is taken along the panel's own browse path.
    const QString target = FolderBrowser::upTarget(browsePath_, level);
    browser_.goUpTo(target, browsePath_, devices_);
    browsePath_ = target + QLatin1Char('/');
}
