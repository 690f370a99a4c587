// From a stick appearing to the first sound: the device scan, the walk of
// 20,000 files on the worker and the play delay, with the real player on the
// null sink.

#include "mediahost/media/MusicBox.h"
#include "tests/mediahost/fixtures/AudioFixtures.h"
#include "tests/mediahost/media/MediaSandbox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int Files = 20000;
constexpr int FilesPerFolder = 100;

bool runUntil(const std::function<bool()>& condition, int timeoutMs = 120000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

// The first file in walking order is real music; the rest are empty files
// (only their names matter to the walk).
bool fillStick(const MediaSandbox& box)
{
    const QString first = box.mediaRoot() + "/sda1/000/00000.flac";
    QDir().mkpath(QFileInfo(first).path());
    if (!fixtures::encodeTone(first.toStdString(), fixtures::Tone{440, 30, 44100}))
        return false;
    for (int i = 1; i < Files; ++i)
        box.touch(QStringLiteral("sda1/%1/%2.mp3").arg(i / FilesPerFolder, 3, 10, QLatin1Char('0')).arg(i, 5, 10, QLatin1Char('0')));
    return true;
}

void StickToFirstSound(benchmark::State& state)
{
    MediaSandbox box;
    if (!box.isValid() || !fillStick(box)) {
        state.SkipWithError("cannot make the stick");
        return;
    }
    HostOptions options;
    options.mediaRoot = box.mediaRoot();
    const QString stick = box.mediaRoot() + "/sda1";
    double walkSeconds = 0;
    for (auto _ : state) {
        box.setLsblk(QString());
        MusicBox lib(options);
        runUntil([] { return false; }, 1000); // the first, empty scan
        box.setLsblk(MediaSandbox::lsblkLine("sda1", "vfat", "CAR", "BENC-0001", stick));
        box.setMount(MediaSandbox::mountLine("/dev/sda1", stick, "CAR"));

        QElapsedTimer clock;
        clock.start();
        lib.refreshUSBdeviceList(); // as the watcher of /dev does
        Player* player = lib.player();
        if (!runUntil([&] { return player->stream() != 0 && player->isStreamActive(); })) {
            state.SkipWithError("no sound");
            break;
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (!runUntil([&] { return lib.mediaList().size() == Files; })) {
            state.SkipWithError("walk unfinished");
            break;
        }
        walkSeconds = clock.nsecsElapsed() / 1e9;
    }
    state.counters["files"] = Files;
    state.counters["all_listed_s"] = walkSeconds;
}
BENCHMARK(StickToFirstSound)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    registerRecordTypes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
