#include "mediahost/media/Player.h"

#include "mediahost/audio/zembla.h"
#include "mediahost/media/FileTypeLabels.h"

#include <QDebug>

#include <cmath>

namespace {

// The value of a slave answer KEY='VALUE': after the last "=", quotes removed.
QString answerValue(const QString& line)
{
    QString value = line.mid(line.lastIndexOf(QLatin1Char('=')) + 1);
    return value.mid(1, value.size() - 2);
}

// The stream kinds the library reads, by the program's own codes.
constexpr DWORD kDsdStreamType = 0x11700;
constexpr DWORD kDsdRateAttribute = 0x14001;
constexpr DWORD kDsdArtistTag = 0x13000;
constexpr DWORD kDsdFirstCommentTag = 0x13100;
constexpr DWORD kVolumeAttribute = 2;

} // namespace

Player::Player(QObject* parent) : QObject(parent)
{
    startTimer_.setSingleShot(true);
    startTimer_.setInterval(StartDelayMs);
    connect(&startTimer_, &QTimer::timeout, this, &Player::update_Time);
    tagTimer_.setInterval(TagTimeoutMs);
    connect(&tagTimer_, &QTimer::timeout, this, &Player::ParseID3_Time);
    SetVolume(0);
}

Player::~Player()
{
    killProcess();
    if (stream_)
        BASS_StreamFree(stream_);
}

// ---- opening a file ---------------------------------------------------------------

void Player::SetFilePath(const QString& path, const QString& suffix)
{
    path_ = path;
    suffix_ = suffix;
    const bool dsd = suffix == QLatin1String("dsf") || suffix == QLatin1String("dff");
    if (!dsd) {
        tagTimer_.start();
        AnalysisID3(path);
    }
    if (suffix == QLatin1String("mp3")) {
        createStream(Engine::Plain);
        playerName_ = QStringLiteral("ZBplayer");
    } else if (dsd) {
        killProcess();
        createStream(Engine::Dsd);
        decoder_ = QStringLiteral("ffdsd");
        bitrate_.clear();
        sampleRate_.clear();
        album_.clear();
        artist_.clear();
        playerName_ = lastPlayerName_ = QStringLiteral("ZBplayer");
        emit sendSonginformation(currentInfo());
    } else if (suffix == QLatin1String("ape") || suffix == QLatin1String("flac")) {
        createStream(suffix == QLatin1String("ape") ? Engine::Ape : Engine::Flac);
        playerName_ = lastPlayerName_ = QStringLiteral("ZBplayer");
    }
}

bool Player::Initialize()
{
    if (BASS_GetVersion() >> 16 != 0x0204)
        Error(QStringLiteral("An incorrect version of BASS was loaded"));
    if (BASS_Init(-1, 44100, 0, nullptr, nullptr))
        return true;
    // The output stays up between files; only a real failure is news.
    if (BASS_ErrorGetCode() == ZEMBLA_ERROR_ALREADY)
        return true;
    Error(QStringLiteral("Can't initialize device"));
    return false;
}

void Player::createStream(Engine engine)
{
    if (!stream_) {
        qDebug() << "ZemblaIinit";
        Initialize();
    } else {
        BASS_StreamFree(stream_); // one stream at a time
        stream_ = 0;
    }
    const QByteArray file = path_.toLocal8Bit();
    const char* f = file.constData();
    switch (engine) {
    case Engine::Plain: stream_ = BASS_StreamCreateFile(0, f, 0, 0, 0); break;
    case Engine::Dsd: stream_ = BASS_DSD_StreamCreateFile(0, f, 0, 0, 0, 44100); break;
    case Engine::Flac: stream_ = BASS_FLAC_StreamCreateFile(0, f, 0, 0, 0); break;
    case Engine::Ape: stream_ = BASS_APE_StreamCreateFile(0, f, 0, 0, 0); break;
    case Engine::Aac: stream_ = BASS_AAC_StreamCreateFile(0, f, 0, 0, 0); break;
    case Engine::Mp4: stream_ = BASS_MP4_StreamCreateFile(0, f, 0, 0, 0); break;
    case Engine::Ac3: stream_ = BASS_AC3_StreamCreateFile(0, f, 0, 0, 0); break;
    case Engine::None:
    case Engine::External: break;
    }
    if (!stream_ && engine != Engine::None && engine != Engine::External)
        Error(QStringLiteral("no stream for %1 (error %2)").arg(path_).arg(BASS_ErrorGetCode()));
}

void Player::killzbPlayer(bool all)
{
    if (all) {
        BASS_Free();
        stream_ = 0;
    } else if (stream_) {
        BASS_StreamFree(stream_);
        stream_ = 0; // a freed handle is never used again
    }
}

// ---- the tag query ----------------------------------------------------------------

void Player::startMplayer(const QStringList& arguments, void (Player::*reader)())
{
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    connect(process_, &QProcess::readyRead, this, reader);
    process_->start(mplayerPath_, arguments);
}

void Player::killProcess()
{
    if (!process_)
        return;
    QProcess* old = process_;
    process_ = nullptr;
    old->disconnect(this);
    old->kill();
    old->waitForFinished(1000);
    old->deleteLater();
}

void Player::AnalysisID3(const QString& path)
{
    if (!frozen_)
        killProcess();
    startMplayer({path, "-slave", "-quiet", "-zoom", "-vo", "null", "-ao", "null"}, &Player::dataReceive);
    for (const char* query : {"get_time_length\n", "get_percent_pos\n", "get_audio_bitrate\n", "get_audio_codec\n",
                              "get_meta_album\n", "get_meta_artist\n", "get_audio_samples\n"})
        sendCommand(query);
}

void Player::dataReceive()
{
    QProcess* source = qobject_cast<QProcess*>(sender());
    while (source && source == process_ && source->canReadLine()) {
        QString line = QString::fromLocal8Bit(source->readLine());
        line.chop(line.endsWith(QLatin1Char('\n')) ? 1 : 0);
        qDebug() << line;
        if (line.startsWith(QLatin1String("ANS_AUDIO_CODEC"))) {
            decoder_ = answerValue(line);
            if (decoder_ != canonicalDecoder(decoder_)) {
                qDebug() << "decoder" << decoder_ << "taken as" << canonicalDecoder(decoder_);
                decoder_ = canonicalDecoder(decoder_);
            }
        } else if (line.startsWith(QLatin1String("ANS_AUDIO_SAMPLES"))) {
            tagTimer_.stop();
            const QString value = answerValue(line);
            sampleRate_ = value.left(value.indexOf(QLatin1Char(',')));
            killProcess();
            frozen_ = false;
            StartPlaying();
        } else if (line.startsWith(QLatin1String("ANS_AUDIO_BITRATE"))) {
            bitrate_ = answerValue(line);
        } else if (line.startsWith(QLatin1String("ANS_META_ALBUM"))) {
            album_ = answerValue(line);
        } else if (line.startsWith(QLatin1String("ANS_META_ARTIST"))) {
            artist_ = answerValue(line);
        } else if (line.startsWith(QLatin1String(" author"))) {
            album_ = line.mid(line.lastIndexOf(QLatin1Char(':')) + 1);
        } else if (line.startsWith(QLatin1String("ANS_LENGTH"))) {
            totalSeconds_ = qint32(line.mid(11).toFloat());
        }
    }
}

void Player::ParseID3_Time()
{
    killProcess();
    frozen_ = false;
    if (suffix_ != QLatin1String("wav"))
        return;
    tagTimer_.stop();
    createStream(Engine::Plain);
    decoder_ = QStringLiteral("pcm");
    sampleRate_ = QStringLiteral("48000 Hz");
    album_ = artist_ = bitrate_ = QStringLiteral("zembla");
    playerName_ = lastPlayerName_ = QStringLiteral("ZBplayer");
    emit sendSonginformation(currentInfo());
}

// ---- choosing the engine ----------------------------------------------------------

Player::Engine Player::engineFor(const QString& decoder, const QString& suffix) const
{
    struct Row {
        const char* decoder;
        QStringList suffixes; // empty: any
        Engine engine;
    };
    static const QVector<Row> rows{
        {"ffaac", {"aac"}, Engine::Aac},
        {"ffaac", {"m4a"}, Engine::Mp4},
        {"ffaac", {}, Engine::None},
        {"ffdca", {}, Engine::External},
        {"ffac3", {}, Engine::Ac3},
        {"pcm", {"wav"}, Engine::Plain},
        {"pcm", {"aiff", "MP3", "aif"}, Engine::External},
        {"ffmp3float", {"m4a", "wav"}, Engine::External},
        {"ffvorbis", {}, Engine::External},
        {"ffwmall", {}, Engine::External},
        {"ffwmav2", {}, Engine::External},
        {"ffalac", {}, Engine::External},
    };
    for (const Row& row : rows) {
        if (decoder == QLatin1String(row.decoder) && (row.suffixes.isEmpty() || row.suffixes.contains(suffix)))
            return row.engine;
    }
    return Engine::None;
}

void Player::StartPlaying()
{
    const Engine engine = engineFor(decoder_, suffix_);
    if (engine == Engine::External) {
        if (lastPlayerName_ == QLatin1String("null") || lastPlayerName_ == QLatin1String("ZBplayer"))
            killzbPlayer(true);
        startTimer_.start();
        playerName_ = QStringLiteral("Mplayer");
    } else if (engine != Engine::None) {
        if (engine == Engine::Plain)
            qDebug() << "PCMdecoder";
        createStream(engine);
        playerName_ = QStringLiteral("ZBplayer");
    }
    lastPlayerName_ = playerName_;
    emit sendSonginformation(currentInfo());
}

// ---- the external player ----------------------------------------------------------

void Player::update_Time()
{
    startTimer_.stop();
    if (!path_.isEmpty())
        mplayerPlaying(path_);
}

void Player::mplayerPlaying(const QString& path)
{
    if (!frozen_)
        killProcess();
    startMplayer({path, "-slave", "-quiet", "-zoom", "-vo", "null"}, &Player::PlayingdataReceive);
    frozen_ = false;
}

void Player::PlayingdataReceive()
{
    QProcess* source = qobject_cast<QProcess*>(sender());
    while (source && source == process_ && source->canReadLine()) {
        QString line = QString::fromLocal8Bit(source->readLine());
        line.chop(line.endsWith(QLatin1Char('\n')) ? 1 : 0);
        if (line.startsWith(QLatin1String("ANS_TIME_POSITION")))
            emit sendSongPos(int(line.mid(18).toFloat()));
        else if (line.startsWith(QLatin1String("ANS_PERCENT_POSITION")))
            emit sendSongPos(int(line.mid(21).toFloat()));
    }
}

void Player::sendCommand(const QByteArray& command)
{
    if (!process_)
        return;
    qDebug() << "mplayer <-" << command.trimmed();
    process_->write(command);
}

void Player::Playing_pos() { sendCommand("get_time_pos\n"); }
void Player::Playing_percent_pos() { sendCommand("get_percent_pos\n"); }
void Player::Playing_Setpos(int seconds) { sendCommand(QStringLiteral("seek %1 2\n").arg(seconds).toLatin1()); }
void Player::Playing_Fastback(int) { sendCommand("seek -2 0\n"); }
void Player::Playing_Fastforward(int) { sendCommand("seek +1 0\n"); }
void Player::mplayerStop() { sendCommand("pause\n"); }

// ---- running ------------------------------------------------------------------------

void Player::Play()
{
    const bool library = playerName_ == QLatin1String("ZBplayer");
    if (!playing_) {
        if (library) {
            if (!BASS_ChannelPlay(stream_, 0))
                Error(QString::number(BASS_ErrorGetCode()));
        } else if (playerName_ == QLatin1String("Mplayer")) {
            mplayerStop();
        }
    } else if (library) {
        BASS_ChannelPause(stream_);
    } else {
        mplayerStop();
    }
    playing_ = !playing_;
}

void Player::PlayeringProgress(float seconds)
{
    if (!stream_)
        return;
    const double position = streamPosition() - double(seconds);
    setStreamPosition(qMax(0.0, position));
}

void Player::SetVolume(int v)
{
    BASS_ChannelSetAttribute(stream_, kVolumeAttribute, float(std::exp(v / dbFactor_) / 1000.0));
}

void Player::Error(const QString& text) { qDebug() << text; }

double Player::streamLength() const
{
    const QWORD bytes = BASS_ChannelGetLength(stream_, 0);
    return bytes == QWORD(-1) ? -1 : BASS_ChannelBytes2Seconds(stream_, bytes);
}

double Player::streamPosition() const
{
    const QWORD bytes = BASS_ChannelGetPosition(stream_, 0);
    return bytes == QWORD(-1) ? -1 : BASS_ChannelBytes2Seconds(stream_, bytes);
}

bool Player::setStreamPosition(double seconds)
{
    return BASS_ChannelSetPosition(stream_, BASS_ChannelSeconds2Bytes(stream_, seconds), 0);
}

bool Player::isStreamActive() const { return BASS_ChannelIsActive(stream_) != 0; }

Player::DsdDetails Player::dsdDetails() const
{
    DsdDetails details;
    BASS_CHANNELINFO info{};
    if (!stream_ || !BASS_ChannelGetInfo(stream_, &info) || info.ctype != kDsdStreamType)
        return details;
    details.isDsd = true;
    details.artist = QString::fromUtf8(BASS_ChannelGetTags(stream_, kDsdArtistTag));
    details.firstComment = QString::fromUtf8(BASS_ChannelGetTags(stream_, kDsdFirstCommentTag));
    float rate = 0;
    if (BASS_ChannelGetAttribute(stream_, kDsdRateAttribute, &rate))
        details.dsdRate = rate;
    return details;
}

Songinformation Player::currentInfo() const
{
    return Songinformation{bitrate_, decoder_, sampleRate_, extra_, album_, artist_, playerName_, suffix_,
                           totalSeconds_};
}
