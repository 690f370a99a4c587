// The enumeration worker on a real folder tree.
#include "MediaSandbox.h"
#include "TestSupport.h"
#include "mediahost/media/EumeThread.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <atomic>

TEST(EumeThread, WalksDepthFirstSubFoldersFirstInCodeUnitOrder)
{
    MediaSandbox box;
    ASSERT_TRUE(box.isValid());
    for (const char* f : {"stick/b.mp3", "stick/B/2.flac", "stick/B/1.wav", "stick/a/x.ogg", "stick/a/deep/y.dsf",
                          "stick/.hidden/z.mp3", "stick/.z.mp3", "stick/track.FLAC", "stick/track.MP3",
                          "stick/readme.txt", "stick/Z.ape"})
        box.touch(f);
    // A folder linked back up the tree must not send the walk round for ever.
    ASSERT_TRUE(QFile::link(box.mediaRoot() + "/stick", box.mediaRoot() + "/stick/a/back"));
    EumeThread worker;
    QStringList found;
    QStringList over;
    QObject::connect(&worker, &EumeThread::sendmediaInfo, &worker,
                     [&](QString name, QString path, QString suffix, QString uuid) {
                         found << path.mid(box.mediaRoot().size() + 1) + "|" + name + "|" + suffix + "|" + uuid;
                     });
    QObject::connect(&worker, &EumeThread::sendEumOver, &worker, [&](QString uuid) { over << uuid; });
    EXPECT_TRUE(worker.getStop());
    worker.addJob({box.mediaRoot() + "/stick", "U1"});
    ASSERT_TRUE(waitFor([&] { return !over.isEmpty(); }));
    EXPECT_EQ(found, QStringList({"stick/B/1.wav|1.wav|wav|U1", "stick/B/2.flac|2.flac|flac|U1",
                                  "stick/a/deep/y.dsf|y.dsf|dsf|U1", "stick/a/x.ogg|x.ogg|ogg|U1",
                                  "stick/Z.ape|Z.ape|ape|U1", "stick/b.mp3|b.mp3|mp3|U1",
                                  "stick/track.MP3|track.MP3|MP3|U1"}));
    EXPECT_EQ(over, QStringList{"U1"});
    ASSERT_TRUE(waitFor([&] { return worker.getStop(); }));
}

TEST(EumeThread, SkipsJobsWithoutMountPointOrUuidAndMissingFolders)
{
    MediaSandbox box;
    box.touch("s/a.mp3");
    EumeThread worker;
    int files = 0;
    QStringList over;
    QObject::connect(&worker, &EumeThread::sendmediaInfo, &worker, [&] { ++files; });
    QObject::connect(&worker, &EumeThread::sendEumOver, &worker, [&](QString uuid) { over << uuid; });
    worker.addJob({box.mediaRoot() + "/s", ""});
    ASSERT_TRUE(waitFor([&] { return over.size() == 1; }));
    worker.addJob({"", "U2"});
    ASSERT_TRUE(waitFor([&] { return over.size() == 2; }));
    worker.addJob({box.mediaRoot() + "/gone", "U3"});
    ASSERT_TRUE(waitFor([&] { return over.size() == 3; }));
    EXPECT_EQ(files, 0);
    EXPECT_EQ(over, QStringList({"", "U2", "U3"}));
}

// A device added just as the worker finishes its queue must still be walked.
TEST(EumeThread, EveryJobAddedWhileTheWorkerFinishesIsWalked)
{
    MediaSandbox box;
    constexpr int kJobs = 300;
    for (int i = 0; i < kJobs; ++i)
        box.touch(QString("d%1/f.mp3").arg(i));
    EumeThread worker;
    std::atomic<int> files{0};
    QObject::connect(&worker, &EumeThread::sendmediaInfo, &worker, [&] { ++files; }, Qt::DirectConnection);
    for (int i = 0; i < kJobs; ++i)
        worker.addJob({box.mediaRoot() + QString("/d%1").arg(i), QString("U%1").arg(i)});
    ASSERT_TRUE(waitFor([&] { return files.load() == kJobs; })) << files.load() << " of " << kJobs;
    ASSERT_TRUE(waitFor([&] { return worker.getStop(); }));
}
