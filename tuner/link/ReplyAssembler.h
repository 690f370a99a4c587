#pragma once
// Finds reply frames in the stream of 64-byte report payloads and reassembles
// them in a fixed 400-byte buffer. Pure bytes, no I/O.

#include <array>
#include <cstddef>
#include <cstdint>

class ReplyAssembler {
 public:
  static constexpr size_t kBufferSize = 400;

  // Feeds n received bytes. True when a complete frame with a valid end mark
  // and checksum is in Frame(); the caller then handles it and calls Clear().
  // A frame whose declared length cannot fit the buffer is dropped at once.
  bool Feed(const uint8_t* bytes, size_t n);

  const uint8_t* Frame() const { return buffer_.data(); }
  size_t FrameLength() const { return expected_; }
  bool InFrame() const { return inFrame_; }

  // Back to hunting for the next frame start.
  void Clear();
  // Clear() and also wipe the start of the buffer (a resend request).
  void Reset();

 private:
  size_t Hunt(const uint8_t* bytes, size_t n);  // index of the frame start, or n
  void Append(const uint8_t* bytes, size_t n);

  std::array<uint8_t, kBufferSize> buffer_{};
  size_t count_ = 0;
  size_t expected_ = 0;
  int syncCount_ = 0;
  bool inFrame_ = false;
};
