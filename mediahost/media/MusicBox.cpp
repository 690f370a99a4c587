#include "mediahost/media/MusicBox.h"

#include "mediahost/media/CommandServerState.h"
#include "mediahost/media/FileTypeLabels.h"
#include "mediahost/media/LinuxCommand.h"
#include "mediahost/media/StorageScan.h"

#include <QDateTime>
#include <QPair>
#include <QTime>
#include <QDebug>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

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
    Writepath(currentIndex_);
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
    const MediaObjectInfo& entry = mediaList_.at(index);
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
    resumeRecord_.minute = 0;
    emit DspsavesendTimerdata(resumeRecord_);
}

QPair<int, int> MusicBox::folderRange() const
{
    auto folderOf = [](const QString& path) { return path.left(path.lastIndexOf(QLatin1Char('/'))); };
    const QString folder = folderOf(current_.filePath);
    int first = -1, last = -1;
    for (int i = 0; i < mediaList_.size(); ++i) {
        if (folderOf(mediaList_.at(i).filePath) == folder) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) // the current file is not listed: the whole list
        return {0, int(mediaList_.size()) - 1};
    return {first, last};
}

void MusicBox::chooseByMode(bool forward)
{
    const int size = mediaList_.size();
    const QTime now = QTime::currentTime();
    switch (playMode_) {
    case 1: {
        std::srand(unsigned(std::rand() * (now.second() * 1000) + now.msec()));
        stepTo(std::rand() % size);
        break;
    }
    case 3: {
        const QPair<int, int> range = folderRange();
        if (forward)
            stepTo(currentIndex_ + 1 > range.second ? range.first : currentIndex_ + 1);
        else
            stepTo(currentIndex_ - 1 < range.first ? range.second : currentIndex_ - 1);
        break;
    }
    case 4: {
        const QPair<int, int> range = folderRange();
        if (size == 1) {
            stepTo(0);
            break;
        }
        unsigned seed = unsigned(now.msec());
        for (int i = 0; i < 6; ++i)
            seed *= unsigned(std::rand());
        std::srand(seed);
        stepTo(range.first + std::rand() % (range.second - range.first + 1));
        break;
    }
    default:
        if (forward)
            stepTo(currentIndex_ + 1 >= size ? 0 : currentIndex_ + 1);
        else
            stepTo(currentIndex_ - 1 < 0 ? size - 1 : currentIndex_ - 1);
        break;
    }
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
