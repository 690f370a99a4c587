// Where the mixed sound goes: an ALSA device, nothing, or a WAV file.
#ifndef MEDIAHOST_AUDIO_OUTPUTSINK_H
#define MEDIAHOST_AUDIO_OUTPUTSINK_H

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zembla {

constexpr int kOutputChannels = 2;

// The value of ZEMBLA_OUTPUT: "alsa[:DEVICE]" (also when unset), "null", "wav:FILE".
struct OutputSpec {
  enum class Kind { Alsa, Null, Wav };
  Kind kind = Kind::Alsa;
  std::string target;  // ALSA device name or WAV file path
};
std::optional<OutputSpec> parseOutputSpec(const char* value);

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Plays frames of interleaved 16-bit stereo; blocks about as long as they last.
  virtual bool write(const int16_t* samples, size_t frames) = 0;
  // Nothing is playing: the next write starts afresh.
  virtual void idle() {}
};

// Opens the sink at rate; null with a reason when it cannot.
std::unique_ptr<OutputSink> openOutputSink(const OutputSpec& spec, int rate, std::string& why);

// Holds a writer back to real time, letting it run a little ahead as a
// hardware buffer would.
class RealTimePacer {
 public:
  explicit RealTimePacer(int rate) : rate_(rate) {}
  void pace(size_t frames);
  void restart() { started_ = false; }

 private:
  int rate_;
  bool started_ = false;
  std::chrono::steady_clock::time_point start_;
  uint64_t frames_ = 0;
};

}  // namespace zembla

#endif
