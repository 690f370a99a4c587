// The streams and the thread that plays them on one output.
#ifndef MEDIAHOST_AUDIO_MIXER_H
#define MEDIAHOST_AUDIO_MIXER_H

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "mediahost/audio/Decoder.h"
#include "mediahost/audio/OutputSink.h"

namespace zembla {

// One stream. Its decoder is used by the mixer thread and by callers, always
// under mutex.
struct Channel {
  enum class State { Stopped, Playing, Paused };

  std::mutex mutex;
  std::unique_ptr<Decoder> decoder;
  std::string filename;
  uint32_t flags = 0;
  int freq = 0;      // the stream's own rate and channels, what byte positions count in
  int channels = 0;
  State state = State::Stopped;
  float volume = 1.0f;

  bool isDecodeOnly() const;
  uint64_t bytesPerSecond() const { return uint64_t(freq) * uint64_t(channels) * 2; }
};

class Mixer {
 public:
  static constexpr size_t kChunkFrames = 1024;

  Mixer(std::unique_ptr<OutputSink> sink, int rate);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  int rate() const { return rate_; }
  void attach(const std::shared_ptr<Channel>& channel);
  void detach(const Channel* channel);
  // A channel started playing: stop waiting.
  void wake();

 private:
  void run();
  std::vector<std::shared_ptr<Channel>> playingChannels();
  size_t mixChunk(const std::vector<std::shared_ptr<Channel>>& playing);

  std::unique_ptr<OutputSink> sink_;
  const int rate_;
  std::mutex mutex_;
  std::condition_variable wakeUp_;
  std::vector<std::shared_ptr<Channel>> channels_;
  bool quit_ = false;
  uint64_t wakeups_ = 0;
  std::vector<float> mix_;
  std::vector<float> part_;
  std::vector<int16_t> out_;
  std::thread thread_;
};

}  // namespace zembla

#endif
