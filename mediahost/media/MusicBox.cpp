#include "mediahost/media/MusicBox.h"

#include "mediahost/media/CommandServerState.h"
#include "mediahost/media/FileTypeLabels.h"
#include "mediahost/media/LinuxCommand.h"
#include "mediahost/media/StorageScan.h"
#include "mediahost/remote/MediaSearch.h"

#include <QDateTime>
#include <QTime>
#include <QDebug>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kUnknownTag = QStringLiteral("未知");

int indexOfMountPoint(const QList<Deviceinformation>& list, const QString& mountPoint)
{
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).mountPoint == mountPoint)
            return i;
    return -1;
}

} // namespace

MusicBox::MusicBox(const HostOptions& options, QObject* parent, RemoteCommandServer* server)
    : MediaLibrary(parent), options_(options)
{
    registerRecordTypes();
    qRegisterMetaType<Songinformation>("Songinformation");
    worker_ = new EumeThread(this);

    enumerationTimer_.setSingleShot(true);
    connect(&enumerationTimer_, &QTimer::timeout, this, &MusicBox::enumerationtiming);
    mountWaitTimer_.setSingleShot(true);
    connect(&mountWaitTimer_, &QTimer::timeout, this, &MusicBox::Losetiontiming);
    connect(&playDelayTimer_, &QTimer::timeout, this, &MusicBox::playDelayTick);

    executeLinuxCmd(QStringLiteral("./rm.sh"));

    if (!watcher_.addPath(QStringLiteral("/dev")))
        qDebug() << "fileSystemWatcher invalid path!";
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &MusicBox::refreshUSBdeviceList);

    connect(worker_, &EumeThread::sendmediaInfo, this, &MusicBox::RecmediaInfo, Qt::QueuedConnection);
    connect(worker_, &EumeThread::sendEumOver, this, &MusicBox::RecmedieOver, Qt::QueuedConnection);

    player_ = new Player(this);
    connect(player_, &Player::sendSonginformation, this, &MusicBox::RevtSonginformation);
    connect(player_, &Player::sendSongPos, this, &MusicBox::RevtSonginPos);
    server_ = server ? server : new CommandServerState(this);
    if (!server_->parent())
        server_->setParent(this);
    connect(server_, &RemoteCommandServer::SetPlayerFile, this, &MusicBox::GetHttpSeverPlayFeilePath);
    connect(server_, &RemoteCommandServer::SetPlaybackStatus, this, &MusicBox::GetHttpSeverPlayStatus);
    connect(server_, &RemoteCommandServer::SendSearchFileName, this, &MusicBox::GetHttpSearchFileName);

    connect(&updateTimer_, &QTimer::timeout, this, &MusicBox::update_Time);
    updateTimer_.start(UpdateTickMs);

    refreshUSBdeviceList();
}

MusicBox::~MusicBox()
{
    // The worker's queued reports must not reach a half-destroyed library.
    worker_->disconnect(this);
    delete worker_;
}

// ---- storage ------------------------------------------------------------------------

void MusicBox::refreshUSBdeviceList() { enumerationTimer_.start(EnumerationDelayMs); }

void MusicBox::enumerationtiming()
{
    enumerationTimer_.stop();
    updateUSBdeviceList();
}

void MusicBox::Losetiontiming()
{
    mountWaitTimer_.stop();
    updateUSBdeviceList();
}

QString MusicBox::getdeviceName(const QString& mountPoint)
{
    return labelFromMountOutput(executeLinuxCmd(QStringLiteral("mount -l")), mountPoint);
}

void MusicBox::updateUSBdeviceList()
{
    QList<Deviceinformation> found;
    for (const QString& line : usbLsblkLines(executeLinuxCmd(QStringLiteral("lsblk -f -P")))) {
        LsblkLine parsed = parseLsblkLine(line);
        if (parsed.awaitingMount) {
            if (mountRetries_ > MaxMountRetries)
                return; // given up waiting: leave everything as it is
            mountWaitTimer_.start(MountWaitMs);
            ++mountRetries_;
        }
        parsed.device.label = getdeviceName(parsed.device.mountPoint);
        if (parsed.isMounted())
            found.append(parsed.device);
    }

    for (const Deviceinformation& gone : deviceList_) {
        if (indexOfMountPoint(found, gone.mountPoint) >= 0)
            continue;
        if (currentIndex_ >= 0 && currentIndex_ < mediaList_.size()
            && mediaList_.at(currentIndex_).deviceUuid == gone.uuid) {
            if (player_->playerName() == QLatin1String("Mplayer"))
                seekMainProess();
            player_->setPlaying(false);
            currentIndex_ = 0;
        }
        delemediaList(gone.uuid);
        qDebug() << gone.name + QStringLiteral("uninstall");
    }
    for (const Deviceinformation& added : found) {
        if (indexOfMountPoint(deviceList_, added.mountPoint) >= 0)
            continue;
        qDebug() << added.mountPoint + QStringLiteral("install");
        if (added.uuid == resumeDeviceId_)
            resumeOnArrival(added);
        worker_->addJob(devInfo{added.mountPoint, added.uuid});
    }
    if (found != deviceList_)
        deviceList_ = found;
    emit UpateSerialDeviceinfor(deviceList_);
    if (server_->deviceList() != deviceList_)
        server_->setDeviceList(deviceList_);
}

void MusicBox::delemediaList(const QString& uuid)
{
    mediaList_.erase(std::remove_if(mediaList_.begin(), mediaList_.end(),
                                    [&](const MediaObjectInfo& m) { return m.deviceUuid == uuid; }),
                     mediaList_.end());
}

void MusicBox::seekMainProess()
{
    const QStringList pids = executeLinuxCmd(QStringLiteral("pidof mplayer")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (pids.isEmpty() || pids.first().trimmed().isEmpty())
        return;
    executeLinuxCmd(QStringLiteral("kill -19 ") + pids.first().trimmed());
    player_->setFrozen(true);
}

void MusicBox::RecmediaInfo(QString fileName, QString filePath, QString suffix, QString uuid)
{
    mediaList_.append(MediaObjectInfo{fileName, filePath, suffix, uuid});
    if (filePath == current_.filePath && autoStarted_) {
        if (uuid == current_.deviceUuid)
            currentIndex_ = mediaList_.size() - 1;
        return;
    }
    if (autoStarted_)
        return;
    autoStarted_ = true;
    player_->killzbPlayer(false);
    current_ = mediaList_.first();
    emit UpdatePlayerInfor(current_);
    testPlay(current_.filePath, current_.suffix);
    qDebug() << "RecmediaInfo";
}

void MusicBox::RecmedieOver(QString uuid)
{
    if (!autoStarted_ || uuid != current_.deviceUuid)
        return;
    qDebug() << "RecmedieOver";
    for (int i = mediaList_.size() - 1; i >= 0; --i) {
        if (mediaList_.at(i).filePath == current_.filePath) {
            currentIndex_ = i;
            return;
        }
    }
}

// ---- resume -------------------------------------------------------------------------

void MusicBox::setResumePoint(quint8 minute, const QString& path, const QString& deviceId)
{
    resumeMinute_ = minute;
    resumePath_ = path;
    resumeDeviceId_ = deviceId;
    resumeRecord_.minute = minute;
    savedMinute_ = minute;
}

void MusicBox::resumeOnArrival(const Deviceinformation& device)
{
    // resumePath without its own mount directory under the media root.
    const int from = resumePath_.indexOf(QLatin1Char('/'), options_.mediaRoot.size() + 1);
    if (resumePath_.isEmpty() || from < 0)
        return;
    const QString rebuilt = device.mountPoint + resumePath_.mid(from);
    if (!QFileInfo(rebuilt).isFile())
        return;
    autoStarted_ = true;
    const QString name = resumePath_.mid(resumePath_.lastIndexOf(QLatin1Char('/')) + 1);
    current_ = MediaObjectInfo{name, rebuilt, name.mid(name.lastIndexOf(QLatin1Char('.')) + 1), device.uuid};
    emit UpdatePlayerInfor(current_);
    seekPending_ = true;
    player_->killzbPlayer(false);
    testPlay(rebuilt, current_.suffix);
    qDebug() << "updateUSBdeviceList";
}

// ---- starting files -------------------------------------------------------------------

void MusicBox::Changesonghandle(int index)
{
    if (index < 0 || index >= mediaList_.size())
        return;
    player_->killzbPlayer(false);
    player_->setPlaying(false);
    player_->setPlayerName(QStringLiteral("NULL"));
    current_ = mediaList_.at(index);
    emit UpdatePlayerInfor(current_);
    testPlay(current_.filePath, current_.suffix);
}

void MusicBox::testPlay(const QString& path, const QString& suffix)
{
    pendingPath_ = path;
    pendingSuffix_ = suffix;
    delayStage_ = 0;
    player_->killzbPlayer(false);
    playDelayTimer_.start(PlayDelayMs);
    player_->setPlaying(true);
}

void MusicBox::playDelayTick()
{
    if (delayStage_ == 0) {
        player_->SetFilePath(pendingPath_, pendingSuffix_);
        delayStage_ = 1;
        playDelayTimer_.start(PlayDelayMs);
        return;
    }
    delayStage_ = 0;
    // The record names the file started, not the entry at currentIndex: a
    // resumed file runs before the worker has listed it, and a pulled stick
    // moves currentIndex to another device's file.
    if (current_.filePath == pendingPath_)
        writeResumeRecord(current_);
    playDelayTimer_.stop();
    if (player_->playerName() == QLatin1String("ZBplayer")) {
        player_->Play(); // pauses the new stream
        player_->Play(); // and starts it
    }
}

void MusicBox::Writepath(int index)
{
    if (mediaList_.isEmpty() || index < 0 || index >= mediaList_.size())
        return;
    writeResumeRecord(mediaList_.at(index));
}

void MusicBox::writeResumeRecord(const MediaObjectInfo& entry)
{
    resumePath_ = entry.filePath;
    resumeRecord_.setPath(entry.filePath);
    resumeRecord_.setDeviceId(entry.deviceUuid);
    resumeDeviceId_ = entry.deviceUuid;
    emit DspsavesendFeildata(resumeRecord_);
}

// ---- keys ---------------------------------------------------------------------------

void MusicBox::stepTo(int index)
{
    currentIndex_ = index;
    Changesonghandle(currentIndex_);
}

void MusicBox::saveMinuteZero()
{
    savedMinute_ = 0;
    resumeRecord_.minute = 0;
    emit DspsavesendTimerdata(resumeRecord_);
}

void MusicBox::chooseByMode(bool forward)
{
    if (const std::optional<int> index =
            PlayModes::keyChoice(playMode_, mediaList_, currentIndex_, current_.filePath, forward, random_))
        stepTo(*index);
}

void MusicBox::playNextAtEnd()
{
    if (const std::optional<int> index =
            PlayModes::endOfFileChoice(playMode_, mediaList_, currentIndex_, current_.filePath, random_))
        stepTo(*index);
}

void MusicBox::NextSong()
{
    player_->setPlayerName(QStringLiteral("NULL"));
    if (!mediaList_.isEmpty())
        chooseByMode(true);
    saveMinuteZero();
}

void MusicBox::LastSong()
{
    player_->setPlayerName(QStringLiteral("NULL"));
    if (!mediaList_.isEmpty())
        chooseByMode(false);
    saveMinuteZero();
}

void MusicBox::FastForWard()
{
    if (!player_->isPlaying())
        return;
    if (player_->playerName() == QLatin1String("Mplayer")) {
        if (++stepTicks_ > 5) {
            player_->Playing_Fastback(0);
            stepTicks_ = 0;
        }
    } else if (player_->playerName() == QLatin1String("ZBplayer")) {
        player_->PlayeringProgress(5);
    }
}

void MusicBox::FastForBack()
{
    if (!player_->isPlaying())
        return;
    if (player_->playerName() == QLatin1String("Mplayer")) {
        if (++stepTicks_ > 4) {
            player_->Playing_Fastforward(0);
            stepTicks_ = 0;
        }
    } else if (player_->playerName() == QLatin1String("ZBplayer")) {
        player_->PlayeringProgress(-5);
    }
}

void MusicBox::SetplayTackPath(QString path)
{
    for (int i = 0; i < mediaList_.size(); ++i) {
        if (mediaList_.at(i).filePath == path) {
            currentIndex_ = i;
            Changesonghandle(i);
        }
    }
}

// ---- file information -------------------------------------------------------------------

void MusicBox::RevtSonginPos(int position)
{
    externalPosition_ = int((position + 1) * 0.01 * song_.totalSeconds);
}

void MusicBox::getFiletypeLabel(QString sampleRate, const QString& decoder)
{
    if (decoder == QLatin1String("ffdsd")) {
        const Player::DsdDetails dsd = player_->dsdDetails();
        if (dsd.isDsd) {
            song_.artist = dsd.artist;
            if (!dsd.firstComment.isEmpty())
                song_.album = dsd.firstComment.mid(dsd.firstComment.lastIndexOf(QLatin1Char(':')) + 1).mid(1);
        }
        sampleRate = song_.sampleRate = dsdRateName(dsd.dsdRate);
    }
    const CodecLabel codec = codecLabel(decoder, song_.suffix);
    if (codec.codecCode)
        curfile_.codecCode = *codec.codecCode;
    if (codec.hiFi)
        curfile_.hiFi = *codec.hiFi;
    const RateLabel rate = rateLabel(sampleRate);
    if (rate.rateCode)
        curfile_.rateCode = *rate.rateCode;
    setServerField(QStringLiteral("IsHiFi"), int(curfile_.hiFi));
    setServerField(QStringLiteral("Currentlydecoder"), codec.label + QLatin1Char('/') + rate.label);
}

QString MusicBox::labelOfDevice(const QString& uuid) const
{
    for (const Deviceinformation& d : deviceList_)
        if (d.uuid == uuid)
            return d.label;
    return {};
}

void MusicBox::RevtSonginformation(Songinformation info)
{
    endTicks_ = 0;
    externalPosition_ = 0;
    song_ = info;
    if (seekPending_) {
        seekPending_ = false;
        const int seconds = resumeMinute_ * 60;
        if (player_->playerName() == QLatin1String("ZBplayer")) {
            player_->setStreamPosition(seconds);
        } else {
            player_->Playing_Setpos(seconds);
            player_->Playing_pos();
        }
    }
    getFiletypeLabel(song_.sampleRate, song_.decoder);
    if (song_.album.isEmpty())
        song_.album = kUnknownTag;
    if (song_.artist.isEmpty())
        song_.artist = kUnknownTag;

    curfile_.setName(current_.fileName);
    curfile_.setAlbum(song_.album);
    curfile_.setArtist(song_.artist);
    curfile_.setDeviceLabel(labelOfDevice(current_.deviceUuid));

    setServerField(QStringLiteral("Currentlyname"), current_.fileName);
    setServerField(QStringLiteral("Currentlypath"), current_.filePath);
    setServerField(QStringLiteral("Albumname"), song_.album);
    setServerField(QStringLiteral("Artistname"), song_.artist);
    emit UploadFeilInfo(curfile_);

    heartbeat_.trackNumber = quint32(currentIndex_ + 1);
    setServerField(QStringLiteral("CurrentlyID"), currentIndex_ + 1);
    emit Uploadheartbeat(heartbeat_);
}

// ---- update tick --------------------------------------------------------------------------

void MusicBox::update_Time()
{
    const QString name = player_->playerName();
    const bool library = name == QLatin1String("ZBplayer");
    const bool external = name == QLatin1String("Mplayer");
    if (!library && !external)
        return;
    if (library && player_->stream()) {
        length_ = int(player_->streamLength());
        position_ = int(player_->streamPosition());
        publishTick(false);
    } else if (external) {
        if (player_->isPlaying())
            player_->Playing_percent_pos();
        position_ = externalPosition_ + 1;
        length_ = song_.totalSeconds;
        publishTick(true);
    }

    if (const std::optional<quint8> minute = PlayModes::minuteToSave(position_, savedMinute_)) {
        savedMinute_ = *minute;
        resumeRecord_.minute = *minute;
        emit DspsavesendTimerdata(resumeRecord_);
    }

    if (library && player_->stream()) {
        if (!PlayModes::streamEnded(player_->streamLength(), player_->streamPosition(), player_->isStreamActive()))
            return;
        player_->setPlayerName(QStringLiteral("NULL"));
        player_->killzbPlayer(false);
    } else if (external && externalPosition_ >= song_.totalSeconds) {
        if (++endTicks_ <= MaxEndTicks)
            return;
        externalPosition_ = 0;
        player_->setPlayerName(QStringLiteral("NULL"));
    } else {
        return;
    }
    playNextAtEnd();
    saveMinuteZero();
}

void MusicBox::publishTick(bool externalPlayer)
{
    setServerField(QStringLiteral("Playbacktime"), position_);
    setServerField(QStringLiteral("Totaltime"), length_);
    setServerField(QStringLiteral("TotalID"), mediaList_.size());
    if (externalPlayer)
        setServerField(QStringLiteral("Playbackmode"), playMode_);
    heartbeat_.playMode = playMode_;
    heartbeat_.trackNumber = quint32(currentIndex_ + 1);
    heartbeat_.trackCount = quint32(mediaList_.size());
    heartbeat_.positionSeconds = quint32(qMax(position_, 0));
    heartbeat_.lengthSeconds = quint32(qMax(length_, 0));
    emit Uploadheartbeat(heartbeat_);
}

// ---- command server -----------------------------------------------------------------------

void MusicBox::GetHttpSeverPlayStatus(QString status)
{
    if (status == QLatin1String("1"))
        LastSong();
    else if (status == QLatin1String("2"))
        NextSong();
}

void MusicBox::GetHttpSearchFileName(QString text)
{
    if (mediaList_.isEmpty())
        return;
    server_->setSearchResults(searchMediaList(mediaList_, text));
    server_->sendsearchresult();
}
