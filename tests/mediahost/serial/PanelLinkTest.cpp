// The panel link against the panel simulator on a real pseudo-terminal; the
// test stands in for the start-up object that fills the link's copies.

#include "TestSupport.h"

#include "mediahost/serial/Payloads.h"
#include "mediahost/serial/Protocol.h"
#include "mediahost/serial/Serial.h"

#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class PanelLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = makePanelSimulator();
        ASSERT_TRUE(panel);
        link.SerialInit(panel->path());
        link.setDspReady();
    }
    // Sends the bytes and waits until the link has parsed them in one read.
    void deliver(const QByteArray& bytes)
    {
        const quint64 before = link.readsParsed();
        panel->sendRaw(bytes);
        ASSERT_TRUE(waitFor([&] { return link.readsParsed() > before; }));
    }
    // A request or write whose answer is expected: returns it.
    Frame exchange(quint8 head, quint8 group, quint8 command, quint8 sub, const QByteArray& data)
    {
        const int before = panel->received().size();
        panel->sendRaw(PanelSimulator::frameBytes(head, group, command, sub, data));
        if (!waitFor([&] { return panel->received().size() > before; })) {
            ADD_FAILURE() << "no answer to " << int(group) << "/" << int(command);
            return Frame{};
        }
        return panel->received().at(before);
    }
    Frame read(quint8 group, quint8 command, quint8 sub = 0)
    {
        return exchange(Uart::HeadRequest, group, command, sub, QByteArray(1, '\0'));
    }
    Frame write(quint8 group, quint8 command, quint8 sub, const QByteArray& data)
    {
        return exchange(Uart::HeadWrite, group, command, sub, data);
    }

    std::unique_ptr<PanelSimulator> panel;
    Serial link;
};

TEST(PanelLinkStartTest, NothingIsAnsweredBeforeTheDspDataIsReady)
{
    auto panel = makePanelSimulator();
    ASSERT_TRUE(panel);
    Serial link;
    link.SerialInit(panel->path());
    QSignalSpy keys(&link, &Serial::KeyUpRightShort);
    // Both in one read, so one parsed read covers both.
    panel->sendRaw(PanelSimulator::frameBytes(Uart::HeadRequest, 4, 0x03, 0, QByteArray(1, '\0'))
                   + PanelSimulator::frameBytes(Uart::HeadWrite, 4, 0x05, 0x16, QByteArray(1, '\0')));
    ASSERT_TRUE(waitFor([&] { return link.readsParsed() >= 1; }));
    spin(100);
    EXPECT_TRUE(panel->received().isEmpty());
    EXPECT_EQ(keys.count(), 0);

    link.setDspReady();
    panel->sendRead(4, 0x03);
    EXPECT_TRUE(waitFor([&] { return panel->received().size() == 1; }));
}

TEST_F(PanelLinkTest, AnswersTheReadTable)
{
    System system;
    system.setSource(5);
    system.setVolume(33);
    link.setSystem(system);
    link.setOperation(0x21, 3);
    McuSundry sundry;
    sundry.bytes = {3, 9, 0, 0, 0, 0x15, 0x16, 0x17};
    link.setSundry(sundry);
    output block;
    block.bytes[295] = 0xEE;
    link.setOutput(2, block);
    CurfileInfo info;
    info.setName(QString(100, QChar(0x6B4C)));
    info.setAlbum(QStringLiteral("Album"));
    info.setArtist(QStringLiteral("Art"));
    link.setCurFileInfo(info);

    const Frame status = read(4, 0x03);
    EXPECT_EQ(status.head, 0x66);
    ASSERT_EQ(status.data.size(), 85);
    EXPECT_EQ(quint8(status.data[0]), 5);
    EXPECT_EQ(quint8(status.data[1]), 33);
    EXPECT_EQ(quint8(status.data[83]), 0x21);
    EXPECT_EQ(quint8(status.data[84]), 3);

    const Frame file = read(4, 0x0F);
    EXPECT_EQ(file.command, 0x0F);
    EXPECT_EQ(file.data.size(), 2 * 100 + 2 * (5 + 3) + 21);
    EXPECT_EQ(Payloads::readUtf16BE(file.data, 7, 200), QString(100, QChar(0x6B4C)));

    EXPECT_EQ(read(4, 0x10).data, QByteArray("\x01\x08\x00\x15\x16\x17\x09", 7));
    const Frame sys = read(4, 0x90);
    EXPECT_EQ(sys.data.size(), 64);
    EXPECT_EQ(quint8(sys.data[2]), 33);

    const Frame out = read(3, 2, 0xAB);
    EXPECT_EQ(out.group, 3);
    EXPECT_EQ(out.command, 2);
    ASSERT_EQ(out.data.size(), 296);
    EXPECT_EQ(quint8(out.data[295]), 0xEE);

    // Unknown requests of groups 3, 4 and 8 get an empty answer; other groups none.
    for (auto gc : {qMakePair(3, 0), qMakePair(4, 0x55), qMakePair(3, 12)}) {
        const Frame f = read(quint8(gc.first), quint8(gc.second), gc.first == 3 && gc.second == 0 ? 0x00 : 0xAB);
        EXPECT_EQ(f.head, 0x66);
        EXPECT_EQ(f.group, gc.first);
        EXPECT_TRUE(f.data.isEmpty());
    }
    panel->clearReceived();
    panel->sendRead(9, 0x03);
    EXPECT_EQ(read(4, 0x03).command, 0x03); // the first answer after it is the status
}

TEST_F(PanelLinkTest, OutputGroupWriteChangesEightBytesAndIsForwarded)
{
    QSignalSpy forwarded(&link, &Serial::Outputdatasending);
    const QByteArray data("\x11\x12\x13\x14\x15\x16\x17\x18", 8);
    const Frame ack = write(3, 2, 5, data);
    EXPECT_EQ(ack.head, 0x64);
    EXPECT_TRUE(ack.data.isEmpty());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(link.outputBlock(2).bytes[std::size_t(40 + i)], 0x11 + i);
    EXPECT_EQ(link.outputBlock(2).bytes[48], 0);
    ASSERT_EQ(forwarded.count(), 1);
    EXPECT_EQ(forwarded.at(0).at(1).value<quint8>(), 2);
    EXPECT_EQ(forwarded.at(0).at(2).value<quint8>(), 5);

    // Beyond the 12 blocks or past a block's end: dropped, not acknowledged.
    panel->clearReceived();
    deliver(PanelSimulator::frameBytes(0xB3, 3, 12, 0, data));
    deliver(PanelSimulator::frameBytes(0xB3, 3, 0, 36, QByteArray(9, '\x01')));
    spin(100);
    EXPECT_TRUE(panel->received().isEmpty());
    EXPECT_EQ(forwarded.count(), 1);
}

TEST_F(PanelLinkTest, KeyWritesRaiseTheirKeyAndAreAcknowledged)
{
    struct Key { quint8 sub; const char* signal; };
    const Key keys[] = {
        {0x10, SIGNAL(Volumedown())},          {0x11, SIGNAL(Volumeup())},
        {0x12, SIGNAL(KeyEncode_Enter_Short())}, {0x13, SIGNAL(KeyEncode_Enter_Long())},
        {0x14, SIGNAL(KeyUpLeftShort())},      {0x15, SIGNAL(KeyUpLeftLong())},
        {0x16, SIGNAL(KeyUpRightShort())},     {0x17, SIGNAL(KeyUpRightLong())},
        {0x18, SIGNAL(Changeofsoundsourcevalue())}, {0x1A, SIGNAL(KeyDownRightShort())},
    };
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const Key& k : keys)
        spies.push_back(std::make_unique<QSignalSpy>(&link, k.signal));

    for (std::size_t i = 0; i < std::size(keys); ++i) {
        EXPECT_EQ(write(4, 0x05, keys[i].sub, QByteArray(1, '\0')).head, 0x64);
        for (std::size_t j = 0; j < spies.size(); ++j)
            EXPECT_EQ(spies[j]->count(), j <= i ? 1 : 0) << std::hex << int(keys[i].sub) << " " << keys[j].signal;
    }
    // 0x19 is acknowledged and does nothing else.
    EXPECT_EQ(write(4, 0x05, 0x19, QByteArray(1, '\0')).head, 0x64);
    for (const auto& spy : spies)
        EXPECT_EQ(spy->count(), 1);
}

TEST_F(PanelLinkTest, AcknowledgementsCarryTheLastSentGroupAndCommand)
{
    read(4, 0x10);
    Frame ack = write(4, 0x05, 0x19, QByteArray(1, '\0'));
    EXPECT_EQ(ack.group, 4);
    EXPECT_EQ(ack.command, 0x10);

    QSignalSpy system(&link, &Serial::sendSysconfig);
    ack = write(4, 0x96, 0, QByteArray("\x03\x00\x00\x00\x00\x00\x00\x00", 8));
    EXPECT_EQ(ack.command, 0x10);
    EXPECT_EQ(link.system().playMode(), 3);
    ack = write(4, 0x90, 0, QByteArray("\x05\x00\x28\x00\x00\x01\x00\x00", 8));
    EXPECT_EQ(ack.command, 0x90);
    EXPECT_EQ(link.system().volume(), 0x28);
    ASSERT_EQ(system.count(), 2);
    EXPECT_EQ(system.at(0).at(1).value<quint8>(), 0x96);
    EXPECT_EQ(system.at(1).at(1).value<quint8>(), 0x90);
    // The 0x90 stays the command of later acknowledgements.
    EXPECT_EQ(write(4, 0x05, 0x19, QByteArray(1, '\0')).command, 0x90);

    QSignalSpy bt(&link, &Serial::SendBtData);
    EXPECT_EQ(write(4, 0x93, 0, QByteArray(1, '\x07')).head, 0x64);
    ASSERT_EQ(bt.count(), 1);
    EXPECT_EQ(bt.at(0).at(0).value<quint8>(), 7);
}

TEST_F(PanelLinkTest, OversizedWritesAreCutToTheirRecord)
{
    QSignalSpy system(&link, &Serial::sendSysconfig);
    QSignalSpy control(&link, &Serial::sendFangControl);
    QByteArray data(600, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i);
    EXPECT_EQ(write(4, 0x97, 0, data).head, 0x64);
    EXPECT_EQ(write(4, 0x99, 0, data).head, 0x64);
    ASSERT_EQ(system.count(), 1);
    const System s = system.at(0).at(0).value<System>();
    EXPECT_EQ(s.bytes[40], 0);
    EXPECT_EQ(s.bytes[55], 15);
    EXPECT_EQ(s.bytes[39], 0);
    ASSERT_EQ(control.count(), 1);
    EXPECT_EQ(control.at(0).at(0).value<Controlstructure>().bytes[7], 7);
}

TEST_F(PanelLinkTest, AFrameSplitOverTwoReadsIsIgnored)
{
    QSignalSpy key(&link, &Serial::KeyUpRightShort);
    const QByteArray frame = PanelSimulator::frameBytes(0xB3, 4, 0x05, 0x16, QByteArray(1, '\0'));
    deliver(frame.left(9));
    deliver(frame.mid(9));
    spin(100);
    EXPECT_EQ(key.count(), 0);
    EXPECT_TRUE(panel->received().isEmpty());

    deliver(frame);
    EXPECT_TRUE(waitFor([&] { return panel->received().size() == 1; }));
    EXPECT_EQ(key.count(), 1);

    // Several frames in one read are all taken.
    deliver(frame + frame);
    EXPECT_TRUE(waitFor([&] { return key.count() == 3; }));
}

TEST_F(PanelLinkTest, UpgradeStepsArePushedAndAnswersRaised)
{
    QSignalSpy acks(&link, &Serial::LCD_IAP_Contr_PC_ACK);
    QSignalSpy dataAcks(&link, &Serial::LCD_IAP_Contr_PC_DATA_ACK);
    link.LCDUpgradeApply();
    ASSERT_TRUE(waitFor([&] { return acks.count() == 1; }));
    ASSERT_TRUE(waitFor([&] { return panel->received().size() == 2; }));
    const Frame push = panel->received().at(0);
    EXPECT_EQ(push.head, 0x66);
    EXPECT_EQ(push.command, 0xE0);
    EXPECT_EQ(push.data, QByteArray(1, '\0'));
    const Frame ack = panel->received().at(1);
    EXPECT_EQ(ack.head, 0x64);
    EXPECT_EQ(ack.group, 4);
    EXPECT_EQ(ack.command, 0xFF);

    LcdUpgradeBuf step;
    step.bytes[47] = 0x5A;
    link.IAPContr_data(step);
    ASSERT_TRUE(waitFor([&] { return dataAcks.count() == 1; }));
    ASSERT_TRUE(waitFor([&] { return panel->received().size() == 4; }));
    EXPECT_EQ(panel->received().at(2).command, 0xE2);
    EXPECT_EQ(quint8(panel->received().at(2).data.at(47)), 0x5A);
    EXPECT_EQ(panel->received().at(3).command, 0xFF);
}

TEST_F(PanelLinkTest, UpgradeWriteStartsTheUpgradeProgramThroughTheShell)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("started"));
    link.setUpgradeProgram(QStringLiteral("echo started > '%1'").arg(marker));
    deliver(PanelSimulator::frameBytes(0xB3, 8, 0xAA, 0, QByteArray(1, '\0')));
    EXPECT_TRUE(waitFor([&] { return QFileInfo::exists(marker); }));
    EXPECT_TRUE(panel->received().isEmpty());
}

} // namespace
