#include "mediahost/serial/FrameCodec.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Result = FrameCodec::Assembler::Result;

Frame sample(quint8 head = 0x66, QByteArray data = QByteArray("\x01\x02\x03", 3))
{
    Frame f;
    f.head = head;
    f.group = 4;
    f.command = 0x90;
    f.sub = 0xAB;
    f.data = data;
    return f;
}

// Feeds every byte; returns the accepted frames and counts the rejected ones.
std::vector<Frame> feedAll(FrameCodec::Assembler& a, const QByteArray& bytes, int* rejected = nullptr)
{
    std::vector<Frame> frames;
    for (char c : bytes) {
        const Result r = a.feed(quint8(c));
        if (r == Result::Accepted)
            frames.push_back(a.frame());
        else if (r == Result::Rejected && rejected)
            ++*rejected;
    }
    return frames;
}

TEST(FrameCodec, BuildsTheWireLayout)
{
    const QByteArray bytes = FrameCodec::build(sample());
    const QByteArray expected("\xA2\xA2\xA2\xA3" "\x66\x01\x00\x04\x90\xAB\x00\x00" "\x03\x00"
                              "\x01\x02\x03", 17);
    ASSERT_EQ(bytes.size(), 3 + 16);
    EXPECT_EQ(bytes.left(17), expected);
    quint8 x = 0;
    for (int i = 4; i < 17; ++i)
        x ^= quint8(bytes[i]);
    EXPECT_EQ(quint8(bytes[17]), x);
    EXPECT_EQ(quint8(bytes[18]), 0xAA);
}

TEST(FrameCodec, RoundTripsAndSplitsAnywhere)
{
    const Frame f = sample(0xB3, QByteArray(300, '\x5A'));
    const QByteArray bytes = FrameCodec::build(f);
    for (int split : {1, 4, 9, 14, 200, bytes.size() - 1}) {
        FrameCodec::Assembler a;
        EXPECT_TRUE(feedAll(a, bytes.left(split)).empty());
        const auto frames = feedAll(a, bytes.mid(split));
        ASSERT_EQ(frames.size(), 1u) << "split at " << split;
        EXPECT_EQ(frames[0].head, 0xB3);
        EXPECT_EQ(frames[0].sub, 0xAB);
        EXPECT_EQ(frames[0].data, f.data);
    }
}

TEST(FrameCodec, ExactlyThreeSyncBytesOpenAFrame)
{
    const QByteArray body = FrameCodec::build(sample()).mid(4);
    struct Case { QByteArray prefix; size_t frames; };
    const Case cases[] = {
        {QByteArray("\xA2\xA2\xA2\xA3", 4), 1},
        {QByteArray("\xA2\xA2\xA2\xA2\xA3", 5), 0},
        {QByteArray("\xA2\xA2\xA3", 3), 0},
        {QByteArray("\x00\xA2\xA2\xA2\xA3", 5), 1},
        {QByteArray("\xA2\xA2\x00\xA2\xA3", 5), 0},
    };
    for (const Case& c : cases) {
        FrameCodec::Assembler a;
        EXPECT_EQ(feedAll(a, c.prefix + body).size(), c.frames) << c.prefix.toHex().constData();
    }
}

TEST(FrameCodec, RejectsBadChecksumTailAndFlagThenResynchronises)
{
    const QByteArray good = FrameCodec::build(sample());
    QByteArray badSum = good;
    badSum[badSum.size() - 2] = char(badSum[badSum.size() - 2] ^ 0x01);
    QByteArray badTail = good;
    badTail[badTail.size() - 1] = '\x55';
    Frame flagged = sample();
    flagged.flag = 2;

    for (const QByteArray& bad : {badSum, badTail, FrameCodec::build(flagged)}) {
        FrameCodec::Assembler a;
        int rejected = 0;
        const auto frames = feedAll(a, bad + good, &rejected);
        EXPECT_EQ(rejected, 1);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].data, sample().data);
    }
}

TEST(FrameCodec, AcknowledgementHeadIsDeliveredForTheLinkToIgnore)
{
    // The assembler checks only the frame itself; which heads count is the
    // link's rule (the DSP link ignores 0x64, see DspLinkTest).
    FrameCodec::Assembler a;
    const auto frames = feedAll(a, FrameCodec::build(sample(0x64, QByteArray())));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].head, 0x64);
    EXPECT_TRUE(frames[0].data.isEmpty());
}

TEST(FrameCodec, LengthBeyondTheReceiveAreaIsDroppedWithoutOverrun)
{
    // Announces 0xFFFF bytes; the following valid frame must still come through.
    QByteArray hostile("\xA2\xA2\xA2\xA3" "\x66\x01\x00\x04\x90\x00\x00\x00" "\xFF\xFF", 14);
    hostile.append(QByteArray(5000, '\x11'));
    FrameCodec::Assembler a;
    int rejected = 0;
    const auto frames = feedAll(a, hostile + FrameCodec::build(sample()), &rejected);
    EXPECT_EQ(rejected, 1);
    ASSERT_EQ(frames.size(), 1u);

    // The largest frame that fits is still taken.
    FrameCodec::Assembler b;
    const auto full = feedAll(b, FrameCodec::build(sample(0x66, QByteArray(FrameCodec::MaxDataSize, '\x22'))));
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].data.size(), FrameCodec::MaxDataSize);
}

TEST(FrameCodec, ResetDropsAPartialFrame)
{
    const QByteArray bytes = FrameCodec::build(sample());
    FrameCodec::Assembler a;
    feedAll(a, bytes.left(10));
    EXPECT_TRUE(a.inFrame());
    a.reset();
    EXPECT_TRUE(feedAll(a, bytes.mid(10)).empty());
    EXPECT_EQ(feedAll(a, bytes).size(), 1u);
}

} // namespace
