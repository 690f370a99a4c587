// The command table and the answer texts, without sockets.

#include "mediahost/remote/MediaSearch.h"
#include "mediahost/remote/RemoteAnswer.h"
#include "mediahost/remote/RemoteCommand.h"

#include <gtest/gtest.h>

namespace {

using Kind = RemoteCommandKind;

struct ParseCase {
    const char* request;
    bool recognised;
    Kind kind;
    const char* text;
    int number;
};

// Names the case by its request, line feeds shown as \n.
void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << QString::fromUtf8(c.request).replace(QLatin1Char('\n'), QLatin1String("\\n")).toStdString();
}

class CommandTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandTable, RecognisesPrefixValueAndLength)
{
    const ParseCase& c = GetParam();
    const std::optional<RemoteCommand> command = parseRemoteCommand(QString::fromUtf8(c.request));
    ASSERT_EQ(command.has_value(), c.recognised) << c.request;
    if (!c.recognised)
        return;
    EXPECT_EQ(command->kind, c.kind);
    EXPECT_EQ(command->text, QString::fromUtf8(c.text));
    EXPECT_EQ(command->number, c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, CommandTable,
    ::testing::Values(
        ParseCase{"/R4/Get/Currentdata", true, Kind::Currentdata, "", 0},
        ParseCase{"/R4/Get/Currentdata\n", false, Kind::Currentdata, "", 0},
        // Path values start at the prefix's own last "/".
        ParseCase{"/R4/Get/Folder/run/media/", true, Kind::Folder, "/run/media/", 0},
        ParseCase{"/R4/Set/File/run/media/sda1/a.mp3", true, Kind::File, "/run/media/sda1/a.mp3", 0},
        ParseCase{"/R4/Get/Search/abc\n", true, Kind::Search, "abc\n", 0},
        ParseCase{"/R4/Get/Search/", true, Kind::Search, "", 0},
        // Volume: one separator before the number; 22 to 28 characters.
        ParseCase{"/R4/Set/Systemvolume/:30", true, Kind::Systemvolume, "", 30},
        ParseCase{"/R4/Set/Systemvolume/", false, Kind::Systemvolume, "", 0},
        ParseCase{"/R4/Set/Systemvolume/:123456", true, Kind::Systemvolume, "", 64},
        ParseCase{"/R4/Set/Systemvolume/:1234567", false, Kind::Systemvolume, "", 0},
        // Source: 20 to 25 characters; numbers keep their low 8 bits.
        ParseCase{"/R4/Set/Soundsource/5", true, Kind::Soundsource, "", 5},
        ParseCase{"/R4/Set/Soundsource/12345", true, Kind::Soundsource, "", 57},
        ParseCase{"/R4/Set/Soundsource/123456", false, Kind::Soundsource, "", 0},
        ParseCase{"/R4/Set/Soundsource/x", true, Kind::Soundsource, "", 0},
        ParseCase{"/R4/Set/Playbackstatus/3", true, Kind::Playbackstatus, "3", 0},
        ParseCase{"/R4/Set/Playbackmode/7", true, Kind::Playbackmode, "", 7},
        ParseCase{"/R4/Set/Playbackmode/", true, Kind::Playbackmode, "", 0},
        ParseCase{"/R4/Set/Mute/", true, Kind::Mute, "", 0},
        // A prefix anywhere in the text counts; the first in table order wins.
        ParseCase{"xx/R4/Set/Mute/", true, Kind::Mute, "", 0},
        ParseCase{"/R4/Get/Search//R4/Set/Mute/", true, Kind::Search, "/R4/Set/Mute/", 0},
        ParseCase{"/R4/Set/Unknown/1", false, Kind::Mute, "", 0},
        ParseCase{"", false, Kind::Mute, "", 0}));

TEST(RequestText, IsUtf8UpToTheFirstZeroByte)
{
    EXPECT_EQ(remoteRequestText(QByteArray("/R4/Set/Mute/\0junk", 18)), QStringLiteral("/R4/Set/Mute/"));
    EXPECT_EQ(remoteRequestText(QByteArray("/R4/Get/Search/\xe6\x9c\xaa")), QStringLiteral("/R4/Get/Search/未"));
}

TEST(Answers, CurrentDataIsTheIndentedSortedStateObject)
{
    QJsonObject state = RemoteAnswer::initialState();
    EXPECT_EQ(state.size(), 16);
    state[QStringLiteral("Currentlyname")] = QStringLiteral("a.flac");
    state[QStringLiteral("SysMute")] = true;
    state[QStringLiteral("Systemvolume")] = 30;
    const QByteArray expected =
        "/R4/Get/Currentdata {\n"
        "    \"Albumname\": \"\",\n"
        "    \"Artistname\": \"\",\n"
        "    \"Currentdevicename\": \"\",\n"
        "    \"CurrentlyID\": 0,\n"
        "    \"Currentlydecoder\": \"\",\n"
        "    \"Currentlyname\": \"a.flac\",\n"
        "    \"Currentlypath\": \"\",\n"
        "    \"IsHiFi\": false,\n"
        "    \"ListPath\": \"\",\n"
        "    \"Playbackmode\": 0,\n"
        "    \"Playbacktime\": 0,\n"
        "    \"Soundsource\": 0,\n"
        "    \"SysMute\": true,\n"
        "    \"Systemvolume\": 30,\n"
        "    \"TotalID\": 0,\n"
        "    \"Totaltime\": 0\n"
        "}\n";
    EXPECT_EQ(RemoteAnswer::currentData(state), expected);
}

TEST(Answers, ArraysOpenWithFourBracketsAndSpellFilaPath)
{
    const QByteArray folder = RemoteAnswer::folderListing(
        {BriwserFileInfo{false, "Live", "/m/sda1/Live"}, BriwserFileInfo{true, "a.mp3", "/m/sda1/a.mp3"}});
    EXPECT_EQ(folder,
              "[[[[\n"
              "    {\n"
              "        \"FilaPath\": \"/m/sda1/Live\",\n"
              "        \"FileName\": \"Live\",\n"
              "        \"FileType\": false\n"
              "    },\n"
              "    {\n"
              "        \"FilaPath\": \"/m/sda1/a.mp3\",\n"
              "        \"FileName\": \"a.mp3\",\n"
              "        \"FileType\": true\n"
              "    }\n"
              "]\n"
              "]]]");
    const QByteArray devices = RemoteAnswer::deviceListing({Deviceinformation{"sda1", "vfat", "MUSIC", "U1", "/m/sda1"}});
    EXPECT_TRUE(devices.contains("\"FileName\": \"MUSIC\"") && devices.contains("\"FileType\": false"));
    const QByteArray search = RemoteAnswer::searchResults({MediaObjectInfo{"a.mp3", "/m/a.mp3", "mp3", "U1"}});
    EXPECT_TRUE(search.startsWith("/R4/Get/Search/[[[[\n") && search.endsWith("]\n]]]"));
    EXPECT_TRUE(search.contains("\"FileType\": true"));
}

TEST(Answers, ClientKnowsWhenAnAnswerIsComplete)
{
    const QByteArray current = RemoteAnswer::currentData(RemoteAnswer::initialState());
    // A name holding the closing brackets must not end the array early.
    const QByteArray tricky = RemoteAnswer::searchResults({MediaObjectInfo{"x]]]", "/m/x]]]", "mp3", "U"}});
    for (int cut = 1; cut < current.size(); ++cut)
        EXPECT_FALSE(RemoteAnswer::isComplete(Kind::Currentdata, current.left(cut))) << cut;
    for (int cut = 1; cut < tricky.size(); ++cut)
        EXPECT_FALSE(RemoteAnswer::isComplete(Kind::Search, tricky.left(cut))) << cut;
    EXPECT_TRUE(RemoteAnswer::isComplete(Kind::Currentdata, current));
    EXPECT_TRUE(RemoteAnswer::isComplete(Kind::Search, tricky));
    EXPECT_TRUE(RemoteAnswer::isComplete(Kind::Folder, RemoteAnswer::folderListing({})));
    EXPECT_FALSE(RemoteAnswer::isComplete(Kind::Folder, tricky));
}

TEST(Search, IsACaseSensitiveSubstringInListOrder)
{
    const QVector<MediaObjectInfo> list{{"Abc.flac", "/m/Abc.flac", "flac", "U"},
                                        {"xabcx.mp3", "/m/xabcx.mp3", "mp3", "U"},
                                        {"abc.wav", "/m/d/abc.wav", "wav", "U"}};
    const QVector<MediaObjectInfo> found = searchMediaList(list, QStringLiteral("abc"));
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].fileName, QStringLiteral("xabcx.mp3"));
    EXPECT_EQ(found[1].fileName, QStringLiteral("abc.wav"));
    EXPECT_EQ(searchMediaList(list, QString()).size(), 3);
    EXPECT_TRUE(searchMediaList(list, QStringLiteral("abc\n")).isEmpty());
}

} // namespace
