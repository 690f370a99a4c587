// Both serial folder browsers on a real folder tree standing for /run/media:
// the DSP's, driven by operation codes in heartbeat answers, and the
// panel's, driven by its browser writes.

#include "TestSupport.h"

#include "mediahost/serial/DSPSerial.h"
#include "mediahost/serial/Payloads.h"
#include "mediahost/serial/Serial.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QStringList names(const Payloads::BrowserPage& page)
{
    QStringList n;
    for (const BriwserFileInfo& e : page.entries)
        n << e.name;
    return n;
}

QStringList treeFiles()
{
    QStringList files{"sda1/A/B/Sub/", "sda1/A/B/cover.jpg", "sda1/A/B/.hidden.mp3", "sda1/A/a.mp3",
                      "sda1/D/C/c.mp3", "sda1/D/E/e.flac", "sda1/D/d.wav", "sda1/top.mp3", "sdb1/x.mp3"};
    for (int i = 0; i < 10; ++i)
        files << QStringLiteral("sda1/A/B/f%1.mp3").arg(i, 2, 10, QLatin1Char('0'));
    return files;
}

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.isValid());
        playing = {QStringLiteral("f09.mp3"), tree.path("sda1/A/B/f09.mp3"), QStringLiteral("mp3"), QStringLiteral("U1")};
        devices = {{"sda1", "vfat", "STICK", "U1", tree.path("sda1")}, {"sdb1", "exfat", "Other", "U2", tree.path("sdb1")}};
    }

    MediaTree tree{treeFiles()};
    MediaObjectInfo playing;
    QList<Deviceinformation> devices;
};

class DspBrowserTest : public BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        dsp = makeDspSimulator();
        ASSERT_TRUE(dsp);
        link.setDeviceRoot(tree.root());
        link.setPlayingFile(playing);
        link.setDeviceList(devices);
        link.SerialInit(dsp->path());
        ASSERT_TRUE(waitFor([&] { return link.isSynced(); }));
    }
    // Runs one operation and returns the page the link writes afterwards.
    Payloads::BrowserPage operate(quint8 code, quint8 argument)
    {
        const int pages = countFrames(dsp->received(), 5, 0x82);
        dsp->queueOperation(code, argument);
        if (!waitFor([&] { return countFrames(dsp->received(), 5, 0x82) > pages; }) || !dsp->lastBrowserPage) {
            ADD_FAILURE() << "no page after operation " << int(code);
            return {};
        }
        return *dsp->lastBrowserPage;
    }

    std::unique_ptr<DspSimulator> dsp;
    DSPSerial link;
};

TEST_F(DspBrowserTest, OpensAtThePlayingFileAndTurnsPages)
{
    Payloads::BrowserPage p = operate(6, 0);
    EXPECT_EQ(p.page, 1u);
    EXPECT_EQ(p.lastPage, 1u);
    EXPECT_EQ(p.cursor, 3);
    EXPECT_EQ(p.depth, 3);
    EXPECT_EQ(names(p), QStringList({"f06.mp3", "f07.mp3", "f08.mp3", "f09.mp3"}));

    struct Step { quint8 argument; quint32 page; quint8 cursor; };
    const Step steps[] = {{0, 0, 9}, {0, 0, 9}, {1, 1, 0}, {1, 1, 0}, {0, 0, 9}};
    for (const Step& s : steps) {
        p = operate(7, s.argument);
        EXPECT_EQ(p.page, s.page);
        EXPECT_EQ(p.cursor, s.cursor);
    }
    EXPECT_EQ(names(p).first(), QStringLiteral("Sub")); // folders first
    EXPECT_EQ(p.entries.first().isFile, false);
}

TEST_F(DspBrowserTest, SelectsFilesAndFoldersOfTheShownPage)
{
    QSignalSpy play(&link, &DSPSerial::sendPathPlay);
    operate(6, 0);                              // page 1: f06..f09
    Payloads::BrowserPage p = operate(8, 4);    // index equal to the entry count
    EXPECT_EQ(p.page, 1u);
    EXPECT_EQ(p.cursor, 3);
    EXPECT_EQ(play.count(), 0);

    operate(8, 0);
    ASSERT_EQ(play.count(), 1);
    EXPECT_EQ(play.at(0).at(0).toString(), tree.path("sda1/A/B/f06.mp3"));

    operate(7, 0);                              // page 0: Sub, f00..
    p = operate(8, 0);                          // the folder Sub holds nothing playable
    EXPECT_EQ(play.count(), 1);
    EXPECT_EQ(p.page, 0u);
    EXPECT_EQ(p.cursor, 0);
}

TEST_F(DspBrowserTest, GoingUpFollowsThePlayingFilesPath)
{
    Payloads::BrowserPage p = operate(9, 1);    // the device root
    EXPECT_EQ(names(p), QStringList({"A", "D", "top.mp3"}));
    EXPECT_EQ(p.depth, 1);
    p = operate(8, 1);                          // into D
    EXPECT_EQ(names(p), QStringList({"C", "E", "d.wav"}));
    p = operate(8, 1);                          // into E
    EXPECT_EQ(names(p), QStringList({"e.flac"}));

    // Level 2 is taken along the playing file (A), not along the browsing (D).
    p = operate(9, 2);
    EXPECT_EQ(names(p), QStringList({"B", "a.mp3"}));

    // Level 0: the storage devices, the cursor on the last one.
    p = operate(9, 0);
    EXPECT_EQ(names(p), QStringList({"STICK", "Other"}));
    EXPECT_EQ(p.cursor, 1);
    EXPECT_EQ(p.depth, 0);
}

class PanelBrowserTest : public BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        panel = makePanelSimulator();
        ASSERT_TRUE(panel);
        link.setDeviceRoot(tree.root());
        link.setPlayingFile(playing);
        link.setDeviceList(devices);
        link.SerialInit(panel->path());
        link.setDspReady();
    }
    // Sends a browser write and returns the page pushed for it.
    Payloads::BrowserPage browse(quint8 command, quint8 b0, quint8 b1, quint8 b4)
    {
        QByteArray data(6, '\0');
        data[0] = char(b0);
        data[1] = char(b1);
        data[4] = char(b4);
        const int pages = countFrames(panel->received(), 8, 0x86);
        panel->sendWrite(8, command, 0, data);
        if (!waitFor([&] { return countFrames(panel->received(), 8, 0x86) > pages; })) {
            ADD_FAILURE() << "no page pushed";
            return {};
        }
        const Frame& f = panel->received().last();
        EXPECT_EQ(f.head, 0x66);
        const auto page = Payloads::parseBrowserPage(f.data, Payloads::NameLength::TwoBytes);
        EXPECT_TRUE(page.has_value());
        return page.value_or(Payloads::BrowserPage{});
    }
    Payloads::BrowserPage up(quint8 level) { return browse(0x8A, 1, 0, level); }
    Payloads::BrowserPage select(quint8 k) { return browse(0x8A, 0, 0, k); }

    std::unique_ptr<PanelSimulator> panel;
    Serial link;
};

TEST_F(PanelBrowserTest, WalksAlongItsOwnBrowsePath)
{
    EXPECT_EQ(link.browsePath(), tree.path("sda1/A/B"));
    Payloads::BrowserPage p = up(1);
    EXPECT_EQ(names(p), QStringList({"A", "D", "top.mp3"}));
    EXPECT_EQ(p.cursor, 0); // on A, the folder that was browsed

    p = select(1);
    EXPECT_EQ(names(p), QStringList({"C", "E", "d.wav"}));
    // Selecting acknowledges before the page is pushed.
    const QList<Frame>& got = panel->received();
    EXPECT_EQ(got.at(got.size() - 2).head, 0x64);
    p = select(1);
    EXPECT_EQ(names(p), QStringList({"e.flac"}));
    EXPECT_EQ(link.browsePath(), tree.path("sda1/D/E/"));

    // Level 2 along the browse path: D, with the cursor on E.
    p = up(2);
    EXPECT_EQ(names(p), QStringList({"C", "E", "d.wav"}));
    EXPECT_EQ(p.cursor, 1);
    EXPECT_EQ(link.browsePath(), tree.path("sda1/D/"));

    p = up(0);
    EXPECT_EQ(names(p), QStringList({"STICK", "Other"}));
}

TEST_F(PanelBrowserTest, OpensAtThePlayingFileShowsPagesAndPlaysAFile)
{
    Payloads::BrowserPage p = browse(0xA0, 0, 0, 0);
    EXPECT_EQ(p.page, 1u);
    EXPECT_EQ(p.cursor, 3);
    EXPECT_EQ(names(p).last(), QStringLiteral("f09.mp3"));

    p = browse(0x86, 2, 1, 0); // page 0, cursor on the last row
    EXPECT_EQ(p.page, 0u);
    EXPECT_EQ(p.cursor, 6);
    EXPECT_EQ(p.entries.size(), 7);
    p = browse(0x86, 0, 0, 1); // only pushes the shown page again
    EXPECT_EQ(p.page, 0u);

    QSignalSpy play(&link, &Serial::sendTackpath);
    const int before = panel->received().size();
    panel->sendWrite(8, 0x8A, 0, QByteArray("\x00\x00\x00\x00\x02\x00", 6)); // f01.mp3
    ASSERT_TRUE(waitFor([&] { return play.count() == 1; }));
    EXPECT_EQ(play.at(0).at(0).toString(), tree.path("sda1/A/B/f01.mp3"));
    spin(100);
    // Only the acknowledgement: a file pushes no page.
    ASSERT_EQ(panel->received().size(), before + 1);
    EXPECT_EQ(panel->received().last().head, 0x64);
}

} // namespace
