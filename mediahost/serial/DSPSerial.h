#pragma once
// The link to the DSP microcontroller on its UART. The board is the master:
// it sends one frame, waits for the answer, then sends the next. It first
// reads the DSP's whole state, then alternates queued writes and heartbeats
// with the DSP's answers.

#include "mediahost/core/Records.h"
#include "mediahost/serial/FolderBrowser.h"
#include "mediahost/serial/FrameCodec.h"
#include "mediahost/serial/UartPort.h"

#include <QObject>
#include <QTimer>
#include <QVector>

#include <array>
#include <optional>

class DSPSerial : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxOutputBlocks = 12;
    static constexpr int InitialPollMs = 50;
    static constexpr int SyncedPollMs = 20;
    static constexpr int SilentTickLimit = 300;

    explicit DSPSerial(QObject* parent = nullptr);

    // Opens the port and prepares the first request of the synchronisation;
    // a port that cannot be opened leaves the link silent.
    void SerialInit(const QString& port);

    // Copies the start-up object fills; the frames are built from them.
    void setHeartbeat(const Heartbeat& hb) { heartbeat_ = hb; }
    void Mainsetsystemconfig(const System& system) { system_ = system; }
    const System& system() const { return system_; }
    // While set, heartbeat answers leave System alone; sending a 0x90 write clears it.
    void markLocallyChanged() { locallyChanged_ = true; }
    bool isLocallyChanged() const { return locallyChanged_; }
    void setOutput(quint8 channel, const output& block);
    void setCurrentFile(const CurfileInfo& info) { currentFile_ = info; }
    void setResumeRecord(const PlayFileinfo& record) { resumeRecord_ = record; }
    void setResumeMinute(quint8 minute) { resumeRecord_.minute = minute; }
    void setBluetoothCommand(quint8 command) { bluetoothCommand_ = command; }
    void setControl(const Controlstructure& control) { control_ = control; }
    void setPlayingFile(const MediaObjectInfo& file) { playing_ = file; }
    const QList<Deviceinformation>& deviceList() const { return devices_; }
    void setDeviceList(const QList<Deviceinformation>& devices) { devices_ = devices; }
    void setDeviceRoot(const QString& root) { browser_.setDeviceRoot(root); }

    // Appends to the write queue (first in, first out).
    void enqueue(const SendQueue& entry) { queue_.append(entry); }
    int queuedWrites() const { return queue_.size(); }

    bool isOpen() const { return port_.isOpen(); }
    bool isSynced() const { return synced_; }
    bool isUpgradeRelay() const { return upgradeRelay_; }
    int pollInterval() const { return pollTimer_.interval(); }
    const FolderBrowser& browser() const { return browser_; }

public slots:
    // The panel's upgrade answers, sent at once past the queue.
    void DSP_IAP_Contr_PC_ACK();
    void DSP_IAP_Contr_PC_STR_ACK();
    void DSP_IAP_Contr_PC_DATA_ACK();
    void DSP_IAP_Contr_PC_OK_ACK();

signals:
    void setsystemconfig(System);
    void sendTftDataBuf(TftdataBuf);
    void setOuputData(output, quint8);
    void DSPreadFeilInfo(PlayFileinfo);
    void DSPDataOk();
    void DSPSundryData(McuSundry);
    void LCDupgrade_Contr_Apply();
    void LCDupgrade_Contr_START();
    void LCDIAP_PROGAM_INFO(LcdUpgradeBuf);
    void LCDupgrade_Contr_END();
    void KeyUpLeftShort();
    void KeyUpRightShort();
    void sendPathPlay(QString);
    void sendOperationaldata(quint8, quint8);

private:
    void poll();
    void read();
    void send(const Frame& frame);
    void sendIapAnswer(quint8 command);

    std::optional<Frame> nextSyncRequest() const;
    Frame nextSyncedFrame();
    Frame frameFromQueue(const SendQueue& entry) const;
    QByteArray queuedData(const SendQueue& entry) const;
    int syncedChannelCount() const;

    void dispatch(const Frame& frame);
    void receiveOutputBlock(const Frame& frame);
    void receiveSystem(const Frame& frame, int offset, bool& readFlag);
    void receiveSundry(const Frame& frame);
    void receiveHeartbeatAnswer(const Frame& frame);
    void receiveResumePoint(const Frame& frame);
    void actOnOperation(quint8 code, quint8 argument);

    // Folder browser operations 6-9 of the heartbeat answer.
    void browseOpenAtPlaying();
    void browsePage(quint8 direction);
    void browseSelect(quint8 k);
    void browseUp(quint8 level);

    UartPort port_;
    QTimer pollTimer_;
    bool waiting_ = false;
    quint16 silentTicks_ = 0;
    bool upgradeRelay_ = false;
    bool synced_ = false;

    bool resumeRead_ = false;
    bool systemPart1Read_ = false;
    bool systemPart2Read_ = false;
    bool sundryRead_ = false;
    std::array<bool, MaxOutputBlocks> outputRead_{};

    FrameCodec::Assembler assembler_;
    QByteArray lastSent_;

    System system_;
    bool locallyChanged_ = false;
    McuSundry sundry_;
    std::array<output, MaxOutputBlocks> outputs_{};
    Heartbeat heartbeat_;
    CurfileInfo currentFile_;
    PlayFileinfo resumeRecord_;
    quint8 bluetoothCommand_ = 0;
    Controlstructure control_;
    MediaObjectInfo playing_;
    QList<Deviceinformation> devices_;

    QVector<SendQueue> queue_;
    FolderBrowser browser_;
    QString browsePath_;
};
