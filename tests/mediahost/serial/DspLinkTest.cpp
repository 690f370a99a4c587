// The DSP link against the DSP simulator on a real pseudo-terminal.

#include "TestSupport.h"

#include "mediahost/serial/DSPSerial.h"
#include "mediahost/serial/Payloads.h"
#include "mediahost/serial/Protocol.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct Request {
    quint8 group, command, sub;
    bool operator==(const Request& o) const { return group == o.group && command == o.command && sub == o.sub; }
};
std::ostream& operator<<(std::ostream& os, const Request& r)
{
    return os << int(r.group) << "/" << std::hex << int(r.command) << "/" << int(r.sub) << std::dec;
}

class DspLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dsp = makeDspSimulator();
        ASSERT_TRUE(dsp);
    }
    void start() { link.SerialInit(dsp->path()); }
    void startSynced()
    {
        start();
        ASSERT_TRUE(waitFor([&] { return link.isSynced(); }));
    }
    int heartbeats() const { return countFrames(dsp->received(), 4, 0x25); }
    // Waits until the DSP has seen `n` more heartbeats, so every queued write
    // before them has gone out and their answers have been read.
    bool waitHeartbeats(int n)
    {
        const int target = heartbeats() + n;
        return waitFor([&] { return heartbeats() >= target; });
    }
    std::vector<Request> requests() const
    {
        std::vector<Request> r;
        for (const Frame& f : dsp->received())
            r.push_back({f.group, f.command, f.sub});
        return r;
    }

    std::unique_ptr<DspSimulator> dsp;
    DSPSerial link;
};

TEST_F(DspLinkTest, SynchronisesInOrderAndSpeedsUpOnlyAfterTheLastBlock)
{
    dsp->setChannelCount(3);
    dsp->setResumePoint(7, QStringLiteral("UUID-1"), QStringLiteral("/run/media/sda1/x.flac"));
    dsp->system.bytes[40] = 0x77;
    // The first answer for block 2 is a stray byte: it ends the wait, block 2
    // is asked again, and the link must still be on its start-up pace.
    dsp->answerWithNoise(3, 2, 1);
    QSignalSpy ready(&link, &DSPSerial::DSPDataOk);
    QSignalSpy blocks(&link, &DSPSerial::setOuputData);
    QSignalSpy resume(&link, &DSPSerial::DSPreadFeilInfo);
    // The link's state as the repeated request for block 2 arrives.
    bool syncedAtRepeat = true;
    int intervalAtRepeat = 0;
    int readyAtRepeat = -1;
    QObject::connect(dsp.get(), &DspSimulator::frameReceived, [&](const Frame& f) {
        if (f.group == 3 && f.command == 2 && countFrames(dsp->received(), 3, 2) == 2) {
            syncedAtRepeat = link.isSynced();
            intervalAtRepeat = link.pollInterval();
            readyAtRepeat = ready.count();
        }
    });
    start();

    ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), 3, 2) >= 2; }));
    EXPECT_FALSE(syncedAtRepeat);
    EXPECT_EQ(intervalAtRepeat, DSPSerial::InitialPollMs);
    EXPECT_EQ(readyAtRepeat, 0);

    ASSERT_TRUE(waitFor([&] { return link.isSynced(); }));
    EXPECT_EQ(link.pollInterval(), DSPSerial::SyncedPollMs);
    ASSERT_TRUE(waitHeartbeats(2));
    EXPECT_EQ(ready.count(), 1);

    const std::vector<Request> expected = {{5, 0xA2, 0}, {4, 0x90, 0}, {4, 0x92, 0}, {4, 0x94, 0},
                                           {3, 0, 0xAB}, {3, 1, 0xAB}, {3, 2, 0xAB}, {3, 2, 0xAB},
                                           {4, 0x25, 0}};
    const std::vector<Request> got = requests();
    ASSERT_GE(got.size(), expected.size());
    EXPECT_EQ(std::vector<Request>(got.begin(), got.begin() + long(expected.size())), expected);

    ASSERT_EQ(blocks.count(), 3);
    EXPECT_EQ(blocks.at(2).at(1).value<quint8>(), 2);
    EXPECT_EQ(blocks.at(2).at(0).value<output>(), dsp->outputs[2]);
    EXPECT_EQ(link.system(), dsp->system);
    ASSERT_EQ(resume.count(), 1);
    const auto record = resume.at(0).at(0).value<PlayFileinfo>();
    EXPECT_EQ(record.minute, 7);
    EXPECT_EQ(record.pathText(), QStringLiteral("/run/media/sda1/x.flac"));
}

TEST_F(DspLinkTest, ChannelCountZeroNeverSynchronises)
{
    dsp->setChannelCount(0);
    start();
    ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), 4, 0x94) >= 4; }));
    EXPECT_FALSE(link.isSynced());
    EXPECT_EQ(countFrames(dsp->received(), 4, 0x25), 0);
    for (const Frame& f : dsp->received())
        EXPECT_NE(f.group, 3);
}

TEST_F(DspLinkTest, ReadsAtMostTwelveOutputBlocks)
{
    dsp->setChannelCount(14);
    QSignalSpy blocks(&link, &DSPSerial::setOuputData);
    startSynced();
    EXPECT_EQ(blocks.count(), 12);
    EXPECT_EQ(countFrames(dsp->received(), 3, 12), 0);

    // A block the link does not keep is dropped, and the link carries on.
    Frame extra;
    extra.head = Uart::HeadAnswer;
    extra.group = 3;
    extra.command = 13;
    extra.data = QByteArray(output::Size, '\x55');
    dsp->push(extra);
    ASSERT_TRUE(waitHeartbeats(3));
    EXPECT_EQ(blocks.count(), 12);
}

TEST_F(DspLinkTest, SilenceMakesTheLinkSendAgainAfter300Ticks)
{
    startSynced();
    dsp->setAnswering(false);
    dsp->clearReceived();
    ASSERT_TRUE(waitFor([&] { return dsp->received().size() >= 1; }));
    QElapsedTimer silent;
    silent.start();
    ASSERT_TRUE(waitFor([&] { return dsp->received().size() >= 2; }, 90000));
    // 300 ticks of 20 ms; timers may fire a little early, never much.
    EXPECT_GE(silent.elapsed(), 5000);
    EXPECT_EQ(dsp->received().at(1).command, 0x25);

    dsp->setAnswering(true);
    EXPECT_TRUE(waitHeartbeats(3));
}

TEST_F(DspLinkTest, HeartbeatCarriesThePlayStateAndItsAnswerTheDspState)
{
    startSynced();
    Heartbeat hb;
    hb.playMode = 3;
    hb.trackNumber = 12;
    hb.trackCount = 40;
    hb.positionSeconds = 61;
    hb.lengthSeconds = 245;
    link.setHeartbeat(hb);
    ASSERT_TRUE(waitFor([&] { return dsp->lastHeartbeat.trackNumber == 12; }));
    EXPECT_EQ(dsp->lastHeartbeat.trackCount, 40u);
    EXPECT_EQ(dsp->lastHeartbeat.lengthSeconds, 245u);

    QSignalSpy previous(&link, &DSPSerial::KeyUpLeftShort);
    QSignalSpy next(&link, &DSPSerial::KeyUpRightShort);
    QSignalSpy operation(&link, &DSPSerial::sendOperationaldata);
    QSignalSpy display(&link, &DSPSerial::sendTftDataBuf);
    dsp->display.bytes[5] = 0x42;
    dsp->system.setVolume(17);
    for (auto op : {qMakePair(1, 0), qMakePair(1, 1), qMakePair(0x30, 7), qMakePair(3, 0), qMakePair(1, 2)})
        dsp->queueOperation(quint8(op.first), quint8(op.second));
    ASSERT_TRUE(waitHeartbeats(8));
    EXPECT_EQ(previous.count(), 1);
    EXPECT_EQ(next.count(), 1);
    ASSERT_EQ(operation.count(), 1);
    EXPECT_EQ(operation.at(0).at(0).value<quint8>(), 0x30);
    EXPECT_EQ(operation.at(0).at(1).value<quint8>(), 7);
    EXPECT_EQ(display.last().at(0).value<TftdataBuf>().bytes[5], 0x42);
    EXPECT_EQ(link.system().volume(), 17);
}

TEST_F(DspLinkTest, LocallyChangedSystemWaitsForTheSystemWrite)
{
    startSynced();
    const System before = link.system();
    QSignalSpy next(&link, &DSPSerial::KeyUpRightShort);
    QSignalSpy display(&link, &DSPSerial::sendTftDataBuf);

    // A play-mode change alone: its 0x96 write does not clear the flag.
    System changed = before;
    changed.setPlayMode(2);
    link.markLocallyChanged();
    link.Mainsetsystemconfig(changed);
    link.enqueue(SendQueue::write(4, 0x96, 0, 8));
    dsp->system.setVolume(44); // turned on the DSP meanwhile
    dsp->display.bytes[0] = 0x99;
    dsp->queueOperation(1, 1);
    ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), 4, 0x96) == 1; }));
    ASSERT_TRUE(waitHeartbeats(4));
    EXPECT_EQ(dsp->system.playMode(), 2);
    EXPECT_TRUE(link.isLocallyChanged());
    EXPECT_EQ(link.system().volume(), before.volume());
    // Display data and operations still get through.
    EXPECT_EQ(next.count(), 1);
    EXPECT_EQ(display.last().at(0).value<TftdataBuf>().bytes[0], 0x99);

    // The 0x90 write clears it; from then on the DSP's values are taken.
    link.enqueue(SendQueue::write(4, 0x90, 0, 8));
    ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), 4, 0x90) == 2; }));
    EXPECT_FALSE(link.isLocallyChanged());
    dsp->system.setVolume(45);
    ASSERT_TRUE(waitFor([&] { return link.system().volume() == 45; }));
}

TEST_F(DspLinkTest, QueuedWritesCarryTheirData)
{
    startSynced();
    output block;
    for (int i = 0; i < output::Size; ++i)
        block.bytes[std::size_t(i)] = quint8(200 - i);
    link.setOutput(1, block);
    System s = link.system();
    for (int i = 24; i < 48; ++i)
        s.bytes[std::size_t(i)] = quint8(i);
    link.Mainsetsystemconfig(s);
    link.setBluetoothCommand(0x3C);
    Controlstructure control;
    control.bytes = {0xC1, 0xC2, 0xC3, 0, 0, 0, 0, 0};
    link.setControl(control);
    PlayFileinfo record;
    record.setDeviceId(QStringLiteral("AB12-CD34"));
    record.setPath(QStringLiteral("/run/media/sda1/Music/track.flac"));
    link.setResumeRecord(record);
    link.setResumeMinute(4);

    const SendQueue writes[] = {
        SendQueue::write(3, 1, 5, 8),    SendQueue::write(4, 0x95, 0, 8), SendQueue::write(4, 0x97, 0, 8),
        SendQueue::write(4, 0x93, 0, 1), SendQueue::write(4, 0x99, 0, 2), SendQueue::write(5, 0xA2, 0, 0),
        SendQueue::write(5, 0xA3, 0, 1)};
    for (const SendQueue& w : writes)
        link.enqueue(w);
    ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), 5, 0xA3) == 1; }));

    for (int i = 40; i < 48; ++i)
        EXPECT_EQ(dsp->outputs[1].bytes[std::size_t(i)], block.bytes[std::size_t(i)]) << i;
    EXPECT_NE(dsp->outputs[1].bytes[39], block.bytes[39]);
    for (int i = 24; i < 32; ++i)
        EXPECT_EQ(dsp->system.bytes[std::size_t(i)], i);
    EXPECT_EQ(dsp->system.bytes[32], 0); // 0x96 was not written
    EXPECT_EQ(dsp->system.bytes[40], 40);
    EXPECT_EQ(dsp->bluetoothCommand, 0x3C);
    EXPECT_EQ(dsp->control.bytes[1], 0xC2);
    EXPECT_EQ(dsp->control.bytes[2], 0); // only 2 bytes go out
    EXPECT_EQ(dsp->resumeRecord.deviceIdText(), QStringLiteral("AB12-CD34"));
    EXPECT_EQ(dsp->resumeRecord.pathText(), record.pathText());
    EXPECT_EQ(dsp->resumeRecord.minute, 4);
    EXPECT_EQ(link.queuedWrites(), 0);
}

TEST_F(DspLinkTest, CurrentFileNamesAreCutTo128Bytes)
{
    startSynced();
    for (int units : {70, 130}) {
        CurfileInfo info;
        info.setName(QString(units, QLatin1Char('n')));
        info.setAlbum(QStringLiteral("Album"));
        link.setCurrentFile(info);
        link.enqueue(SendQueue::write(5, 0x80, 0, 0));
        const int sent = countFrames(dsp->received(), 5, 0x80) + 1;
        ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), 5, 0x80) == sent; }));
        EXPECT_EQ(dsp->currentFile.nameBytes, 128) << units;
        EXPECT_EQ(dsp->currentFile.name, QString(64, QLatin1Char('n')));
        EXPECT_EQ(dsp->currentFile.album, QStringLiteral("Album"));
    }
}

TEST_F(DspLinkTest, AcknowledgementHeadedAnswersAreIgnored)
{
    startSynced();
    dsp->setHeartbeatAnswerHead(Uart::HeadAcknowledge);
    // Once a request sent after the change arrives, every earlier answer is read.
    ASSERT_TRUE(waitHeartbeats(1));
    QSignalSpy system(&link, &DSPSerial::setsystemconfig);
    dsp->system.setVolume(99);
    ASSERT_TRUE(waitHeartbeats(4));
    EXPECT_EQ(system.count(), 0);
    EXPECT_NE(link.system().volume(), 99);

    dsp->setHeartbeatAnswerHead(Uart::HeadAnswer);
    EXPECT_TRUE(waitFor([&] { return link.system().volume() == 99; }));
}

TEST_F(DspLinkTest, UpgradeRelayHoldsTheLinkUntilTheLastAnswer)
{
    startSynced();
    QSignalSpy apply(&link, &DSPSerial::LCDupgrade_Contr_Apply);
    QSignalSpy step(&link, &DSPSerial::LCDIAP_PROGAM_INFO);
    dsp->startPanelUpgrade(1);
    ASSERT_TRUE(waitFor([&] { return link.isUpgradeRelay(); }));
    EXPECT_EQ(apply.count(), 1);
    link.enqueue(SendQueue::write(4, 0x93, 0, 1));
    dsp->clearReceived();
    spin(300);
    // Only listening: the queue waits (a heartbeat sent just before may still land).
    EXPECT_EQ(countFrames(dsp->received(), 4, 0x93), 0);
    EXPECT_LE(dsp->received().size(), 1);

    link.DSP_IAP_Contr_PC_ACK();      // -> 0xE1
    link.DSP_IAP_Contr_PC_STR_ACK();  // -> the one data step
    ASSERT_TRUE(waitFor([&] { return step.count() == 1; }));
    EXPECT_EQ(step.at(0).at(0).value<LcdUpgradeBuf>().bytes[47], 47);
    link.DSP_IAP_Contr_PC_DATA_ACK(); // -> 0xE3
    link.DSP_IAP_Contr_PC_OK_ACK();
    EXPECT_FALSE(link.isUpgradeRelay());
    ASSERT_TRUE(waitFor([&] { return dsp->upgradeFinished(); }));
    const QVector<quint8> answers{0xE5, 0xE6, 0xE7, 0xE8};
    EXPECT_EQ(dsp->upgradeAnswers, answers);
    for (const Frame& f : dsp->received()) {
        if (f.command >= 0xE5) {
            EXPECT_EQ(f.head, 0xB3);
        }
    }
    // The queue moves again.
    EXPECT_TRUE(waitFor([&] { return countFrames(dsp->received(), 4, 0x93) == 1; }));
}

} // namespace
