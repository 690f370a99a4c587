// Choosing the next file by play mode, and the update tick's decisions.

#include "mediahost/media/PlayModes.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace PlayModes;

// Files 0-3 in /m/a, 4-9 in /m/b, 10 alone in /m/c.
QVector<MediaObjectInfo> library()
{
    QVector<MediaObjectInfo> list;
    auto add = [&list](const QString& folder, int n) {
        for (int i = 0; i < n; ++i) {
            const QString name = QStringLiteral("%1.mp3").arg(list.size());
            list.append({name, folder + QLatin1Char('/') + name, QStringLiteral("mp3"), QStringLiteral("U1")});
        }
    };
    add(QStringLiteral("/m/a"), 4);
    add(QStringLiteral("/m/b"), 6);
    add(QStringLiteral("/m/c"), 1);
    return list;
}

struct StepCase {
    quint8 mode;
    int from;
    bool next;       // key: next (true) or previous; ignored at the end of a file
    bool endOfFile;
    int expected;
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << "mode " << int(c.mode) << " from " << c.from << (c.endOfFile ? " at the end" : c.next ? " next" : " previous");
}

class ModeSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(ModeSteps, ChooseTheExpectedFile)
{
    const StepCase& c = GetParam();
    const QVector<MediaObjectInfo> list = library();
    ModeRandom random;
    const QString path = list.at(c.from).filePath;
    const std::optional<int> chosen = c.endOfFile ? endOfFileChoice(c.mode, list, c.from, path, random)
                                                  : keyChoice(c.mode, list, c.from, path, c.next, random);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeSteps,
    ::testing::Values(
        // Mode 0 wraps both ways.
        StepCase{Sequential, 10, true, false, 0}, StepCase{Sequential, 0, false, false, 10},
        StepCase{Sequential, 4, true, false, 5}, StepCase{Sequential, 10, true, true, 0},
        // Mode 2 repeats at the end of a file; the keys still move on.
        StepCase{RepeatOne, 5, true, true, 5}, StepCase{RepeatOne, 5, true, false, 6},
        StepCase{RepeatOne, 0, false, false, 10},
        // Mode 3 loops inside the folder of files 4 to 9.
        StepCase{FolderLoop, 9, true, false, 4}, StepCase{FolderLoop, 4, false, false, 9},
        StepCase{FolderLoop, 6, true, false, 7}, StepCase{FolderLoop, 9, true, true, 4},
        // Mode 4 in a one-file folder plays that file.
        StepCase{FolderRandom, 10, true, false, 10}, StepCase{FolderRandom, 10, true, true, 10}));

TEST(ModeChoice, RandomModesStayInTheirRange)
{
    const QVector<MediaObjectInfo> list = library();
    ModeRandom random;
    std::set<int> anywhere, inFolder;
    for (int ms = 0; ms < 400; ++ms) {
        const QTime now(10, 0, ms % 60, ms);
        const int any = *keyChoice(Random, list, 0, list.at(0).filePath, true, random, now);
        const int folder = *endOfFileChoice(FolderRandom, list, 5, list.at(5).filePath, random, now);
        ASSERT_TRUE(any >= 0 && any <= 10) << any;
        ASSERT_TRUE(folder >= 4 && folder <= 9) << folder;
        anywhere.insert(any);
        inFolder.insert(folder);
    }
    EXPECT_GT(anywhere.size(), 5u);
    EXPECT_EQ(inFolder.size(), 6u);
}

TEST(ModeChoice, EmptyListChoosesNothingAndOneFileListPlaysIt)
{
    ModeRandom random;
    for (quint8 mode = 0; mode <= 4; ++mode) {
        EXPECT_FALSE(keyChoice(mode, {}, 0, QString(), true, random).has_value());
        EXPECT_FALSE(endOfFileChoice(mode, {}, 0, QString(), random).has_value());
    }
    const QVector<MediaObjectInfo> one{{"x.mp3", "/m/x.mp3", "mp3", "U"}};
    for (quint8 mode = 0; mode <= 4; ++mode) {
        EXPECT_EQ(keyChoice(mode, one, 0, one.at(0).filePath, true, random), 0);
        EXPECT_EQ(keyChoice(mode, one, 0, one.at(0).filePath, false, random), 0);
    }
}

TEST(ModeChoice, FolderModesWithAStaleIndexEnterTheCurrentFolder)
{
    // After a resume the current file is known before the worker has listed it
    // and the index may still point elsewhere.
    const QVector<MediaObjectInfo> list = library();
    ModeRandom random;
    EXPECT_EQ(keyChoice(FolderLoop, list, 0, list.at(7).filePath, true, random), 4);
    EXPECT_EQ(keyChoice(FolderLoop, list, 0, list.at(7).filePath, false, random), 9);
    // A path in no listed folder loops over the whole list.
    EXPECT_EQ(keyChoice(FolderLoop, list, 10, QStringLiteral("/other/y.mp3"), true, random), 0);
}

TEST(MinuteSave, WritesEachNewMinuteOnceAndKeepsCountingPastAnHour)
{
    std::vector<int> written;
    int saved = 0;
    for (qint64 tenths = 0; tenths <= 10 * (3 * 60 + 59); tenths += 5) { // a 500 ms tick
        if (const std::optional<quint8> m = minuteToSave(tenths / 10, saved)) {
            written.push_back(*m);
            saved = *m;
        }
    }
    EXPECT_EQ(written, (std::vector<int>{1, 2, 3}));

    // A concert past its first hour: minute 61 follows 60 (it used to wrap to 0).
    EXPECT_EQ(minuteToSave(61 * 60, 60), std::optional<quint8>(61));
    EXPECT_EQ(minuteToSave(60 * 60 + 59, 59), std::optional<quint8>(60));
    // Capped at what the record holds; no write once there.
    EXPECT_EQ(playedMinute(300 * 60), 255);
    EXPECT_FALSE(minuteToSave(300 * 60, 255).has_value());
    // After a resume at minute 30 the next write is 31, not 1.
    EXPECT_FALSE(minuteToSave(30 * 60 + 10, 30).has_value());
    EXPECT_EQ(minuteToSave(31 * 60, 30), std::optional<quint8>(31));
}

TEST(EndOfFile, NeedsThePositionAtTheLengthAndAStoppedStream)
{
    EXPECT_TRUE(streamEnded(200.9, 199.5, false));  // 200 <= trunc(200.0)
    EXPECT_FALSE(streamEnded(200.9, 199.4, false)); // 200 > 199
    EXPECT_FALSE(streamEnded(200.0, 200.0, true));  // still playing
    EXPECT_TRUE(streamEnded(0.0, 0.0, false));
}

} // namespace
