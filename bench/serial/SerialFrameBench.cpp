// Frame codec and folder listing costs of the UART links: how much CPU a
// byte stream at line rate takes, and how long a browser listing takes.

#include "mediahost/core/PlayableFiles.h"
#include "mediahost/serial/FrameCodec.h"
#include "mediahost/serial/Payloads.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray stream(int dataSize, int frames)
{
    Frame f;
    f.head = 0x66;
    f.group = 3;
    f.data = QByteArray(dataSize, '\x5A');
    QByteArray bytes;
    for (int i = 0; i < frames; ++i)
        bytes += FrameCodec::build(f);
    return bytes;
}

void AssembleFrames(benchmark::State& state)
{
    const QByteArray bytes = stream(int(state.range(0)), 64);
    FrameCodec::Assembler assembler;
    int accepted = 0;
    for (auto _ : state) {
        for (char c : bytes)
            accepted += assembler.feed(quint8(c)) == FrameCodec::Assembler::Result::Accepted;
        benchmark::DoNotOptimize(accepted);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}
BENCHMARK(AssembleFrames)->Arg(18)->Arg(71)->Arg(296)->Arg(2048);

void BuildFrame(benchmark::State& state)
{
    Frame f;
    f.head = 0xB3;
    f.group = 3;
    f.data = QByteArray(int(state.range(0)), '\x11');
    for (auto _ : state)
        benchmark::DoNotOptimize(FrameCodec::build(f));
    state.SetBytesProcessed(int64_t(state.iterations()) * (f.data.size() + FrameCodec::FixedSize));
}
BENCHMARK(BuildFrame)->Arg(18)->Arg(296);

void PanelCurrentFileAnswer(benchmark::State& state)
{
    CurfileInfo info;
    info.setName(QString(256, QLatin1Char('n')));
    info.setAlbum(QString(50, QLatin1Char('a')));
    info.setArtist(QString(50, QLatin1Char('r')));
    for (auto _ : state)
        benchmark::DoNotOptimize(Payloads::currentFileAnswer(info));
}
BENCHMARK(PanelCurrentFileAnswer);

void ListMediaFolder(benchmark::State& state)
{
    QTemporaryDir dir;
    for (int i = 0; i < state.range(0); ++i) {
        QFile f(dir.filePath(QStringLiteral("track%1.%2").arg(i, 5, 10, QLatin1Char('0')).arg(i % 3 ? "flac" : "txt")));
        f.open(QIODevice::WriteOnly);
    }
    for (int i = 0; i < state.range(0) / 20; ++i)
        QDir(dir.path()).mkdir(QStringLiteral("folder%1").arg(i));
    for (auto _ : state)
        benchmark::DoNotOptimize(listMediaFolder(dir.path()));
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(ListMediaFolder)->Arg(100)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
