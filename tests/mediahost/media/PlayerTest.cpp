// The player with the real mplayer and libzembla: engine, codes and labels per
// format, the external player's pause toggle and freeze, and what was played.
#include "MediaSandbox.h"
#include "TestSupport.h"
#include "mediahost/audio/zembla.h"
#include "mediahost/media/CommandServerState.h"
#include "mediahost/media/MusicBox.h"
#include "tests/mediahost/fixtures/AudioFixtures.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <ostream>

namespace {

constexpr int kPlayWaitMs = 60000;

// A stick "MUSIC" at sda1 holding the given files, and the library on it.
class OneStick {
public:
    OneStick()
    {
        box.setLsblk(MediaSandbox::lsblkLine("sda1", "vfat", "MUSIC", "1111-AAAA", mountPoint()));
        box.setMount(MediaSandbox::systemMountLines() + MediaSandbox::mountLine("/dev/sda1", mountPoint(), "MUSIC"));
    }
    QString mountPoint() const { return box.mediaRoot() + "/sda1"; }
    QString path(const QString& name) const { return mountPoint() + "/" + name; }
    void start()
    {
        server = new CommandServerState;
        lib = std::make_unique<MusicBox>(HostOptions{}, nullptr, server);
        info = std::make_unique<QSignalSpy>(lib.get(), &MusicBox::UploadFeilInfo);
    }
    QString field(const char* key) const { return server->fields().value(key).toVariant().toString(); }

    MediaSandbox box;
    CommandServerState* server = nullptr;
    std::unique_ptr<MusicBox> lib;
    std::unique_ptr<QSignalSpy> info;
};

// Writes song.<ext> (a 2 s tone; DSD with tags) into the stick.
bool makeSong(const OneStick& stick, const QString& ext)
{
    const std::string path = stick.path("song." + ext).toStdString();
    QDir().mkpath(stick.mountPoint());
    if (ext == "dsf" || ext == "dff") {
        fixtures::DsdFile dsd;
        dsd.tone.seconds = 2;
        dsd.artist = "Ada Artist";
        dsd.comment = "Recorded live";
        return ext == "dsf" ? fixtures::writeDsf(path, dsd) : fixtures::writeDff(path, dsd);
    }
    if (ext == "ape")
        return QFile::copy(QString::fromStdString(fixtures::apeTonePath()), QString::fromStdString(path));
    if (ext == "MP3") { // an MP3 named in capitals
        const std::string mp3 = path.substr(0, path.size() - 3) + "tmp.mp3";
        return fixtures::encodeTone(mp3, {1000, 2, 44100}) && QFile::rename(QString::fromStdString(mp3), QString::fromStdString(path));
    }
    return fixtures::encodeTone(path, {1000, 2, 44100});
}

QString text(const Utf16Field<CurfileInfo::NameUnits>& f, int n) { return utf16Text(f, n); }

struct FormatCase {
    const char* ext;
    const char* engine; // player name once chosen
    int codecCode;
    int rateCode;
    int hiFi;
    const char* decoderLabel;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.ext; }

const FormatCase kFormats[] = {
    {"mp3", "ZBplayer", 5, 1, 0, "MP3/44.1K"},   {"flac", "ZBplayer", 8, 1, 1, "FLAC/44.1K"},
    {"wav", "ZBplayer", 0, 1, 1, "WAV/44.1K"},   {"aiff", "Mplayer", 11, 1, 1, "AIFF/44.1K"},
    {"ogg", "Mplayer", 4, 1, 1, "OGG/44.1K"},    {"wma", "Mplayer", 15, 1, 1, "WAV2/44.1K"},
    {"ac3", "ZBplayer", 12, 1, 1, "AC3/44.1K"},  {"aac", "ZBplayer", 14, 1, 1, "AAC/44.1K"},
    {"m4a", "ZBplayer", 13, 1, 1, "M4A/44.1K"},  {"dts", "Mplayer", 9, 1, 1, "DTS/44.1K"},
    {"ape", "ZBplayer", 1, 1, 1, "APE/44.1K"},   {"dsf", "ZBplayer", 3, 9, 1, "DSD/DSD64"},
    {"dff", "ZBplayer", 3, 9, 1, "DSD/DSD64"},   {"MP3", "NULL", 5, 1, 0, "MP3/44.1K"},
};

} // namespace

class EveryFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(EveryFormat, ChoosesTheEngineAndReportsCodesAndLabels)
{
    const FormatCase& c = GetParam();
    OneStick stick;
    ASSERT_TRUE(makeSong(stick, c.ext));
    stick.start();
    MusicBox& lib = *stick.lib;
    ASSERT_TRUE(waitFor([&] { return stick.info->size() >= 1; }, kPlayWaitMs));
    const CurfileInfo cur = stick.info->last().at(0).value<CurfileInfo>();
    EXPECT_EQ(lib.player()->playerName(), c.engine);
    EXPECT_EQ(cur.codecCode, c.codecCode);
    EXPECT_EQ(cur.rateCode, c.rateCode);
    EXPECT_EQ(cur.hiFi, c.hiFi);
    EXPECT_EQ(stick.field("Currentlydecoder"), c.decoderLabel);
    EXPECT_EQ(stick.field("IsHiFi").toInt(), c.hiFi);
    EXPECT_EQ(text(cur.name, cur.nameUnits()), QString("song.") + c.ext);
    EXPECT_EQ(utf16Text(cur.deviceLabel, CurfileInfo::LabelUnits), "MUSIC  ");
    EXPECT_EQ(stick.field("Currentlyname"), QString("song.") + c.ext);
    EXPECT_EQ(stick.field("Currentlypath"), stick.path(QString("song.") + c.ext));
    EXPECT_EQ(stick.field("CurrentlyID").toInt(), 1);
    const bool dsd = QString(c.ext).startsWith("d") && c.codecCode == 3;
    EXPECT_EQ(utf16Text(cur.artist, cur.artistUnits()), dsd ? "Ada Artist" : QStringLiteral("未知"));
    EXPECT_EQ(utf16Text(cur.album, cur.albumUnits()), dsd ? "Recorded live" : QStringLiteral("未知"));

    if (QString(c.engine) == "ZBplayer") {
        ASSERT_NE(lib.player()->stream(), 0u);
        // Two seconds after the file was chosen the stream runs.
        ASSERT_TRUE(waitFor([&] { return lib.player()->isStreamActive(); }, kPlayWaitMs));
        EXPECT_TRUE(lib.player()->isPlaying());
        EXPECT_NEAR(lib.player()->streamLength(), 2.0, 0.1);
    } else if (QString(c.engine) == "Mplayer") {
        EXPECT_EQ(lib.player()->stream(), 0u);
        // The external player starts a second later and plays the file.
        ASSERT_TRUE(waitFor([&] { return lib.player()->mplayerPid() != 0; }, kPlayWaitMs));
        EXPECT_EQ(lib.player()->totalSeconds(), 2);
    } else {
        EXPECT_EQ(lib.player()->stream(), 0u); // neither the file's opening nor the engine choice makes one
    }
}

INSTANTIATE_TEST_SUITE_P(Files, EveryFormat, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatCase>& i) {
                             return std::string(QString(i.param.ext) == "MP3" ? "upperMP3" : i.param.ext);
                         });

namespace {

QStringList capturedLog;
void captureLog(QtMsgType, const QMessageLogContext&, const QString& message) { capturedLog << message; }

} // namespace

TEST(ExternalPlayer, PauseAndResumeSendPauseTwice)
{
    OneStick stick;
    ASSERT_TRUE(makeSong(stick, "ogg"));
    stick.start();
    Player& player = *stick.lib->player();
    ASSERT_TRUE(waitFor([&] { return player.playerName() == "Mplayer" && player.mplayerPid() != 0; }, kPlayWaitMs));
    ASSERT_TRUE(player.isPlaying());
    // Position answers of the running player arrive as numbers.
    QSignalSpy positions(&player, &Player::sendSongPos);
    player.Playing_percent_pos();
    ASSERT_TRUE(waitFor([&] { return !positions.isEmpty(); }));
    EXPECT_GE(positions.first().at(0).toInt(), 0);
    EXPECT_LE(positions.first().at(0).toInt(), 100);
    capturedLog.clear();
    qInstallMessageHandler(captureLog);
    stick.lib->togglePlayer();
    EXPECT_FALSE(player.isPlaying());
    stick.lib->togglePlayer();
    qInstallMessageHandler(nullptr);
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(capturedLog.filter("pause").size(), 2) << capturedLog.join("\n").toStdString();
}

TEST(ExternalPlayer, PullingItsStickFreezesIt)
{
    OneStick stick;
    ASSERT_TRUE(makeSong(stick, "ogg"));
    stick.start();
    Player& player = *stick.lib->player();
    ASSERT_TRUE(waitFor([&] { return player.playerName() == "Mplayer" && player.mplayerPid() != 0; }, kPlayWaitMs));
    const qint64 pid = player.mplayerPid();
    stick.box.setLsblk("");
    stick.lib->updateUSBdeviceList();
    EXPECT_TRUE(player.isFrozen());
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(stick.lib->mediaList().isEmpty());
    auto state = [pid] {
        QFile stat(QString("/proc/%1/stat").arg(pid));
        const QByteArray fields = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        return fields.mid(fields.lastIndexOf(')') + 2, 1);
    };
    EXPECT_TRUE(waitFor([&] { return state() == "T"; })) << state().toStdString(); // stopped, not killed
}

TEST(LibraryPlayer, TheOutputReceivesTheEncodedTone)
{
    OneStick stick;
    const QString wav = stick.box.mediaRoot() + "/../played.wav";
    qputenv("ZEMBLA_OUTPUT", ("wav:" + wav).toUtf8());
    ASSERT_TRUE(makeSong(stick, "flac"));
    stick.start();
    Player& player = *stick.lib->player();
    ASSERT_TRUE(waitFor([&] { return player.isStreamActive(); }, kPlayWaitMs));
    ASSERT_TRUE(waitFor([&] { return !player.isStreamActive(); }, kPlayWaitMs));
    player.killzbPlayer(true);
    const fixtures::WavContent played = fixtures::readWav(wav.toStdString());
    ASSERT_TRUE(played.valid);
    EXPECT_NEAR(double(played.firstChannel.size()) / played.sampleRate, 2.0, 0.1);
    const std::vector<float> middle(played.firstChannel.begin() + 22050, played.firstChannel.end() - 22050);
    EXPECT_GT(fixtures::toneShare(middle, played.sampleRate, 1000), 0.9);
    EXPECT_GT(fixtures::rms(middle), 0.2 * fixtures::kEncodedPeak);
}

TEST(LibraryPlayer, StepsForwardAndBackInTheStream)
{
    OneStick stick;
    const QString path = stick.path("long.flac");
    QDir().mkpath(stick.mountPoint());
    ASSERT_TRUE(fixtures::encodeTone(path.toStdString(), {1000, 12, 44100}));
    Player player;
    player.SetFilePath(path, "flac");
    ASSERT_NE(player.stream(), 0u);
    EXPECT_EQ(player.playerName(), "ZBplayer");
    player.Play();
    EXPECT_TRUE(player.isStreamActive());
    player.PlayeringProgress(-5); // forward
    EXPECT_GE(player.streamPosition(), 5.0);
    EXPECT_LT(player.streamPosition(), 6.0);
    player.PlayeringProgress(5); // back
    EXPECT_LT(player.streamPosition(), 1.0);
    player.PlayeringProgress(5); // not before the start
    EXPECT_GE(player.streamPosition(), 0.0);
    player.Play();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(BASS_ChannelIsActive(player.stream()), ZEMBLA_ACTIVE_PAUSED);
}

TEST(LibraryPlayer, VanishedFilesOpenNothingAndAWavWithoutAnswerFallsBack)
{
    MediaSandbox box;
    Player player;
    QSignalSpy info(&player, &Player::sendSonginformation);
    for (const char* suffix : {"flac", "mp3", "ape", "dsf", "ogg"}) {
        player.SetFilePath(box.mediaRoot() + "/gone/song." + suffix, suffix);
        EXPECT_EQ(player.stream(), 0u) << suffix;
    }
    spin(1500);
    EXPECT_EQ(info.size(), 1); // only the DSD file reports at once, with no stream
    player.SetFilePath(box.mediaRoot() + "/gone/song.wav", "wav");
    ASSERT_TRUE(waitFor([&] { return info.size() == 2; }, kPlayWaitMs));
    const Songinformation song = info.last().at(0).value<Songinformation>();
    EXPECT_EQ(song.decoder, "pcm");
    EXPECT_EQ(song.sampleRate, "48000 Hz");
    EXPECT_EQ(song.album, "zembla");
    EXPECT_EQ(song.artist, "zembla");
    EXPECT_EQ(song.bitrate, "zembla");
    EXPECT_EQ(song.playerName, "ZBplayer");
    EXPECT_EQ(player.stream(), 0u);
}
