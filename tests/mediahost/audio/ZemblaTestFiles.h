// Generated audio files for the library's tests, made once per test process.
#ifndef TESTS_MEDIAHOST_AUDIO_ZEMBLATESTFILES_H
#define TESTS_MEDIAHOST_AUDIO_ZEMBLATESTFILES_H

#include <string>

#include "tests/mediahost/fixtures/AudioFixtures.h"

namespace zembla_test {

// A scratch folder removed at exit.
const std::string& scratchDir();

// "tone.<ext>": a 1 kHz tone of `seconds` encoded by ffmpeg, or for dsf and
// dff written by the DSD fixture, or for ape the kept fixture (2 s).
std::string toneFile(const std::string& ext, double seconds = 1.0);

// Expected RMS of the ffmpeg tone after decoding.
constexpr double kToneRms = fixtures::kEncodedPeak / 1.41421356;

}  // namespace zembla_test

#endif
