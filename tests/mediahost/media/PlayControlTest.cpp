// The library's play control with real files and the real player (output to
// the null sink): the update tick, the minute save, the end of a file by
// mode, remote play commands and resume at the saved minute.

#include "MediaSandbox.h"
#include "TestSupport.h"
#include "mediahost/media/MusicBox.h"
#include "mediahost/remote/QHttpServer.h"
#include "tests/mediahost/fixtures/AudioFixtures.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

constexpr const char* Uuid = "7777-AAAA";

class PlayControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(box.isValid());
        options.mediaRoot = box.mediaRoot();
        box.setMount(MediaSandbox::mountLine("/dev/sda1", mp("sda1"), "CAR"));
    }

    QString mp(const QString& relative) const { return box.mediaRoot() + "/" + relative; }

    void tone(const QString& relative, double seconds, double frequency = 440)
    {
        QDir().mkpath(QFileInfo(mp(relative)).path());
        ASSERT_TRUE(fixtures::encodeTone(mp(relative).toStdString(), fixtures::Tone{frequency, seconds, 44100}));
    }

    // The library with the stick mounted as `device` and every file listed.
    std::unique_ptr<MusicBox> startLibrary(int files, const QString& device = QStringLiteral("sda1"))
    {
        box.setLsblk(MediaSandbox::lsblkLine(device, "vfat", "CAR", Uuid, mp(device)));
        box.setMount(MediaSandbox::mountLine("/dev/" + device, mp(device), "CAR"));
        server = new QHttpServer(box.mediaRoot());
        auto lib = std::make_unique<MusicBox>(options, nullptr, server);
        minutes = std::make_unique<QSignalSpy>(lib.get(), &MusicBox::DspsavesendTimerdata);
        started = std::make_unique<QSignalSpy>(lib.get(), &MusicBox::UpdatePlayerInfor);
        EXPECT_TRUE(waitFor([&] { return lib->mediaList().size() == files; }));
        return lib;
    }

    // Waits until the library stream plays `path`.
    static bool playing(MusicBox& lib, const QString& path)
    {
        return waitFor([&] {
            return lib.current().filePath == path && lib.player()->playerName() == QLatin1String("ZBplayer")
                && lib.player()->stream() != 0 && lib.player()->isStreamActive();
        });
    }

    std::vector<int> minutesWritten() const
    {
        std::vector<int> written;
        for (const QList<QVariant>& args : *minutes)
            written.push_back(args.at(0).value<PlayFileinfo>().minute);
        return written;
    }

    MediaSandbox box;
    HostOptions options;
    QHttpServer* server = nullptr; // owned by the library
    std::unique_ptr<QSignalSpy> minutes;
    std::unique_ptr<QSignalSpy> started;
};

TEST_F(PlayControl, TickReportsThePlayAndSavesEachMinuteThenZeroOnNext)
{
    tone("sda1/long.flac", 200);
    tone("sda1/next.flac", 30);
    auto lib = startLibrary(2);
    QSignalSpy beats(lib.get(), &MusicBox::Uploadheartbeat);
    ASSERT_TRUE(playing(*lib, mp("sda1/long.flac")));

    ASSERT_TRUE(waitFor([&] { return !beats.isEmpty() && beats.last().at(0).value<Heartbeat>().lengthSeconds == 200; }));
    const Heartbeat hb = beats.last().at(0).value<Heartbeat>();
    EXPECT_EQ(hb.trackNumber, 1u);
    EXPECT_EQ(hb.trackCount, 2u);
    EXPECT_EQ(server->field("Totaltime").toInt(), 200);
    EXPECT_EQ(server->field("TotalID").toInt(), 2);

    for (int minute = 1; minute <= 3; ++minute) {
        lib->player()->setStreamPosition(minute * 60 - 1);
        ASSERT_TRUE(waitFor([&] { return int(minutesWritten().size()) == minute; })) << minute;
        EXPECT_EQ(lib->savedMinute(), minute);
    }
    EXPECT_GE(server->field("Playbacktime").toInt(), 180);
    lib->NextSong();
    EXPECT_EQ(minutesWritten(), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(lib->current().filePath, mp("sda1/next.flac"));
}

TEST_F(PlayControl, EndOfFileFollowsThePlayMode)
{
    tone("sda1/A/1.flac", 1, 440);
    tone("sda1/A/2.flac", 1, 523);
    tone("sda1/B/3.flac", 1, 659);
    auto lib = startLibrary(3);
    ASSERT_TRUE(playing(*lib, mp("sda1/A/1.flac")));

    // Mode 0: on to the next file, minute 0 written.
    ASSERT_TRUE(playing(*lib, mp("sda1/A/2.flac")));
    EXPECT_EQ(lib->currentIndex(), 1);
    EXPECT_FALSE(minutesWritten().empty());
    EXPECT_EQ(minutesWritten().back(), 0);

    // Mode 2: the file starts again.
    lib->setPlayMode(PlayModes::RepeatOne);
    const int startsBefore = started->size();
    ASSERT_TRUE(waitFor([&] { return started->size() > startsBefore; }));
    EXPECT_EQ(lib->current().filePath, mp("sda1/A/2.flac"));

    // Mode 3: the folder A loops back to its first file.
    lib->setPlayMode(PlayModes::FolderLoop);
    ASSERT_TRUE(waitFor([&] { return lib->current().filePath == mp("sda1/A/1.flac"); }));
}

TEST_F(PlayControl, RemoteCommandsPlayPathsAndStepWhileLongKeysMoveInTheFile)
{
    tone("sda1/a.flac", 30);
    tone("sda1/b.flac", 30);
    tone("sda1/c.flac", 30);
    auto lib = startLibrary(3);
    ASSERT_TRUE(playing(*lib, mp("sda1/a.flac")));
    const int startsBefore = started->size();

    emit server->SetPlaybackStatus(QStringLiteral("3"));
    emit server->SetPlaybackStatus(QString());
    EXPECT_EQ(started->size(), startsBefore);
    EXPECT_TRUE(minutesWritten().empty());

    emit server->SetPlaybackStatus(QStringLiteral("2"));
    EXPECT_EQ(lib->current().filePath, mp("sda1/b.flac"));
    emit server->SetPlaybackStatus(QStringLiteral("1"));
    EXPECT_EQ(lib->current().filePath, mp("sda1/a.flac"));

    emit server->SetPlayerFile(mp("sda1/c.flac"));
    EXPECT_EQ(lib->currentIndex(), 2);
    emit server->SetPlayerFile(mp("sda1/missing.flac"));
    EXPECT_EQ(lib->currentIndex(), 2);
    ASSERT_TRUE(playing(*lib, mp("sda1/c.flac")));

    // Long right key: 5 s forward; long left key: 5 s back.
    lib->player()->setStreamPosition(10);
    lib->FastForBack();
    EXPECT_NEAR(lib->player()->streamPosition(), 15.0, 1.0);
    lib->FastForWard();
    EXPECT_NEAR(lib->player()->streamPosition(), 10.0, 1.0);

    // The server knows the devices for its folder query of the media root.
    ASSERT_EQ(server->deviceList().size(), 1);
    EXPECT_EQ(server->deviceList().first().mountPoint, mp("sda1"));
}

TEST_F(PlayControl, ResumesOnAnotherMountPointAtTheSavedMinute)
{
    tone("sdb1/Live/concert.flac", 200);
    tone("sdb1/Live/encore.flac", 30);
    box.setLsblk(QString());
    server = new QHttpServer(box.mediaRoot());
    MusicBox lib(options, nullptr, server);
    // Saved while the stick was mounted as sda1.
    lib.setResumePoint(2, mp("sda1/Live/concert.flac"), Uuid);
    box.setLsblk(MediaSandbox::lsblkLine("sdb1", "vfat", "CAR", Uuid, mp("sdb1")));
    lib.updateUSBdeviceList();

    ASSERT_TRUE(playing(lib, mp("sdb1/Live/concert.flac")));
    EXPECT_GE(lib.player()->streamPosition(), 120.0);
    ASSERT_TRUE(waitFor([&] { return lib.mediaList().size() == 2 && lib.currentIndex() == 0; }));
    // The record written when the file started names the new mount point.
    QSignalSpy record(&lib, &MusicBox::DspsavesendFeildata);
    lib.NextSong();
    ASSERT_TRUE(waitFor([&] { return !record.isEmpty(); }));
    EXPECT_EQ(record.last().at(0).value<PlayFileinfo>().pathText(), mp("sdb1/Live/encore.flac"));
    EXPECT_EQ(record.last().at(0).value<PlayFileinfo>().deviceIdText(), QString::fromLatin1(Uuid));
}

TEST_F(PlayControl, AResumedFileNotYetListedKeepsItsOwnResumeRecord)
{
    // The worker never lists a hidden folder: it stands for a file the walk
    // has not reached when the play delay ends.
    tone("sdb1/.later/concert.flac", 30);
    tone("sdb1/a.flac", 30);
    box.setLsblk(QString());
    MusicBox lib(options);
    QSignalSpy record(&lib, &MusicBox::DspsavesendFeildata);
    lib.setResumePoint(0, mp("sda1/.later/concert.flac"), Uuid);
    box.setLsblk(MediaSandbox::lsblkLine("sdb1", "vfat", "CAR", Uuid, mp("sdb1")));
    lib.updateUSBdeviceList();

    ASSERT_TRUE(playing(lib, mp("sdb1/.later/concert.flac")));
    ASSERT_EQ(lib.mediaList().size(), 1);
    ASSERT_EQ(record.size(), 1);
    EXPECT_EQ(record.last().at(0).value<PlayFileinfo>().pathText(), mp("sdb1/.later/concert.flac"));
}

TEST_F(PlayControl, TheExternalPlayerAtItsEndMovesOn)
{
    tone("sda1/1.ogg", 60);
    tone("sda1/2.flac", 30);
    auto lib = startLibrary(2);
    Player* player = lib->player();
    ASSERT_TRUE(waitFor([&] {
        return lib->current().filePath == mp("sda1/1.ogg") && player->playerName() == QLatin1String("Mplayer")
            && server->field("Totaltime").toInt() == 60 && server->field("Playbacktime").toInt() >= 3;
    })); // its position answers arrive: the playing process runs
    player->Playing_Setpos(58);
    ASSERT_TRUE(playing(*lib, mp("sda1/2.flac")));
    EXPECT_EQ(lib->currentIndex(), 1);
    EXPECT_EQ(minutesWritten().back(), 0);
}

// A short file played to its natural end (no seek) on the external player
// still reaches the end rule and moves on.
TEST_F(PlayControl, AShortFileOnTheExternalPlayerMovesOnWhenThePlayerExits)
{
    tone("sda1/1.ogg", 3);
    tone("sda1/2.flac", 30);
    auto lib = startLibrary(2);
    ASSERT_TRUE(waitFor([&] {
        return lib->current().filePath == mp("sda1/1.ogg") && lib->player()->playerName() == QLatin1String("Mplayer");
    }));
    EXPECT_TRUE(playing(*lib, mp("sda1/2.flac")));
    EXPECT_EQ(lib->currentIndex(), 1);
}

} // namespace
