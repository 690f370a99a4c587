// mediahost as a process against both microcontroller simulators and a stick
// of generated music, driven through r4ctl like a phone would drive it.

#include "tests/mediahost/media/MediaSandbox.h"
#include "TestSupport.h"
#include "tests/mediahost/fixtures/AudioFixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace {

using namespace Uart;

struct Answer {
    int status = -1;
    QByteArray out;
};

class MediaHostEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(box.isValid());
        const QString stick = box.mediaRoot() + "/sda1";
        QDir().mkpath(stick + "/Album");
        ASSERT_TRUE(fixtures::encodeTone((stick + "/Album/01 first.flac").toStdString(), {440, 60}));
        ASSERT_TRUE(fixtures::encodeTone((stick + "/Album/02 second.mp3").toStdString(), {523, 60}));
        ASSERT_TRUE(fixtures::encodeTone((stick + "/Album/03 third.wav").toStdString(), {659, 60}));
        box.setLsblk(MediaSandbox::systemLsblkLines()
                     + MediaSandbox::lsblkLine("sda1", "vfat", "CAR", "E2E0-0001", stick));
        box.setMount(MediaSandbox::systemMountLines() + MediaSandbox::mountLine("/dev/sda1", stick, "CAR"));
        QTcpServer probe; // a port free a moment ago
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }

    void TearDown() override
    {
        if (host.state() != QProcess::NotRunning) {
            host.kill();
            host.waitForFinished(10000);
        }
    }

    Answer r4ctl(const QString& command)
    {
        QProcess client;
        client.start(QStringLiteral(R4CTL_PATH), {"--port", QString::number(port), "--timeout", "5", command});
        EXPECT_TRUE(client.waitForStarted(WaitMs));
        EXPECT_TRUE(waitFor([&] { return client.state() == QProcess::NotRunning; }));
        return Answer{client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1,
                      client.readAllStandardOutput()};
    }

    QJsonObject currentData()
    {
        const Answer a = r4ctl(QStringLiteral("/R4/Get/Currentdata"));
        if (a.status != 0)
            return {};
        return QJsonDocument::fromJson(a.out.mid(int(strlen("/R4/Get/Currentdata ")))).object();
    }

    static QJsonArray arrayOf(const QByteArray& out, int head)
    {
        return QJsonDocument::fromJson(out.mid(head + 3, out.size() - head - 7)).array();
    }

    MediaSandbox box;
    quint16 port = 0;
    QProcess host;
};

TEST_F(MediaHostEndToEnd, PlaysTheStickAndObeysTheRemote)
{
    auto dsp = makeDspSimulator();
    auto panel = makePanelSimulator();
    ASSERT_TRUE(dsp && panel);
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(QStringLiteral(MEDIAHOST_EXE), {"--dsp-port", dsp->path(), "--panel-port", panel->path(),
                                                "--media-root", box.mediaRoot(), "--port", QString::number(port)});
    ASSERT_TRUE(host.waitForStarted(WaitMs));

    // Synchronised, the stick found and its first file playing.
    const QString first = box.mediaRoot() + "/sda1/Album/01 first.flac";
    ASSERT_TRUE(waitFor([&] { return currentData().value("Currentlypath").toString() == first; }, 60000));
    ASSERT_TRUE(waitFor([&] { return currentData().value("Totaltime").toInt() == 60; }));
    QJsonObject state = currentData();
    EXPECT_EQ(state.value("Currentlyname").toString(), QStringLiteral("01 first.flac"));
    EXPECT_EQ(state.value("Currentlydecoder").toString(), QStringLiteral("FLAC/44.1K"));
    EXPECT_EQ(state.value("TotalID").toInt(), 3);
    EXPECT_EQ(state.value("ListPath").toString(), box.mediaRoot() + "/sda1/Album");

    const Answer all = r4ctl(QStringLiteral("/R4/Get/Search/"));
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(arrayOf(all.out, 15).size(), 3);
    const Answer devices = r4ctl("/R4/Get/Folder" + box.mediaRoot() + "/");
    ASSERT_EQ(devices.status, 0);
    EXPECT_EQ(arrayOf(devices.out, 0).at(0).toObject().value("FileName").toString(), QStringLiteral("CAR"));

    // The DSP has heard of it: heartbeats, the current-file block, the resume record.
    ASSERT_TRUE(waitFor([&] { return dsp->lastHeartbeat.trackCount == 3 && dsp->lastHeartbeat.lengthSeconds == 60; }));
    EXPECT_GE(countFrames(dsp->received(), GroupSystem, CmdHeartbeat), 2);
    EXPECT_GE(countFrames(dsp->received(), GroupMedia, CmdCurrentFile), 1);
    EXPECT_EQ(dsp->currentFile.name, QStringLiteral("01 first.flac"));
    ASSERT_TRUE(waitFor([&] { return dsp->resumeRecord.pathText() == first; }));
    EXPECT_EQ(dsp->resumeRecord.deviceIdText(), QStringLiteral("E2E0-0001"));

    // Next: the second file, and the minute starts again at 0.
    EXPECT_EQ(r4ctl(QStringLiteral("/R4/Set/Playbackstatus/2")).status, 0);
    ASSERT_TRUE(waitFor([&] { return currentData().value("Currentlyname").toString() == "02 second.mp3"; }));
    ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), GroupMedia, CmdResumeMinute) >= 1; }));
    EXPECT_EQ(dsp->resumeRecord.minute, 0);
    EXPECT_TRUE(waitFor([&] { return dsp->resumeRecord.pathText().endsWith("02 second.mp3"); }));

    // Volume, mode and mute go to the DSP, which answers them back.
    EXPECT_EQ(r4ctl(QStringLiteral("/R4/Set/Systemvolume/:40")).status, 0);
    EXPECT_TRUE(waitFor([&] { return dsp->system.volume() == 40; }));
    EXPECT_EQ(r4ctl(QStringLiteral("/R4/Set/Playbackmode/3")).status, 0);
    EXPECT_TRUE(waitFor([&] { return dsp->system.playMode() == 3; }));
    EXPECT_TRUE(waitFor([&] { return dsp->lastHeartbeat.playMode == 3; }));
    EXPECT_EQ(r4ctl(QStringLiteral("/R4/Set/Mute/")).status, 0);
    EXPECT_TRUE(waitFor([&] { return dsp->system.soundOn() == 0; }));
    // The remote hears the DSP's settings back.
    EXPECT_TRUE(waitFor([&] {
        state = currentData();
        return state.value("Systemvolume").toInt() == 40 && !state.value("SysMute").toBool()
            && state.value("Playbackmode").toInt() == 3;
    }));
    EXPECT_EQ(host.state(), QProcess::Running);
}

} // namespace
