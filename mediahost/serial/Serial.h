#pragma once
// The link to the front panel's microcontroller on its UART. Here the panel
// is the master: it sends read requests and writes, and this side answers.
// Nothing is answered until the DSP data has been synchronised.

#include "mediahost/core/Records.h"
#include "mediahost/serial/FolderBrowser.h"
#include "mediahost/serial/FrameCodec.h"
#include "mediahost/serial/UartPort.h"

#include <QObject>
#include <QTimer>

#include <array>

class Serial : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxOutputBlocks = 12;
    static constexpr int PollMs = 10;

    explicit Serial(QObject* parent = nullptr);

    void SerialInit(const QString& port);

    void setCurFileInfo(const CurfileInfo& info) { currentFile_ = info; }
    void setHeartbeat(const Heartbeat& hb) { heartbeat_ = hb; }

    // Copies the start-up object fills.
    void setDspReady() { dspReady_ = true; }
    bool isDspReady() const { return dspReady_; }
    void setSystem(const System& system) { system_ = system; }
    const System& system() const { return system_; }
    void setDisplayData(const TftdataBuf& display) { display_ = display; }
    void setSundry(const McuSundry& sundry) { sundry_ = sundry; }
    void setOutput(quint8 channel, const output& block);
    const output& outputBlock(quint8 channel) const;
    void setOperation(quint8 code, quint8 argument);
    // The playing file; its folder becomes the browse path.
    void setPlayingFile(const MediaObjectInfo& file);
    const QList<Deviceinformation>& deviceList() const { return devices_; }
    void setDeviceList(const QList<Deviceinformation>& devices) { devices_ = devices; }
    void setDeviceRoot(const QString& root) { browser_.setDeviceRoot(root); }
    // The program a panel write 8/0xAA starts through the shell.
    void setUpgradeProgram(const QString& program) { upgradeProgram_ = program; }

    const QString& browsePath() const { return browsePath_; }
    // Non-empty reads parsed so far (each read is framed on its own).
    quint64 readsParsed() const { return readsParsed_; }

public slots:
    // Upgrade steps relayed from the DSP, pushed to the panel at once.
    void LCDUpgradeApply();
    void LCDUpgradeStart();
    void IAPContr_data(const LcdUpgradeBuf& step);
    void LCDUpgradeend();

signals:
    void Volumeup();
    void Volumedown();
    void Changeofsoundsourcevalue();
    void KeyUpLeftShort();
    void KeyUpRightShort();
    void KeyDownRightShort();
    void KeyEncode_Enter_Short();
    void KeyEncode_Enter_Long();
    void KeyUpLeftLong();
    void KeyUpRightLong();
    void sendSysconfig(System, quint8);
    void sendTackpath(QString);
    void LCD_IAP_Contr_PC_ACK();
    void LCD_IAP_Contr_PC_STR_ACK();
    void LCD_IAP_Contr_PC_OK_ACK();
    void LCD_IAP_Contr_PC_DATA_ACK();
    void Outputdatasending(output, quint8, quint8);
    void SendBtData(quint8);
    void sendFangControl(Controlstructure);

private:
    void poll();
    void handleRead(const Frame& request);
    void handleWrite(const Frame& write);
    void writeOutputGroup(const Frame& write);
    void writeKey(quint8 key);
    void writeBrowser(const Frame& write);
    void writeBrowserKey(const Frame& write);

    void answer(quint8 group, quint8 command, const QByteArray& data);
    void acknowledge(bool systemWrite = false);
    void pushUpgradeStep(quint8 command, const QByteArray& data);
    void pushBrowserPage();
    void sendFrame(quint8 head, const QByteArray& data);

    void openAtPlaying();
    void selectEntry(quint8 k);
    void goUp(quint8 level);

    UartPort port_;
    QTimer pollTimer_;
    bool busy_ = false;
    quint64 readsParsed_ = 0;
    FrameCodec::Assembler assembler_;
    // Group and command of the frame sent last; acknowledgements reuse them.
    quint8 txGroup_ = 0;
    quint8 txCommand_ = 0;

    bool dspReady_ = false;
    System system_;
    TftdataBuf display_;
    std::array<output, MaxOutputBlocks> outputs_{};
    Heartbeat heartbeat_;
    CurfileInfo currentFile_;
    MediaObjectInfo playing_;
    McuSundry sundry_;
    quint8 operation_ = 0;
    quint8 operationArgument_ = 0;
    QList<Deviceinformation> devices_;
    Controlstructure control_;
    // Browser-key data of the last 8/0x87 write.
    quint8 browserKeyKind_ = 0;
    quint8 browserKeyValue_ = 0;
    quint32 browserKeyNumber_ = 0;

    FolderBrowser browser_;
    QString browsePath_;
    QString upgradeProgram_ = QStringLiteral("/opt/UpgradeAPP");
};
