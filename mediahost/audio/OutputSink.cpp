#include "mediahost/audio/OutputSink.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <cstdarg>
#include <cstdlib>
#include <thread>
#include <vector>

namespace zembla {

std::optional<OutputSpec> parseOutputSpec(const char* value) {
  std::string text = value ? value : "";
  OutputSpec spec;
  if (text.empty() || text == "alsa") {
    spec.target = "default";
    return spec;
  }
  const auto colon = text.find(':');
  const std::string kind = text.substr(0, colon);
  const std::string rest = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (kind == "alsa" && !rest.empty()) {
    spec.target = rest;
    return spec;
  }
  if (kind == "null" && colon == std::string::npos) {
    spec.kind = OutputSpec::Kind::Null;
    return spec;
  }
  if (kind == "wav" && !rest.empty()) {
    spec.kind = OutputSpec::Kind::Wav;
    spec.target = rest;
    return spec;
  }
  return std::nullopt;
}

void RealTimePacer::pace(size_t frames) {
  using namespace std::chrono;
  // How far ahead of the clock a writer may be, like a device's buffer.
  constexpr auto kLead = milliseconds(60);
  if (!started_) {
    started_ = true;
    start_ = steady_clock::now();
    frames_ = 0;
  }
  frames_ += frames;
  const auto due = start_ + duration_cast<steady_clock::duration>(duration<double>(double(frames_) / rate_));
  const auto now = steady_clock::now();
  if (due - kLead > now) std::this_thread::sleep_until(due - kLead);
  // After a long stall (suspended process) do not rush to catch up.
  if (now - due > seconds(1)) restart();
}

namespace {

class NullSink : public OutputSink {
 public:
  explicit NullSink(int rate) : pacer_(rate) {}
  bool write(const int16_t*, size_t frames) override {
    pacer_.pace(frames);
    return true;
  }
  void idle() override { pacer_.restart(); }

 private:
  RealTimePacer pacer_;
};

void putLE(uint8_t* p, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = uint8_t(v >> (8 * i));
}

// 16-bit stereo PCM; the header's sizes are kept current after every write so
// that the file is valid while it grows.
class WavSink : public OutputSink {
 public:
  WavSink(int fd, int rate) : fd_(fd), rate_(rate), pacer_(rate) {}
  ~WavSink() override { ::close(fd_); }

  bool writeHeader() {
    uint8_t h[44];
    std::memcpy(h, "RIFF", 4);
    putLE(h + 4, 36 + dataBytes_, 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    putLE(h + 16, 16, 4);
    putLE(h + 20, 1, 2);
    putLE(h + 22, kOutputChannels, 2);
    putLE(h + 24, uint32_t(rate_), 4);
    putLE(h + 28, uint32_t(rate_) * kOutputChannels * 2, 4);
    putLE(h + 32, kOutputChannels * 2, 2);
    putLE(h + 34, 16, 2);
    std::memcpy(h + 36, "data", 4);
    putLE(h + 40, dataBytes_, 4);
    return ::pwrite(fd_, h, sizeof h, 0) == ssize_t(sizeof h);
  }

  bool write(const int16_t* samples, size_t frames) override {
    pacer_.pace(frames);
    const size_t bytes = frames * kOutputChannels * 2;
    le_.resize(bytes);
    for (size_t i = 0; i < frames * kOutputChannels; ++i) putLE(&le_[2 * i], uint16_t(samples[i]), 2);
    if (::pwrite(fd_, le_.data(), bytes, 44 + off_t(dataBytes_)) != ssize_t(bytes)) return false;
    dataBytes_ += uint32_t(bytes);
    return writeHeader();
  }
  void idle() override { pacer_.restart(); }

 private:
  int fd_;
  int rate_;
  RealTimePacer pacer_;
  uint32_t dataBytes_ = 0;
  std::vector<uint8_t> le_;
};

class AlsaSink : public OutputSink {
 public:
  explicit AlsaSink(snd_pcm_t* pcm) : pcm_(pcm) {}
  ~AlsaSink() override {
    snd_pcm_drop(pcm_);
    snd_pcm_close(pcm_);
  }
  bool write(const int16_t* samples, size_t frames) override {
    while (frames > 0) {
      snd_pcm_sframes_t n = snd_pcm_writei(pcm_, samples, frames);
      if (n < 0) n = snd_pcm_recover(pcm_, int(n), 1);
      if (n < 0) return false;
      samples += size_t(n) * kOutputChannels;
      frames -= size_t(n);
    }
    return true;
  }

 private:
  snd_pcm_t* pcm_;
};

// The reason for a failure reaches the caller; ALSA's own chatter does not.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

std::unique_ptr<OutputSink> openOutputSink(const OutputSpec& spec, int rate, std::string& why) {
  switch (spec.kind) {
    case OutputSpec::Kind::Null:
      return std::make_unique<NullSink>(rate);
    case OutputSpec::Kind::Wav: {
      int fd = ::open(spec.target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (fd < 0) {
        why = "cannot create " + spec.target + ": " + std::strerror(errno);
        return nullptr;
      }
      auto sink = std::make_unique<WavSink>(fd, rate);
      if (!sink->writeHeader()) {
        why = "cannot write " + spec.target;
        return nullptr;
      }
      return sink;
    }
    case OutputSpec::Kind::Alsa: {
      if (!std::getenv("ZEMBLA_DEBUG")) snd_lib_error_set_handler(quietAlsa);
      snd_pcm_t* pcm = nullptr;
      int rc = snd_pcm_open(&pcm, spec.target.c_str(), SND_PCM_STREAM_PLAYBACK, 0);
      if (rc == 0) {
        rc = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, kOutputChannels,
                                unsigned(rate), 1, 100000);
        if (rc == 0) return std::make_unique<AlsaSink>(pcm);
        snd_pcm_close(pcm);
      }
      why = "ALSA device " + spec.target + ": " + snd_strerror(rc);
      return nullptr;
    }
  }
  return nullptr;
}

}  // namespace zembla
