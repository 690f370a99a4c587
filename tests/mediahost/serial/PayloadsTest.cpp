#include "mediahost/serial/Payloads.h"

#include <gtest/gtest.h>

namespace {

using namespace Payloads;

quint8 byteAt(const QByteArray& b, int i) { return quint8(b.at(i)); }

TEST(Payloads, HeartbeatNumbersAreBigEndian)
{
    Heartbeat hb;
    hb.playMode = 3;
    hb.trackNumber = 0x01020304;
    hb.lengthSeconds = 0xA0B0C0D0;
    const QByteArray d = heartbeatData(hb);
    ASSERT_EQ(d.size(), 18);
    EXPECT_EQ(d.mid(2, 4), QByteArray("\x01\x02\x03\x04", 4));
    EXPECT_EQ(d.mid(14, 4), QByteArray("\xA0\xB0\xC0\xD0", 4));
    const Heartbeat back = parseHeartbeatData(d);
    EXPECT_EQ(back.playMode, 3);
    EXPECT_EQ(back.trackNumber, hb.trackNumber);
    EXPECT_EQ(back.lengthSeconds, hb.lengthSeconds);
}

TEST(Payloads, CurrentFileBlockCutsTheNameTo128Bytes)
{
    struct Case { int nameUnits; int n1; };
    for (const Case c : {Case{10, 20}, Case{64, 128}, Case{70, 128}, Case{130, 128}}) {
        CurfileInfo info;
        info.codecCode = 7;
        info.setName(QString(c.nameUnits, QChar(0x4E2D)));
        info.setAlbum(QStringLiteral("Album"));
        info.setArtist(QString(60, QLatin1Char('a'))); // cut to 50 units, then 64 bytes
        const QByteArray d = currentFileBlock(info);
        EXPECT_EQ(byteAt(d, 3), c.n1) << c.nameUnits;
        EXPECT_EQ(byteAt(d, 4), 10);
        EXPECT_EQ(byteAt(d, 5), 64);
        EXPECT_EQ(d.size(), 6 + c.n1 + 10 + 64);
        EXPECT_EQ(byteAt(d, 6), 0x4E); // big-endian units
        const CurrentFileBlock back = parseCurrentFileBlock(d);
        EXPECT_EQ(back.name, QString(c.n1 / 2, QChar(0x4E2D)));
        EXPECT_EQ(back.album, QStringLiteral("Album"));
    }
}

TEST(Payloads, ResumeAnswerAndWriteRoundTrip)
{
    PlayFileinfo r;
    r.minute = 12;
    r.setDeviceId(QStringLiteral("1234-ABCD"));
    r.setPath(QStringLiteral("/run/media/sda1/音乐/a.flac"));
    const PlayFileinfo answer = parseResumeAnswer(resumeAnswerData(r));
    EXPECT_EQ(answer.minute, 12);
    EXPECT_EQ(answer.deviceIdText(), QStringLiteral("1234-ABCD"));
    EXPECT_EQ(answer.pathText(), r.pathText());

    const QByteArray write = resumeRecordWrite(r);
    EXPECT_EQ(write.size(), 4 + r.deviceIdLength + r.pathLength);
    EXPECT_EQ(byteAt(write, 0), r.deviceIdLength);
    EXPECT_EQ(write.back(), '\0');
    EXPECT_EQ(parseResumeRecordWrite(write).pathText(), r.pathText());
}

TEST(Payloads, ResumeAnswerWithOddOrHostileLengthsStaysInBounds)
{
    // An empty device id.
    PlayFileinfo noId;
    noId.setPath(QStringLiteral("/a.mp3"));
    const PlayFileinfo parsed = parseResumeAnswer(resumeAnswerData(noId));
    EXPECT_EQ(parsed.deviceIdText(), QString());
    EXPECT_EQ(parsed.pathText(), QStringLiteral("/a.mp3"));

    // Announced lengths far beyond the data: taken as far as the data goes.
    const QByteArray hostile("\x05\xFF\x00\x41", 4);
    const PlayFileinfo cut = parseResumeAnswer(hostile);
    EXPECT_EQ(cut.minute, 5);
    EXPECT_LE(cut.deviceIdLength, 2);
    EXPECT_EQ(cut.pathText(), QString());

    // Path length above 509 counts as 510.
    QByteArray big("\x00\x00", 2);
    big.append("\xFF\xFF", 2);
    big.append(QByteArray(1024, '\x00'));
    EXPECT_EQ(parseResumeAnswer(big).pathLength, 510);
}

TEST(Payloads, BrowserPageNameLengthsTakeOneOrTwoBytes)
{
    BrowserPage page;
    page.lastPage = 2;
    page.page = 1;
    page.cursor = 4;
    page.depth = 2;
    page.entries = {{false, QStringLiteral("Folder"), {}}, {true, QString(45, QLatin1Char('x')), {}}};
    const QByteArray one = browserPageData(page, NameLength::OneByte);
    const QByteArray two = browserPageData(page, NameLength::TwoBytes);
    EXPECT_EQ(one.size(), 11 + (2 + 12) + (2 + 80)); // names cut to 40 units
    EXPECT_EQ(two.size(), one.size() + 2);
    EXPECT_EQ(byteAt(one, 9), 2);
    EXPECT_EQ(byteAt(two, 12), 12);
    EXPECT_EQ(byteAt(two, 13), 0);
    for (NameLength kind : {NameLength::OneByte, NameLength::TwoBytes}) {
        const auto back = parseBrowserPage(browserPageData(page, kind), kind);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->page, 1u);
        EXPECT_EQ(back->cursor, 4);
        ASSERT_EQ(back->entries.size(), 2);
        EXPECT_EQ(back->entries[1].name, QString(40, QLatin1Char('x')));
        EXPECT_TRUE(back->entries[1].isFile);
    }
    EXPECT_FALSE(parseBrowserPage(one.left(20), NameLength::OneByte).has_value());
}

TEST(Payloads, PanelStatusAnswerLayout)
{
    System s;
    s.setSource(5);
    s.setVolume(0x0123);
    s.setSoundOn(1);
    Heartbeat hb;
    hb.playMode = 2;
    hb.trackNumber = 7;
    hb.lengthSeconds = 300;
    TftdataBuf tft;
    for (int i = 0; i < TftdataBuf::Size; ++i)
        tft.bytes[std::size_t(i)] = quint8(i + 1);
    const QByteArray d = statusAnswer(s, hb, tft, 0x30, 0x04);
    ASSERT_EQ(d.size(), StatusAnswerSize);
    EXPECT_EQ(byteAt(d, 0), 5);
    EXPECT_EQ(byteAt(d, 1), 0x23);
    EXPECT_EQ(byteAt(d, 2), 1);
    EXPECT_EQ(byteAt(d, 4), 2);
    EXPECT_EQ(readLE32(d, 5), 7u);
    EXPECT_EQ(readLE32(d, 17), 300u);
    EXPECT_EQ(byteAt(d, 21), 1);
    EXPECT_EQ(byteAt(d, 82), 62);
    EXPECT_EQ(byteAt(d, 83), 0x30);
    EXPECT_EQ(byteAt(d, 84), 0x04);
}

TEST(Payloads, PanelCurrentFileAnswerCarriesTheFullName)
{
    CurfileInfo info;
    info.setName(QString(100, QChar(0x00E9)));
    info.setAlbum(QStringLiteral("Alb"));
    info.setArtist(QStringLiteral("Artist"));
    info.setDeviceLabel(QStringLiteral("MYLONGSTICK"));
    const QByteArray d = currentFileAnswer(info);
    EXPECT_EQ(d.size(), 2 * 100 + 2 * (3 + 6) + 21);
    EXPECT_EQ((byteAt(d, 3) << 8) | byteAt(d, 4), 200);
    EXPECT_EQ(readUtf16BE(d, 7, 200), QString(100, QChar(0x00E9)));
    EXPECT_EQ(readUtf16BE(d, d.size() - 14, 14), QStringLiteral("MYLON.."));
}

TEST(Payloads, PanelSundryAndSystemAnswers)
{
    McuSundry m;
    for (int i = 0; i < 8; ++i)
        m.bytes[std::size_t(i)] = quint8(0x10 + i);
    EXPECT_EQ(sundryAnswer(m), QByteArray("\x01\x08\x00\x15\x16\x17\x11", 7));
    EXPECT_EQ(systemAnswer(System{}, TftdataBuf{}).size(), 64);
}

TEST(Payloads, HeartbeatAnswerNeedsItsStateBytes)
{
    EXPECT_FALSE(parseHeartbeatAnswer(QByteArray(6, '\x01')).has_value());
    HeartbeatAnswer a;
    a.source = 5;
    a.operation = 0x20;
    a.display.bytes[63] = 0x99;
    const auto back = parseHeartbeatAnswer(heartbeatAnswerData(a));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->source, 5);
    EXPECT_EQ(back->operation, 0x20);
    EXPECT_EQ(back->display.bytes[63], 0x99);
}

} // namespace
