// The library's storage side against fake lsblk and mount and a real folder tree.
#include "MediaSandbox.h"
#include "TestSupport.h"
#include "mediahost/media/MusicBox.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class MusicBoxStorage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(box.isValid());
        // Stick 1, two partitions: sda1 labelled, sda2 without a label.
        box.touch("sda1/B/z.mp3");
        box.touch("sda1/A/y.flac");
        box.touch("sda1/a.wav");
        box.touch("sda1/track.FLAC");
        box.touch("sda1/track.MP3");
        box.touch("sda1/.hidden/h.mp3");
        box.touch("sda2/c.ogg");
        box.touch("sdb1/later.mp3");
    }
    QString mp(const char* name) const { return box.mediaRoot() + "/" + name; }
    QString stickOneLsblk() const
    {
        return MediaSandbox::lsblkLine("sda", "", "", "", "")
            + MediaSandbox::lsblkLine("sda1", "vfat", "MUSIC", "1111-AAAA", mp("sda1"))
            + MediaSandbox::lsblkLine("sda2", "vfat", "", "2222-BBBB", mp("sda2"));
    }
    QString stickOneMount() const
    {
        return MediaSandbox::mountLine("/dev/sda1", mp("sda1"), "MUSIC")
            + MediaSandbox::mountLine("/dev/sda2", mp("sda2"), "");
    }
    QStringList listedPaths(const MusicBox& lib) const
    {
        QStringList paths;
        for (const MediaObjectInfo& m : lib.mediaList())
            paths << m.filePath.mid(box.mediaRoot().size() + 1);
        return paths;
    }

    MediaSandbox box;
    HostOptions options;
};

} // namespace

TEST_F(MusicBoxStorage, FindsBothPartitionsAndStartsTheFirstFileOnce)
{
    box.setLsblk(MediaSandbox::systemLsblkLines() + stickOneLsblk());
    box.setMount(MediaSandbox::systemMountLines() + stickOneMount());
    MusicBox lib(options);
    QSignalSpy devices(&lib, &MusicBox::UpateSerialDeviceinfor);
    QSignalSpy started(&lib, &MusicBox::UpdatePlayerInfor);

    ASSERT_TRUE(waitFor([&] { return lib.mediaList().size() == 5; })) << listedPaths(lib).join(",").toStdString();
    // track.FLAC is not playable (suffixes are case-sensitive), track.MP3 is.
    EXPECT_EQ(listedPaths(lib),
              QStringList({"sda1/A/y.flac", "sda1/B/z.mp3", "sda1/a.wav", "sda1/track.MP3", "sda2/c.ogg"}));
    ASSERT_EQ(lib.deviceList().size(), 2);
    EXPECT_EQ(lib.deviceList().at(0), (Deviceinformation{"sda1", "vfat", "MUSIC", "1111-AAAA", mp("sda1")}));
    EXPECT_EQ(lib.deviceList().at(1).label, QStringLiteral("移动磁盘2"));
    ASSERT_GE(devices.size(), 1);
    EXPECT_EQ(devices.first().at(0).value<QList<Deviceinformation>>(), lib.deviceList());

    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(lib.isAutoStarted());
    EXPECT_EQ(lib.current().filePath, mp("sda1/A/y.flac"));
    EXPECT_EQ(lib.current().deviceUuid, "1111-AAAA");
    EXPECT_EQ(lib.currentIndex(), 0);
    EXPECT_TRUE(lib.player()->isPlaying());

    // A second stick is walked but starts nothing.
    box.setLsblk(MediaSandbox::systemLsblkLines() + stickOneLsblk()
                 + MediaSandbox::lsblkLine("sdb1", "exfat", "", "3333-CCCC", mp("sdb1")));
    box.setMount(MediaSandbox::systemMountLines() + stickOneMount()
                 + MediaSandbox::mountLine("/dev/sdb1", mp("sdb1"), "CAR"));
    lib.updateUSBdeviceList();
    ASSERT_TRUE(waitFor([&] { return lib.mediaList().size() == 6; }));
    EXPECT_EQ(lib.mediaList().last().filePath, mp("sdb1/later.mp3"));
    EXPECT_EQ(lib.deviceList().size(), 3);
    spin(200);
    EXPECT_EQ(started.size(), 1);
    EXPECT_EQ(lib.current().filePath, mp("sda1/A/y.flac"));
}

TEST_F(MusicBoxStorage, PullingThePlayingStickDropsItsFilesAndStopsThePlayer)
{
    box.setLsblk(stickOneLsblk() + MediaSandbox::lsblkLine("sdb1", "exfat", "", "3333-CCCC", mp("sdb1")));
    box.setMount(stickOneMount() + MediaSandbox::mountLine("/dev/sdb1", mp("sdb1"), "CAR"));
    MusicBox lib(options);
    ASSERT_TRUE(waitFor([&] { return lib.mediaList().size() == 6; }));
    lib.SetplayTackPath(mp("sdb1/later.mp3"));
    EXPECT_EQ(lib.currentIndex(), 5);
    EXPECT_TRUE(lib.player()->isPlaying());

    box.setLsblk(stickOneLsblk());
    lib.updateUSBdeviceList();
    EXPECT_EQ(lib.mediaList().size(), 5);
    EXPECT_EQ(lib.currentIndex(), 0);
    EXPECT_FALSE(lib.player()->isPlaying());
    EXPECT_EQ(lib.deviceList().size(), 2);

    // Pulling a stick that is not playing keeps the current index.
    lib.SetplayTackPath(mp("sda1/a.wav"));
    ASSERT_EQ(lib.currentIndex(), 2);
    box.setLsblk(MediaSandbox::lsblkLine("sda1", "vfat", "MUSIC", "1111-AAAA", mp("sda1")));
    lib.updateUSBdeviceList();
    EXPECT_EQ(lib.mediaList().size(), 4);
    EXPECT_EQ(lib.currentIndex(), 2);

    // Every tool silent: every device is gone.
    box.setLsblk("");
    lib.updateUSBdeviceList();
    EXPECT_TRUE(lib.mediaList().isEmpty());
    EXPECT_TRUE(lib.deviceList().isEmpty());
}

TEST_F(MusicBoxStorage, WaitsForAnUnmountedDeviceAtMostElevenTimes)
{
    const QString waiting = MediaSandbox::lsblkLine("sdc1", "vfat", "CAR", "4444-DDDD", "");
    box.setLsblk(waiting);
    MusicBox lib(options);
    // The first scan (800 ms) and then one retry a second.
    ASSERT_TRUE(waitFor([&] { return lib.mountRetries() >= 2; }));
    while (lib.mountRetries() <= MusicBox::MaxMountRetries)
        lib.updateUSBdeviceList();
    EXPECT_EQ(lib.mountRetries(), 11);
    // Past the limit a scan that meets the unmounted device changes nothing,
    box.setLsblk(waiting + MediaSandbox::lsblkLine("sda1", "vfat", "MUSIC", "1111-AAAA", mp("sda1")));
    lib.updateUSBdeviceList();
    EXPECT_TRUE(lib.deviceList().isEmpty());
    EXPECT_EQ(lib.mountRetries(), 11);
    // and once it has been mounted the scans work again.
    box.setLsblk(MediaSandbox::lsblkLine("sdc1", "vfat", "CAR", "4444-DDDD", mp("sdc1"))
                 + MediaSandbox::lsblkLine("sda1", "vfat", "MUSIC", "1111-AAAA", mp("sda1")));
    lib.updateUSBdeviceList();
    EXPECT_EQ(lib.deviceList().size(), 2);
}

TEST_F(MusicBoxStorage, ResumesTheSavedFileWhenItsStickComesBackUnderAnotherName)
{
    box.touch("sdb1/A/01.flac");
    box.touch("sdb1/B/03.flac");
    HostOptions rooted;
    rooted.mediaRoot = box.mediaRoot();
    MusicBox lib(rooted);
    lib.setResumePoint(2, box.mediaRoot() + "/sda1/B/03.flac", "5555-EEEE");
    QSignalSpy started(&lib, &MusicBox::UpdatePlayerInfor);
    box.setLsblk(MediaSandbox::lsblkLine("sdb1", "vfat", "", "5555-EEEE", mp("sdb1")));
    lib.updateUSBdeviceList();
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(lib.isAutoStarted());
    EXPECT_EQ(lib.current(), (MediaObjectInfo{"03.flac", mp("sdb1/B/03.flac"), "flac", "5555-EEEE"}));
    // When the worker reaches the file, the index follows; nothing else starts.
    ASSERT_TRUE(waitFor([&] { return lib.mediaList().size() == 3; }));
    ASSERT_TRUE(waitFor([&] { return lib.currentIndex() == 1; }));
    EXPECT_EQ(started.size(), 1);
}
