// The start-up object with both links on pseudo-terminals against the two
// simulators, and a recording stand-in for the media library.

#include "TestSupport.h"

#include "mediahost/core/RemoteCommandServer.h"
#include "mediahost/core/appinit.h"
#include "mediahost/serial/DSPSerial.h"
#include "mediahost/serial/Payloads.h"
#include "mediahost/serial/Serial.h"

#include <QMap>

#include <gtest/gtest.h>

namespace {

class RecordingServer : public RemoteCommandServer {
public:
    void setField(const QString& key, const QJsonValue& value) override { fields[key] = value; }
    QMap<QString, QJsonValue> fields;
};

// Records what the start-up object asks of the library.
class RecordingLibrary : public MediaLibrary {
public:
    using MediaLibrary::MediaLibrary;
    RemoteCommandServer* commandServer() override { return &server; }
    void setResumePoint(quint8 m, const QString& p, const QString& id) override
    {
        minute = m;
        path = p;
        deviceId = id;
    }
    void setPlayMode(quint8 mode) override { playMode = mode; }
    bool isPlayerRunning() const override { return running; }
    void togglePlayer() override { running = !running; }
    void NextSong() override { calls << QStringLiteral("NextSong"); }
    void LastSong() override { calls << QStringLiteral("LastSong"); }
    void FastForWard() override { calls << QStringLiteral("FastForWard"); }
    void FastForBack() override { calls << QStringLiteral("FastForBack"); }
    void SetplayTackPath(QString p) override { calls << QStringLiteral("play ") + p; }

    RecordingServer server;
    quint8 minute = 0xFF;
    QString path, deviceId;
    int playMode = -1;
    bool running = false;
    QStringList calls;
};

class AppInitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dsp = makeDspSimulator();
        panel = makePanelSimulator();
        ASSERT_TRUE(dsp && panel);
        options.dspPort = dsp->path();
        options.panelPort = panel->path();
    }
    void start(bool withLibrary = true)
    {
        MediaLibraryFactory factory;
        if (withLibrary) {
            factory = [this](QObject* parent) {
                createdAtTick = host->initTicks();
                library = new RecordingLibrary(parent);
                return library;
            };
        }
        host = std::make_unique<appinit>(options, factory);
    }
    void startRunning()
    {
        start();
        ASSERT_TRUE(waitFor([&] { return library != nullptr && host->panelLink()->isDspReady(); }));
    }
    int dspFrames(quint8 group, quint8 command) const { return countFrames(dsp->received(), group, command); }
    bool waitDspFrames(quint8 group, quint8 command, int n)
    {
        return waitFor([&] { return dspFrames(group, command) >= n; });
    }
    Frame panelRead(quint8 group, quint8 command)
    {
        const int before = panel->received().size();
        panel->sendRead(group, command);
        if (!waitFor([&] { return panel->received().size() > before; }))
            return Frame{};
        return panel->received().at(before);
    }

    std::unique_ptr<DspSimulator> dsp;
    std::unique_ptr<PanelSimulator> panel;
    HostOptions options;
    std::unique_ptr<appinit> host;
    RecordingLibrary* library = nullptr;
    int createdAtTick = -1;
};

TEST_F(AppInitTest, CreatesTheLibraryOnTheFourthTickWithTheResumePoint)
{
    dsp->setResumePoint(3, QStringLiteral("1234-5678"), QStringLiteral("/run/media/sda1/Music/a.flac"));
    start();
    ASSERT_TRUE(waitFor([&] { return library != nullptr; }));
    EXPECT_EQ(createdAtTick, 4);
    EXPECT_EQ(library->minute, 3);
    EXPECT_EQ(library->deviceId, QStringLiteral("1234-5678"));
    EXPECT_EQ(library->path, QStringLiteral("/run/media/sda1/Music/a.flac"));
    EXPECT_EQ(library->parent(), host.get());
}

TEST_F(AppInitTest, HoldsTheLibraryBackUntilTheResumePointArrives)
{
    dsp->setResumePoint(0, QString(), QStringLiteral("/run/media/sda1/b.mp3"));
    dsp->answerWithNoise(5, 0xA2, 1 << 30);
    start();
    ASSERT_TRUE(waitFor([&] { return host->initTicks() >= 5; }));
    EXPECT_EQ(library, nullptr);
    EXPECT_FALSE(host->isResumeReady());

    int resumeTick = -1;
    QObject::connect(host->dspLink(), &DSPSerial::DSPreadFeilInfo, [&] { resumeTick = host->initTicks(); });
    dsp->stopNoise();
    ASSERT_TRUE(waitFor([&] { return library != nullptr; }));
    EXPECT_GE(resumeTick, 5);
    EXPECT_EQ(createdAtTick, resumeTick + 2);
    EXPECT_EQ(library->deviceId, QString()); // a device id of length 0
    EXPECT_EQ(library->path, QStringLiteral("/run/media/sda1/b.mp3"));
}

TEST_F(AppInitTest, PanelWritesReachTheDsp)
{
    dsp->system.setSoundOn(0);
    startRunning();
    EXPECT_FALSE(library->running);

    panel->sendWrite(3, 2, 5, QByteArray("\x21\x22\x23\x24\x25\x26\x27\x28", 8));
    // source 5, volume 0x28, sound on: the player is wanted.
    panel->sendWrite(4, 0x90, 0, QByteArray("\x05\x00\x28\x00\x00\x01\x00\x00", 8));
    panel->sendWrite(4, 0x96, 0, QByteArray("\x07\x00\x00\x00\x00\x00\x00\x00", 8));
    panel->sendWrite(4, 0x93, 0, QByteArray(1, '\x07'));
    panel->sendWrite(4, 0x99, 0, QByteArray("\xC1\xC2\xC3", 3));
    ASSERT_TRUE(waitDspFrames(4, 0x99, 1));

    EXPECT_EQ(dspFrames(3, 2), 2); // the start-up read and the write
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(dsp->outputs[2].bytes[std::size_t(40 + i)], 0x21 + i);
    EXPECT_EQ(dsp->system.volume(), 0x28);
    EXPECT_EQ(dsp->system.soundOn(), 1);
    EXPECT_EQ(dsp->system.playMode(), 7); // forwarded as written
    EXPECT_EQ(library->playMode, 4);      // taken as 4
    EXPECT_EQ(library->server.fields.value("Playbackmode").toInt(), 4);
    EXPECT_TRUE(library->running);
    EXPECT_EQ(dsp->bluetoothCommand, 7);
    EXPECT_EQ(dsp->control.bytes[1], 0xC2);
    EXPECT_EQ(dsp->control.bytes[2], 0);
}

TEST_F(AppInitTest, RemoteCommandsChangeTheDspSystem)
{
    startRunning();
    ASSERT_TRUE(waitFor([&] { return library->running; })); // source 5, sound on
    RecordingServer& server = library->server;

    const int writes = dspFrames(4, 0x90);
    emit server.SetMute();
    EXPECT_FALSE(library->running);
    emit server.SetMute();
    EXPECT_TRUE(library->running);
    ASSERT_TRUE(waitDspFrames(4, 0x90, writes + 2));
    EXPECT_EQ(dsp->system.soundOn(), 1);

    emit server.SetSysVol(40);
    emit server.Setbackmode(9);
    EXPECT_EQ(library->playMode, 4);
    ASSERT_TRUE(waitDspFrames(4, 0x96, 1));
    EXPECT_EQ(dsp->system.volume(), 40);
    EXPECT_EQ(dsp->system.playMode(), 4);

    emit server.SetPlaysource(3);
    ASSERT_TRUE(waitFor([&] { return dsp->system.source() == 3; }));
    // The DSP's answers now report source 3: the player stops.
    ASSERT_TRUE(waitFor([&] { return !library->running; }));

    emit server.GetSysData();
    EXPECT_EQ(server.fields.value("Soundsource").toInt(), host->panelLink()->system().source());
    EXPECT_EQ(server.fields.value("Systemvolume").toInt(), 40);
    EXPECT_EQ(server.fields.value("SysMute").toBool(), true);
}

TEST_F(AppInitTest, DspStateReachesThePanelTheLibraryAndTheServer)
{
    dsp->system.setPlayMode(7);
    dsp->display.bytes[0] = 0x5C;
    startRunning();
    ASSERT_TRUE(waitFor([&] { return library->running; }));
    EXPECT_EQ(library->playMode, 4);

    struct Case { quint8 source, soundOn; bool running; };
    for (const Case c : {Case{5, 0, false}, Case{5, 1, true}, Case{2, 1, false}, Case{5, 2, false}}) {
        dsp->system.setSource(c.source);
        dsp->system.setSoundOn(c.soundOn);
        dsp->system.setVolume(c.source * 10);
        ASSERT_TRUE(waitFor([&] { return host->panelLink()->system().source() == c.source
                                         && host->panelLink()->system().soundOn() == c.soundOn; }));
        EXPECT_EQ(library->running, c.running) << int(c.source) << "/" << int(c.soundOn);
        EXPECT_EQ(library->server.fields.value("SysMute").toBool(), c.soundOn != 0);
        EXPECT_EQ(library->server.fields.value("Systemvolume").toInt(), c.source * 10);
    }

    dsp->queueOperation(0x30, 9);
    ASSERT_TRUE(waitFor([&] {
        const Frame status = panelRead(4, 0x03);
        return status.data.size() == 85 && quint8(status.data[83]) == 0x30;
    }));
    const Frame status = panelRead(4, 0x03);
    EXPECT_EQ(quint8(status.data[84]), 9);
    EXPECT_EQ(quint8(status.data[21]), 0x5C);
    EXPECT_EQ(panelRead(3, 1).data.size(), 0); // no sub 0xAB: not a block read
}

TEST_F(AppInitTest, LibraryRecordsReachBothLinks)
{
    startRunning();
    CurfileInfo info;
    info.setName(QString(130, QLatin1Char('x')));
    emit library->UploadFeilInfo(info);
    Heartbeat hb;
    hb.trackNumber = 3;
    hb.trackCount = 9;
    emit library->Uploadheartbeat(hb);
    PlayFileinfo record;
    record.setDeviceId(QStringLiteral("U-1"));
    record.setPath(QStringLiteral("/run/media/sda1/A/song.mp3"));
    emit library->DspsavesendFeildata(record);
    record.minute = 5;
    emit library->DspsavesendTimerdata(record);
    emit library->UpdatePlayerInfor({"song.mp3", "/run/media/sda1/A/song.mp3", "mp3", "U-1"});
    const QList<Deviceinformation> devices{{"sda1", "vfat", "STICK", "U-1", "/run/media/sda1"}};
    emit library->UpateSerialDeviceinfor(devices);

    ASSERT_TRUE(waitDspFrames(5, 0xA3, 1));
    EXPECT_EQ(dsp->currentFile.nameBytes, 128);
    EXPECT_EQ(dsp->resumeRecord.pathText(), QStringLiteral("/run/media/sda1/A/song.mp3"));
    EXPECT_EQ(dsp->resumeRecord.deviceIdText(), QStringLiteral("U-1"));
    EXPECT_EQ(dsp->resumeRecord.minute, 5);
    ASSERT_TRUE(waitFor([&] { return dsp->lastHeartbeat.trackCount == 9; }));
    EXPECT_EQ(dsp->lastHeartbeat.trackNumber, 3u);

    EXPECT_EQ(panelRead(4, 0x0F).data.size(), 2 * 130 + 21);
    EXPECT_EQ(Payloads::readLE32(panelRead(4, 0x03).data, 9), 9u);
    EXPECT_EQ(host->panelLink()->browsePath(), QStringLiteral("/run/media/sda1/A"));
    EXPECT_EQ(host->panelLink()->deviceList(), devices);
    EXPECT_EQ(host->dspLink()->deviceList(), devices);
}

TEST_F(AppInitTest, KeysAndPathsFromBothLinksReachTheLibrary)
{
    MediaTree tree({"sda1/A/one.mp3", "sda1/A/two.mp3"});
    options.mediaRoot = tree.root();
    startRunning();
    emit library->UpdatePlayerInfor({"one.mp3", tree.path("sda1/A/one.mp3"), "mp3", "U"});

    dsp->queueOperation(1, 0);
    dsp->queueOperation(1, 1);
    ASSERT_TRUE(waitFor([&] { return library->calls.size() == 2; }));
    panel->sendWrite(4, 0x05, 0x15, QByteArray(1, '\0'));
    panel->sendWrite(4, 0x05, 0x17, QByteArray(1, '\0'));
    panel->sendWrite(8, 0x87, 0, QByteArray("\x01\x00\x00\x00\x00\x00", 6));
    panel->sendWrite(8, 0xA0, 0, QByteArray(1, '\0'));                        // open at one.mp3
    panel->sendWrite(8, 0x8A, 0, QByteArray("\x00\x00\x00\x00\x01\x00", 6)); // select two.mp3
    ASSERT_TRUE(waitFor([&] { return library->calls.size() == 6; }));
    EXPECT_EQ(library->calls, QStringList({"LastSong", "NextSong", "FastForWard", "FastForBack", "LastSong",
                                           "play " + tree.path("sda1/A/two.mp3")}));
}

TEST_F(AppInitTest, RelaysAPanelUpgradeEndToEnd)
{
    start(false);
    ASSERT_TRUE(waitFor([&] { return host->panelLink()->isDspReady(); }));
    dsp->startPanelUpgrade(2);
    ASSERT_TRUE(waitFor([&] { return dsp->upgradeFinished(); }));
    EXPECT_EQ(dsp->upgradeAnswers, QVector<quint8>({0xE5, 0xE6, 0xE7, 0xE7, 0xE8}));
    EXPECT_EQ(panel->upgradeStepsReceived(), 5);
    EXPECT_EQ(countFrames(panel->received(), 4, 0xE2), 2);
    // Each of the panel's answers was acknowledged with command 0xFF.
    EXPECT_EQ(countFrames(panel->received(), 4, 0xFF), 5);
    EXPECT_FALSE(host->dspLink()->isUpgradeRelay());
    const int beats = dspFrames(4, 0x25);
    EXPECT_TRUE(waitDspFrames(4, 0x25, beats + 3));
}

TEST_F(AppInitTest, APortThatCannotBeOpenedLeavesThatLinkSilent)
{
    options.panelPort = QStringLiteral("/nonexistent/ttyS1");
    start();
    ASSERT_TRUE(waitFor([&] { return library != nullptr; }));
    EXPECT_TRUE(waitDspFrames(4, 0x25, 3));

    // And the other way round: no DSP, so no resume point and no library; the
    // panel link never gets ready and answers nothing.
    host.reset();
    library = nullptr;
    options.panelPort = panel->path();
    options.dspPort = QStringLiteral("/nonexistent/ttyS2");
    start();
    ASSERT_TRUE(waitFor([&] { return host->initTicks() >= 5; }));
    EXPECT_EQ(library, nullptr);
    panel->sendRead(4, 0x03);
    ASSERT_TRUE(waitFor([&] { return host->panelLink()->readsParsed() >= 1; }));
    spin(100);
    EXPECT_TRUE(panel->received().isEmpty());
}

} // namespace
