#pragma once
// The start-up object: opens both serial links at once, cross-connects them,
// and creates the media library only after the DSP microcontroller has
// returned the resume point. Its slots relay state between the links, the
// library and the command server.

#include "mediahost/core/HostOptions.h"
#include "mediahost/core/MediaLibrary.h"
#include "mediahost/core/Records.h"

#include <QObject>
#include <QTimer>

class DSPSerial;
class Serial;

class appinit : public QObject {
    Q_OBJECT
public:
    static constexpr int InitTickMs = 1000;

    // Without a factory the links run on their own and no library is made.
    explicit appinit(const HostOptions& options, MediaLibraryFactory libraryFactory = {},
                     QObject* parent = nullptr);

    DSPSerial* dspLink() const { return dspLink_; }
    Serial* panelLink() const { return panelLink_; }
    MediaLibrary* library() const { return library_; }
    // Start-up timer ticks so far.
    int initTicks() const { return initTicks_; }
    bool isResumeReady() const { return resumeReady_; }
    const QString& resumePath() const { return resumePath_; }
    const QString& resumeDeviceId() const { return resumeDeviceId_; }
    quint8 resumeMinute() const { return resumeMinute_; }

public slots:
    void Inittimerout();

    // From the DSP link.
    void Receivesystemconfig(const System& system);
    void ReceiveTftDataBuf(const TftdataBuf& display);
    void GetSeralDspDataOk();
    void GetDspSundry(const McuSundry& sundry);
    void GetSeralOuputData(const output& block, quint8 channel);
    void ReceDSPReadTimerdata(const PlayFileinfo& record);
    void GetLCDupgrade_Contr_Apply();
    void GetLCDupgrade_Contr_START();
    void GetLCDupgrade_Contr_END();
    void GetLCDIAP_PROGAM_INFO(const LcdUpgradeBuf& step);
    void GetOperationaldata(quint8 code, quint8 argument);

    // From the panel link.
    void ReceiveSysconfig(const System& system, quint8 command);
    void OutputdataGeting(const output& block, quint8 channel, quint8 group);
    void GetSerialBtCmdData(quint8 command);
    void GetFangControl(const Controlstructure& control);
    void GetLCD_IAP_Contr_PC_ACK();
    void GetLCD_IAP_Contr_PC_STR_ACK();
    void GetLCD_IAP_Contr_PC_OK_ACK();
    void GetLCD_IAP_Contr_PC_DATA_ACK();

    // Keys and paths from either link, to the library.
    void ReceiveLeftUpkeyshort();
    void ReceiveLeftRightshort();
    void ReceiveLeftUpkeyLong();
    void ReceiveLeftRightLong();
    void ReceiveTackpath(const QString& path);

    // From the library.
    void ReceiveFileInfo(const CurfileInfo& info);
    void Receiveheartbeat(const Heartbeat& hb);
    void ReceivePlayerInfor(const MediaObjectInfo& file);
    void ReceDSPSaveTimerdata(const PlayFileinfo& record);
    void ReceDSPReadFeildata(const PlayFileinfo& record);
    void GetSeralDeviceinfor(const QList<Deviceinformation>& devices);

    // From the command server.
    void GetHttpSeverSetSysVol(quint8 volume);
    void GetHttpSeverSetPlaysource(quint8 source);
    void GetHttpSeverSetbackmode(quint8 mode);
    void GetHttpSeverSetMute();
    void SenfHttpSeverData();

private:
    void connectLinks();
    void createLibrary();
    void queueDspWrite(quint8 group, quint8 command, quint8 sub, quint8 length);
    // Starts or pauses the player so that it runs exactly when wanted.
    void applyPlayRule(bool wanted);
    // "Soundsource", "SysMute", "Systemvolume" and the library play mode.
    void publishSystem(const System& system);
    void setServerField(const QString& key, const QJsonValue& value);
    // Changes the DSP copy of System, marks it locally changed, queues 0x90.
    template <typename Change>
    void changeDspSystem(quint8 command, Change change);

    QTimer initTimer_;
    bool started_ = false;
    quint16 startTicks_ = 0;
    bool resumeReady_ = false;
    quint16 readyTicks_ = 0;
    MediaLibrary* library_ = nullptr;
    Serial* panelLink_ = nullptr;
    DSPSerial* dspLink_ = nullptr;
    QString resumePath_;
    quint8 resumeMinute_ = 0;
    QString resumeDeviceId_;

    MediaLibraryFactory libraryFactory_;
    int initTicks_ = 0;
};
