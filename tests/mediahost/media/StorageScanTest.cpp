// Reading lsblk and mount output, and the display tables: text in, values out.
#include "mediahost/media/FileTypeLabels.h"
#include "mediahost/media/LinuxCommand.h"
#include "mediahost/media/StorageScan.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

TEST(LsblkOutput, KeepsTheLinesOfSdDevices)
{
    const QString output = "NAME=\"mmcblk0p1\" FSTYPE=\"vfat\" LABEL=\"boot\" UUID=\"0B3D-8C11\" MOUNTPOINT=\"/boot\"\n"
                           "NAME=\"sda\" FSTYPE=\"\" LABEL=\"\" UUID=\"\" MOUNTPOINT=\"\"\n"
                           "NAME=\"sda1\" FSTYPE=\"vfat\" LABEL=\"MUSIC\" UUID=\"5E2A-1F3C\" MOUNTPOINT=\"/run/media/sda1\"\n"
                           "NAME=\"loop0\" FSTYPE=\"squashfs\" LABEL=\"\" UUID=\"\" MOUNTPOINT=\"/snap/core\"\n";
    const QStringList kept = usbLsblkLines(output);
    ASSERT_EQ(kept.size(), 2);
    EXPECT_TRUE(kept.at(1).startsWith("NAME=\"sda1\""));
}

TEST(LsblkOutput, ReadsEachKindOfLine)
{
    struct Case {
        const char* what;
        QString line;
        Deviceinformation device;
        bool mounted;
        bool awaiting;
    } cases[] = {
        {"board (util-linux 2.2x)",
         "NAME=\"sda1\" FSTYPE=\"vfat\" LABEL=\"MUSIC\" UUID=\"5E2A-1F3C\" MOUNTPOINT=\"/run/media/sda1\"",
         {"sda1", "vfat", "", "5E2A-1F3C", "/run/media/sda1"}, true, false},
        {"debian 12 (MOUNTPOINTS, FSVER, FSUSE%)",
         "NAME=\"sdb1\" FSTYPE=\"exfat\" FSVER=\"1.0\" LABEL=\"\" UUID=\"64F1-0A22\" FSAVAIL=\"28.7G\" FSUSE%=\"3%\" "
         "MOUNTPOINTS=\"/run/media/sdb1\"",
         {"sdb1", "exfat", "", "64F1-0A22", "/run/media/sdb1"}, true, false},
        {"whole disk",
         "NAME=\"sdb\" FSTYPE=\"\" FSVER=\"\" LABEL=\"\" UUID=\"\" FSAVAIL=\"\" FSUSE%=\"\" MOUNTPOINTS=\"\"",
         {"sdb", "", "", "", ""}, false, false},
        {"not mounted yet",
         "NAME=\"sdc1\" FSTYPE=\"vfat\" FSVER=\"FAT32\" LABEL=\"CAR\" UUID=\"1C2D-3E4F\" FSAVAIL=\"\" FSUSE%=\"\" "
         "MOUNTPOINTS=\"\"",
         {"sdc1", "vfat", "", "1C2D-3E4F", ""}, false, true},
        {"label with a space",
         "NAME=\"sdd1\" FSTYPE=\"vfat\" LABEL=\"USB DISK\" UUID=\"AB12-CD34\" MOUNTPOINT=\"/run/media/sdd1\"",
         {"sdd1", "vfat", "", "AB12-CD34", "/run/media/sdd1"}, true, false},
        {"mount point with a space: cut there",
         "NAME=\"sde1\" FSTYPE=\"vfat\" LABEL=\"MY\" UUID=\"0001-0002\" MOUNTPOINT=\"/run/media/MY MUSIC\"",
         {"sde1", "vfat", "", "0001-0002", "/run/media/MY"}, true, false},
    };
    for (const Case& c : cases) {
        const LsblkLine parsed = parseLsblkLine(c.line);
        EXPECT_EQ(parsed.device, c.device) << c.what << ": " << parsed.device.name.toStdString() << "|"
                                           << parsed.device.mountPoint.toStdString();
        EXPECT_EQ(parsed.isMounted(), c.mounted) << c.what;
        EXPECT_EQ(parsed.awaitingMount, c.awaiting) << c.what;
    }
}

TEST(MountOutput, GivesTheLabelOfAMountPoint)
{
    const QString output =
        "/dev/mmcblk0p2 on / type ext4 (rw,relatime) [rootfs]\n"
        "proc on /proc type proc (rw,relatime)\n"
        "/dev/sda1 on /run/media/sda1 type vfat (rw,relatime,fmask=0022,dmask=0022,codepage=437) [MUSIC]\n"
        "/dev/sdb1 on /run/media/sdb1 type exfat (rw,relatime,fmask=0022,dmask=0022,iocharset=utf8)\n"
        "/dev/sdc1 on /run/media/sdc1 type vfat (rw,relatime) [USB DISK]\n";
    EXPECT_EQ(labelFromMountOutput(output, "/run/media/sda1"), "MUSIC");
    EXPECT_EQ(labelFromMountOutput(output, "/run/media/sdb1"), QStringLiteral("移动磁盘2"));
    EXPECT_EQ(labelFromMountOutput(output, "/run/media/sdc1"), "USB DISK");
    EXPECT_EQ(labelFromMountOutput(output, "/run/media/sdz1"), "null");
    EXPECT_EQ(labelFromMountOutput(output, ""), "null");
    EXPECT_EQ(labelFromMountOutput("", "/run/media/sda1"), "null");
}

TEST(FileTypeLabels, CodecAndRateTables)
{
    struct Case {
        const char* decoder;
        const char* suffix;
        int codecCode; // -1: unchanged
        const char* label;
        int hiFi;      // -1: unchanged
    } cases[] = {
        {"ffdca", "dts", 9, "DTS", 1},      {"ffdsd", "dsf", 3, "DSD", 1},    {"ffape", "ape", 1, "APE", 1},
        {"ffaac", "m4a", 13, "M4A", 1},     {"ffaac", "aac", 14, "AAC", 1},   {"ffaac", "mp4", -1, "", 1},
        {"ffmp3float", "mp3", 5, "MP3", 0}, {"mpg123", "mp3", 5, "MP3", 0},   {"ffac3", "ac3", 12, "AC3", 1},
        {"pcm", "wav", 0, "WAV", 1},        {"pcm", "aiff", 11, "AIFF", 1},   {"pcm", "MP3", 10, "AMP3", 1},
        {"pcm", "aif", 7, "AIF", 1},        {"pcm", "caf", -1, "", 1},        {"ffflac", "flac", 8, "FLAC", 1},
        {"ffvorbis", "ogg", 4, "OGG", 1},   {"ffwmall", "wma", 2, "WAM", 0},  {"ffalac", "m4a", 6, "ALAC", 1},
        {"ffwmav2", "wma", 15, "WAV2", 1},  {"ffopus", "ogg", -1, "", -1},
    };
    for (const Case& c : cases) {
        const CodecLabel got = codecLabel(c.decoder, c.suffix);
        EXPECT_EQ(got.codecCode ? int(*got.codecCode) : -1, c.codecCode) << c.decoder << "/" << c.suffix;
        EXPECT_EQ(got.label, c.label) << c.decoder << "/" << c.suffix;
        EXPECT_EQ(got.hiFi ? int(*got.hiFi) : -1, c.hiFi) << c.decoder << "/" << c.suffix;
    }
    struct RateCase {
        const char* sampleRate;
        int code;
        const char* label;
    } rates[] = {{"22050 Hz", 0, "22.05K"}, {"44100 Hz", 1, "44.1K"},   {"88200 Hz", 2, "88.2K"},
                 {"16000 Hz", 3, "16K"},    {"176400 Hz", 4, "176.4K"}, {"352800 Hz", 5, "352.8K"},
                 {"48000 Hz", 6, "48K"},    {"96000 Hz", 7, "96K"},     {"192000 Hz", 8, "192K"},
                 {"DSD64", 9, "DSD64"},     {"DSD128", 10, "DSD128"},   {"DSD256", 11, "DSD256"},
                 {"DSD512", 12, "DSD512"},  {"DSD1024", 13, "DSD1024"}, {"32000 Hz", -1, ""},
                 {"", -1, ""}};
    for (const RateCase& r : rates) {
        const RateLabel got = rateLabel(r.sampleRate);
        EXPECT_EQ(got.rateCode ? int(*got.rateCode) : -1, r.code) << r.sampleRate;
        EXPECT_EQ(got.label, r.label) << r.sampleRate;
    }
    EXPECT_EQ(dsdRateName(2822400), "DSD64");
    EXPECT_EQ(dsdRateName(5644800), "DSD128");
    EXPECT_EQ(dsdRateName(11289600), "DSD256");
    EXPECT_EQ(dsdRateName(22579200), "DSD512");
    EXPECT_EQ(dsdRateName(45158400), "DSD1024");
    EXPECT_EQ(dsdRateName(90316800), "DSD1024");
    EXPECT_EQ(dsdRateName(3072000), ""); // 48 kHz family: 69 x 44100
    EXPECT_EQ(dsdRateName(0), "");
}

TEST(LinuxCommand, ReturnsOutputUpToAZeroByteAndGivesUpAfterItsLimit)
{
    EXPECT_EQ(executeLinuxCmd("printf \"abc\\000def\"").toStdString(), "abc");
    EXPECT_EQ(executeLinuxCmd("/no/such/tool").toStdString(), "");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(executeLinuxCmd("sh -c \"echo early; exec sleep 20\"", 500).toStdString(), "early\n");
    EXPECT_LT(clock.elapsed(), 15000);
}
