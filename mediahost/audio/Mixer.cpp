#include "mediahost/audio/Mixer.h"

#include <algorithm>
#include <cmath>

#include "mediahost/audio/zembla.h"

namespace zembla {

bool Channel::isDecodeOnly() const { return flags & ZEMBLA_STREAM_DECODE; }

Mixer::Mixer(std::unique_ptr<OutputSink> sink, int rate)
    : sink_(std::move(sink)),
      rate_(rate),
      mix_(kChunkFrames * kOutputChannels),
      part_(kChunkFrames * kOutputChannels),
      out_(kChunkFrames * kOutputChannels),
      thread_([this] { run(); }) {}

Mixer::~Mixer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  wakeUp_.notify_all();
  thread_.join();
}

void Mixer::attach(const std::shared_ptr<Channel>& channel) {
  std::lock_guard<std::mutex> lock(mutex_);
  channels_.push_back(channel);
}

void Mixer::detach(const Channel* channel) {
  std::lock_guard<std::mutex> lock(mutex_);
  channels_.erase(std::remove_if(channels_.begin(), channels_.end(),
                                 [channel](const std::shared_ptr<Channel>& c) { return c.get() == channel; }),
                  channels_.end());
}

void Mixer::wake() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++wakeups_;
  }
  wakeUp_.notify_all();
}

std::vector<std::shared_ptr<Channel>> Mixer::playingChannels() {
  std::vector<std::shared_ptr<Channel>> candidates;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    candidates = channels_;
  }
  std::vector<std::shared_ptr<Channel>> playing;
  for (auto& c : candidates) {
    std::lock_guard<std::mutex> lock(c->mutex);
    if (c->state == Channel::State::Playing) playing.push_back(c);
  }
  return playing;
}

size_t Mixer::mixChunk(const std::vector<std::shared_ptr<Channel>>& playing) {
  std::fill(mix_.begin(), mix_.end(), 0.0f);
  size_t longest = 0;
  for (auto& c : playing) {
    std::lock_guard<std::mutex> lock(c->mutex);
    if (c->state != Channel::State::Playing) continue;
    size_t n = c->decoder->read(part_.data(), kChunkFrames);
    for (size_t i = 0; i < n * kOutputChannels; ++i) mix_[i] += part_[i] * c->volume;
    if (n < kChunkFrames) c->state = Channel::State::Stopped;  // reached its end
    longest = std::max(longest, n);
  }
  for (size_t i = 0; i < longest * kOutputChannels; ++i)
    out_[i] = int16_t(std::lrint(std::clamp(mix_[i], -1.0f, 32767.0f / 32768.0f) * 32768.0f));
  return longest;
}

void Mixer::run() {
  while (true) {
    uint64_t seen;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      if (quit_) return;
      seen = wakeups_;
    }
    auto playing = playingChannels();
    size_t frames = playing.empty() ? 0 : mixChunk(playing);
    if (frames == 0) {
      sink_->idle();
      std::unique_lock<std::mutex> lock(mutex_);
      wakeUp_.wait(lock, [&] { return quit_ || wakeups_ != seen; });
      continue;
    }
    sink_->write(out_.data(), frames);
  }
}

}  // namespace zembla
