// Enumeration of a generated tree of 20,000 music files by the worker against
// `find` on the same tree, and the memory the media list of those files takes
// in the library (peak resident size of this process after the walk).
#include "mediahost/core/Records.h"
#include "mediahost/media/EumeThread.h"
#include "mediahost/media/MusicBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>

namespace {

constexpr int kFiles = 20000;
constexpr int kPerFolder = 100;

struct Tree {
    QTemporaryDir dir;
    QString root() const { return dir.path() + "/stick"; }
    Tree()
    {
        const char* suffixes[] = {"flac", "mp3", "wav", "dsf", "ape"};
        for (int i = 0; i < kFiles; ++i) {
            const QString folder = QString("%1/artist%2/album%3").arg(root()).arg(i / 1000).arg(i / kPerFolder);
            if (i % kPerFolder == 0)
                QDir().mkpath(folder);
            QFile f(QString("%1/%2 track.%3").arg(folder).arg(i, 5, 10, QChar('0')).arg(suffixes[i % 5]));
            f.open(QIODevice::WriteOnly);
        }
    }
};

const Tree& tree()
{
    static Tree t;
    return t;
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_EumeThread_Walk(benchmark::State& state)
{
    for (auto _ : state) {
        EumeThread worker;
        int files = 0;
        bool over = false;
        QObject::connect(&worker, &EumeThread::sendmediaInfo, &worker, [&] { ++files; });
        QObject::connect(&worker, &EumeThread::sendEumOver, &worker, [&] { over = true; });
        worker.addJob({tree().root(), "UUID"});
        while (!over)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (files != kFiles)
            state.SkipWithError("wrong number of files");
    }
    state.counters["files"] = kFiles;
}

void BM_Find_Walk(benchmark::State& state)
{
    const std::string command = "find '" + tree().root().toStdString() + "' -type f > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("find failed");
}

// The whole library on one stick of 20,000 files, via fake lsblk and mount.
void BM_MusicBox_ListOf20000(benchmark::State& state)
{
    const QString bin = tree().dir.path() + "/bin";
    QDir().mkpath(bin);
    auto script = [&](const QString& name, const QString& text) {
        QFile f(bin + "/" + name);
        f.open(QIODevice::WriteOnly);
        f.write(("#!/bin/sh\ncat <<'EOF'\n" + text + "EOF\n").toUtf8());
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    };
    script("lsblk", QString("NAME=\"sda1\" FSTYPE=\"vfat\" LABEL=\"MUSIC\" UUID=\"1111-AAAA\" MOUNTPOINT=\"%1\"\n")
                        .arg(tree().root()));
    script("mount", QString("/dev/sda1 on %1 type vfat (rw,relatime) [MUSIC]\n").arg(tree().root()));
    qputenv("PATH", (bin + ":").toUtf8() + qgetenv("PATH"));
    qputenv("ZEMBLA_OUTPUT", "null");
    const long before = peakRssKb();
    for (auto _ : state) {
        MusicBox lib(HostOptions{});
        while (lib.mediaList().size() < kFiles)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    state.counters["peak_rss_MB"] = double(peakRssKb()) / 1024;
    state.counters["peak_growth_MB"] = double(peakRssKb() - before) / 1024;
}

BENCHMARK(BM_EumeThread_Walk)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Find_Walk)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_MusicBox_ListOf20000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    registerRecordTypes();
    benchmark::Initialize(&argc, argv);
    tree();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
