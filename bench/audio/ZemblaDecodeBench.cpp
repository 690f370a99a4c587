// Decoding speed of libzembla against the ffmpeg program on the same files:
// a minute of stereo FLAC (pink noise, so the encoder has work to undo) and
// 30 s of stereo DSD64 in a DSF file. Compare the real times of each pair.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "mediahost/audio/zembla.h"
#include "tests/mediahost/fixtures/AudioFixtures.h"

namespace {

struct BenchFiles {
  std::string dir, flac, dsf;
  BenchFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zembla-bench-XXXXXX").string();
    dir = mkdtemp(pattern.data()) ? pattern : "/tmp";
    flac = dir + "/noise.flac";
    dsf = dir + "/tone.dsf";
    const std::string make = "ffmpeg -nostdin -v error -y -f lavfi -i 'anoisesrc=d=60:c=pink:a=0.3:r=44100' "
                             "-ac 2 -c:a flac '" + flac + "'";
    if (std::system(make.c_str()) != 0) flac.clear();
    fixtures::DsdFile d;
    d.tone.seconds = 30;
    if (!fixtures::writeDsf(dsf, d)) dsf.clear();
  }
  ~BenchFiles() { std::filesystem::remove_all(dir); }
};

const BenchFiles& files() {
  static BenchFiles f;
  return f;
}

void decodeWithZembla(benchmark::State& state, const std::string& path, bool dsd) {
  if (path.empty()) return state.SkipWithError("no input file");
  std::vector<char> block(1 << 16);
  int64_t bytes = 0;
  for (auto _ : state) {
    HSTREAM h = dsd ? BASS_DSD_StreamCreateFile(0, path.c_str(), 0, 0, ZEMBLA_STREAM_DECODE, 44100)
                    : BASS_FLAC_StreamCreateFile(0, path.c_str(), 0, 0, ZEMBLA_STREAM_DECODE);
    if (!h) return state.SkipWithError("no stream");
    for (DWORD got; (got = BASS_ChannelGetData(h, block.data(), DWORD(block.size()))) != DWORD(-1);) bytes += got;
    BASS_StreamFree(h);
  }
  state.counters["pcm_MB"] = benchmark::Counter(double(bytes) / 1e6 / double(state.iterations()));
}

void decodeWithFfmpeg(benchmark::State& state, const std::string& path) {
  if (path.empty()) return state.SkipWithError("no input file");
  const std::string command = "ffmpeg -nostdin -v quiet -i '" + path + "' -f null -";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) return state.SkipWithError("ffmpeg failed");
}

void BM_Flac_Zembla(benchmark::State& s) { decodeWithZembla(s, files().flac, false); }
void BM_Flac_Ffmpeg(benchmark::State& s) { decodeWithFfmpeg(s, files().flac); }
void BM_Dsf_Zembla(benchmark::State& s) { decodeWithZembla(s, files().dsf, true); }
void BM_Dsf_Ffmpeg(benchmark::State& s) { decodeWithFfmpeg(s, files().dsf); }

BENCHMARK(BM_Flac_Zembla)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Flac_Ffmpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Dsf_Zembla)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Dsf_Ffmpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
