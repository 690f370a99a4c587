#include "mediahost/core/appinit.h"

#include "mediahost/core/RemoteCommandServer.h"
#include "mediahost/serial/DSPSerial.h"
#include "mediahost/serial/Protocol.h"
#include "mediahost/serial/Serial.h"

#include <QDebug>

namespace {

using namespace Uart;

constexpr quint8 SystemGroupLength = 8;
constexpr quint8 ControlLength = 2;
constexpr int LibraryTick = 2; // ticks after the resume point

bool playerWanted(const System& s) { return s.source() == System::PlayerSource && s.soundOn() == 1; }

} // namespace

appinit::appinit(const HostOptions& options, MediaLibraryFactory libraryFactory, QObject* parent)
    : QObject(parent), libraryFactory_(std::move(libraryFactory))
{
    registerRecordTypes();
    connect(&initTimer_, &QTimer::timeout, this, &appinit::Inittimerout);
    initTimer_.start(InitTickMs);

    panelLink_ = new Serial(this);
    panelLink_->setDeviceRoot(options.mediaRoot);
    panelLink_->SerialInit(options.panelPort);

    dspLink_ = new DSPSerial(this);
    dspLink_->setDeviceRoot(options.mediaRoot);
    dspLink_->SerialInit(options.dspPort);

    connectLinks();
    qDebug() << "DSD-QMRTV-2022";
}

void appinit::connectLinks()
{
    DSPSerial* dsp = dspLink_;
    connect(dsp, &DSPSerial::setsystemconfig, this, &appinit::Receivesystemconfig);
    connect(dsp, &DSPSerial::sendTftDataBuf, this, &appinit::ReceiveTftDataBuf);
    connect(dsp, &DSPSerial::DSPDataOk, this, &appinit::GetSeralDspDataOk);
    connect(dsp, &DSPSerial::DSPSundryData, this, &appinit::GetDspSundry);
    connect(dsp, &DSPSerial::setOuputData, this, &appinit::GetSeralOuputData);
    connect(dsp, &DSPSerial::DSPreadFeilInfo, this, &appinit::ReceDSPReadTimerdata);
    connect(dsp, &DSPSerial::LCDupgrade_Contr_Apply, this, &appinit::GetLCDupgrade_Contr_Apply);
    connect(dsp, &DSPSerial::LCDupgrade_Contr_START, this, &appinit::GetLCDupgrade_Contr_START);
    connect(dsp, &DSPSerial::LCDupgrade_Contr_END, this, &appinit::GetLCDupgrade_Contr_END);
    connect(dsp, &DSPSerial::LCDIAP_PROGAM_INFO, this, &appinit::GetLCDIAP_PROGAM_INFO);
    connect(dsp, &DSPSerial::KeyUpLeftShort, this, &appinit::ReceiveLeftUpkeyshort);
    connect(dsp, &DSPSerial::KeyUpRightShort, this, &appinit::ReceiveLeftRightshort);
    connect(dsp, &DSPSerial::sendPathPlay, this, &appinit::ReceiveTackpath);
    connect(dsp, &DSPSerial::sendOperationaldata, this, &appinit::GetOperationaldata);

    Serial* panel = panelLink_;
    connect(panel, &Serial::sendSysconfig, this, &appinit::ReceiveSysconfig);
    connect(panel, &Serial::KeyUpLeftShort, this, &appinit::ReceiveLeftUpkeyshort);
    connect(panel, &Serial::KeyUpRightShort, this, &appinit::ReceiveLeftRightshort);
    connect(panel, &Serial::KeyUpLeftLong, this, &appinit::ReceiveLeftUpkeyLong);
    connect(panel, &Serial::KeyUpRightLong, this, &appinit::ReceiveLeftRightLong);
    connect(panel, &Serial::sendTackpath, this, &appinit::ReceiveTackpath);
    connect(panel, &Serial::LCD_IAP_Contr_PC_ACK, this, &appinit::GetLCD_IAP_Contr_PC_ACK);
    connect(panel, &Serial::LCD_IAP_Contr_PC_STR_ACK, this, &appinit::GetLCD_IAP_Contr_PC_STR_ACK);
    connect(panel, &Serial::LCD_IAP_Contr_PC_OK_ACK, this, &appinit::GetLCD_IAP_Contr_PC_OK_ACK);
    connect(panel, &Serial::LCD_IAP_Contr_PC_DATA_ACK, this, &appinit::GetLCD_IAP_Contr_PC_DATA_ACK);
    connect(panel, &Serial::Outputdatasending, this, &appinit::OutputdataGeting);
    connect(panel, &Serial::SendBtData, this, &appinit::GetSerialBtCmdData);
    connect(panel, &Serial::sendFangControl, this, &appinit::GetFangControl);
}

// ---- start-up sequence ------------------------------------------------------------

void appinit::Inittimerout()
{
    ++initTicks_;
    if (!started_) {
        if (++startTicks_ > 1)
            started_ = true;
        return;
    }
    if (!resumeReady_)
        return;
    if (++readyTicks_ == LibraryTick) {
        initTimer_.stop();
        createLibrary();
    }
}

void appinit::createLibrary()
{
    if (!libraryFactory_) {
        qDebug() << "no media library in this build; the serial links run on their own";
        return;
    }
    library_ = libraryFactory_(this);
    if (!library_)
        return;
    MediaLibrary* lib = library_;
    connect(lib, &MediaLibrary::UploadFeilInfo, this, &appinit::ReceiveFileInfo);
    connect(lib, &MediaLibrary::Uploadheartbeat, this, &appinit::Receiveheartbeat);
    connect(lib, &MediaLibrary::UpdatePlayerInfor, this, &appinit::ReceivePlayerInfor);
    connect(lib, &MediaLibrary::DspsavesendTimerdata, this, &appinit::ReceDSPSaveTimerdata);
    connect(lib, &MediaLibrary::DspsavesendFeildata, this, &appinit::ReceDSPReadFeildata);
    connect(lib, &MediaLibrary::UpateSerialDeviceinfor, this, &appinit::GetSeralDeviceinfor);

    RemoteCommandServer* server = lib->commandServer();
    connect(server, &RemoteCommandServer::SetSysVol, this, &appinit::GetHttpSeverSetSysVol);
    connect(server, &RemoteCommandServer::SetPlaysource, this, &appinit::GetHttpSeverSetPlaysource);
    connect(server, &RemoteCommandServer::Setbackmode, this, &appinit::GetHttpSeverSetbackmode);
    connect(server, &RemoteCommandServer::GetSysData, this, &appinit::SenfHttpSeverData);
    connect(server, &RemoteCommandServer::SetMute, this, &appinit::GetHttpSeverSetMute);

    lib->setResumePoint(resumeMinute_, resumePath_, resumeDeviceId_);
}

// ---- helpers ---------------------------------------------------------------------

void appinit::queueDspWrite(quint8 group, quint8 command, quint8 sub, quint8 length)
{
    dspLink_->enqueue(SendQueue::write(group, command, sub, length));
}

void appinit::applyPlayRule(bool wanted)
{
    if (library_ && wanted != library_->isPlayerRunning())
        library_->togglePlayer();
}

void appinit::setServerField(const QString& key, const QJsonValue& value)
{
    if (library_)
        library_->commandServer()->setField(key, value);
}

void appinit::publishSystem(const System& system)
{
    if (!library_)
        return;
    setServerField(QStringLiteral("Soundsource"), system.source());
    setServerField(QStringLiteral("SysMute"), system.soundOn() != 0);
    setServerField(QStringLiteral("Systemvolume"), system.volume());
    library_->setPlayMode(clampPlayMode(system.playMode()));
}

template <typename Change>
void appinit::changeDspSystem(quint8 command, Change change)
{
    System system = dspLink_->system();
    change(system);
    dspLink_->markLocallyChanged();
    dspLink_->Mainsetsystemconfig(system);
    queueDspWrite(GroupSystem, command, 0, SystemGroupLength);
}

// ---- from the DSP link --------------------------------------------------------------

void appinit::Receivesystemconfig(const System& system)
{
    panelLink_->setSystem(system);
    if (!library_)
        return;
    publishSystem(system);
    applyPlayRule(playerWanted(system));
}

void appinit::ReceiveTftDataBuf(const TftdataBuf& display) { panelLink_->setDisplayData(display); }
void appinit::GetSeralDspDataOk() { panelLink_->setDspReady(); }
void appinit::GetDspSundry(const McuSundry& sundry) { panelLink_->setSundry(sundry); }
void appinit::GetSeralOuputData(const output& block, quint8 channel) { panelLink_->setOutput(channel, block); }

void appinit::ReceDSPReadTimerdata(const PlayFileinfo& record)
{
    resumeDeviceId_ = record.deviceIdText();
    resumePath_ = record.pathText();
    resumeMinute_ = record.minute;
    qDebug() << "resume device" << resumeDeviceId_ << "path" << resumePath_;
    resumeReady_ = true;
}

void appinit::GetLCDupgrade_Contr_Apply() { panelLink_->LCDUpgradeApply(); }
void appinit::GetLCDupgrade_Contr_START() { panelLink_->LCDUpgradeStart(); }
void appinit::GetLCDupgrade_Contr_END() { panelLink_->LCDUpgradeend(); }
void appinit::GetLCDIAP_PROGAM_INFO(const LcdUpgradeBuf& step) { panelLink_->IAPContr_data(step); }
void appinit::GetOperationaldata(quint8 code, quint8 argument) { panelLink_->setOperation(code, argument); }

// ---- from the panel link ---------------------------------------------------------------

void appinit::ReceiveSysconfig(const System& system, quint8 command)
{
    dspLink_->markLocallyChanged();
    dspLink_->Mainsetsystemconfig(system);
    publishSystem(system);
    queueDspWrite(GroupSystem, command, 0, SystemGroupLength);
    if (command == CmdPlayMode)
        setServerField(QStringLiteral("Playbackmode"), clampPlayMode(system.playMode()));
    if (command == CmdSystem)
        applyPlayRule(playerWanted(panelLink_->system()));
}

void appinit::OutputdataGeting(const output& block, quint8 channel, quint8 group)
{
    dspLink_->setOutput(channel, block);
    queueDspWrite(GroupOutput, channel, group, output::GroupSize);
}

void appinit::GetSerialBtCmdData(quint8 command)
{
    dspLink_->setBluetoothCommand(command);
    queueDspWrite(GroupSystem, CmdBluetooth, 0, 1);
}

void appinit::GetFangControl(const Controlstructure& control)
{
    dspLink_->setControl(control);
    queueDspWrite(GroupSystem, CmdControl, 0, ControlLength);
}

void appinit::GetLCD_IAP_Contr_PC_ACK() { dspLink_->DSP_IAP_Contr_PC_ACK(); }
void appinit::GetLCD_IAP_Contr_PC_STR_ACK() { dspLink_->DSP_IAP_Contr_PC_STR_ACK(); }
void appinit::GetLCD_IAP_Contr_PC_OK_ACK() { dspLink_->DSP_IAP_Contr_PC_OK_ACK(); }
void appinit::GetLCD_IAP_Contr_PC_DATA_ACK() { dspLink_->DSP_IAP_Contr_PC_DATA_ACK(); }

// ---- keys and paths: the library may not exist yet when the links are ready ---------

void appinit::ReceiveLeftUpkeyshort() { if (library_) library_->LastSong(); }
void appinit::ReceiveLeftRightshort() { if (library_) library_->NextSong(); }
void appinit::ReceiveLeftUpkeyLong() { if (library_) library_->FastForWard(); }
void appinit::ReceiveLeftRightLong() { if (library_) library_->FastForBack(); }
void appinit::ReceiveTackpath(const QString& path) { if (library_) library_->SetplayTackPath(path); }

// ---- from the library ----------------------------------------------------------------

void appinit::ReceiveFileInfo(const CurfileInfo& info)
{
    panelLink_->setCurFileInfo(info);
    dspLink_->setCurrentFile(info);
    queueDspWrite(GroupMedia, CmdCurrentFile, 0, 0);
}

void appinit::Receiveheartbeat(const Heartbeat& hb)
{
    panelLink_->setHeartbeat(hb);
    dspLink_->setHeartbeat(hb);
}

void appinit::ReceivePlayerInfor(const MediaObjectInfo& file)
{
    panelLink_->setPlayingFile(file);
    dspLink_->setPlayingFile(file);
}

void appinit::ReceDSPSaveTimerdata(const PlayFileinfo& record)
{
    dspLink_->setResumeMinute(record.minute);
    queueDspWrite(GroupMedia, CmdResumeMinute, 0, 1);
}

void appinit::ReceDSPReadFeildata(const PlayFileinfo& record)
{
    dspLink_->setResumeRecord(record);
    queueDspWrite(GroupMedia, CmdResumeRecord, 0, 0);
}

void appinit::GetSeralDeviceinfor(const QList<Deviceinformation>& devices)
{
    if (dspLink_->deviceList() != devices)
        dspLink_->setDeviceList(devices);
    if (panelLink_->deviceList() != devices)
        panelLink_->setDeviceList(devices);
}

// ---- from the command server ---------------------------------------------------------------

void appinit::GetHttpSeverSetSysVol(quint8 volume)
{
    changeDspSystem(CmdSystem, [volume](System& s) { s.setVolume(volume); });
}

void appinit::GetHttpSeverSetPlaysource(quint8 source)
{
    changeDspSystem(CmdSystem, [source](System& s) { s.setSource(source); });
    applyPlayRule(panelLink_->system().source() == System::PlayerSource);
}

void appinit::GetHttpSeverSetbackmode(quint8 mode)
{
    const quint8 clamped = clampPlayMode(mode);
    if (library_)
        library_->setPlayMode(clamped);
    changeDspSystem(CmdPlayMode, [clamped](System& s) { s.setPlayMode(clamped); });
}

void appinit::GetHttpSeverSetMute()
{
    quint8 soundOn = 0;
    changeDspSystem(CmdSystem, [&soundOn](System& s) {
        soundOn = s.soundOn() == 0 ? 1 : 0;
        s.setSoundOn(soundOn);
    });
    applyPlayRule(soundOn != 0);
}

void appinit::SenfHttpSeverData()
{
    const System& system = panelLink_->system();
    setServerField(QStringLiteral("Soundsource"), system.source());
    setServerField(QStringLiteral("SysMute"), system.soundOn() != 0);
    setServerField(QStringLiteral("Playbackmode"), system.playMode());
    setServerField(QStringLiteral("Systemvolume"), system.volume());
}
