#include "tuner/link/ReplyAssembler.h"

#include <algorithm>
#include <cstring>

#include "tuner/link/Protocol.h"
#include "tuner/model/Bytes.h"

namespace {
constexpr size_t kLengthIndex = 9;
constexpr size_t kWipedOnReset = 300;
constexpr int kSyncBytesBeforeStart = 3;
}  // namespace

size_t ReplyAssembler::Hunt(const uint8_t* bytes, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const uint8_t b = bytes[i];
    if (b == protocol::kSync) {
      ++syncCount_;
      continue;
    }
    if (b == protocol::kAltFrameStart || syncCount_ == kSyncBytesBeforeStart) {
      inFrame_ = true;
      syncCount_ = 0;
      return i;
    }
    syncCount_ = 0;
  }
  return n;
}

void ReplyAssembler::Append(const uint8_t* bytes, size_t n) {
  // Bytes beyond the buffer can only be padding or a frame that is dropped
  // below, so they are never stored.
  const size_t room = kBufferSize - count_;
  const size_t taken = std::min(n, room);
  std::memcpy(buffer_.data() + count_, bytes, taken);
  count_ += taken;
}

bool ReplyAssembler::Feed(const uint8_t* bytes, size_t n) {
  if (!inFrame_) {
    const size_t start = Hunt(bytes, n);
    if (start == n) return false;
    bytes += start;
    n -= start;
  }
  Append(bytes, n);
  if (count_ < protocol::kReplyOverhead) return false;
  expected_ = protocol::kReplyOverhead + bytes::GetU16(buffer_.data() + kLengthIndex);
  if (expected_ > kBufferSize) {
    Clear();
    return false;
  }
  if (count_ < expected_) return false;
  const bool valid = buffer_[expected_ - 1] == protocol::kEndMark &&
                     protocol::Xor(buffer_.data() + 1, expected_ - 3) == buffer_[expected_ - 2];
  if (!valid) Clear();
  return valid;
}

void ReplyAssembler::Clear() {
  count_ = 0;
  inFrame_ = false;
}

void ReplyAssembler::Reset() {
  Clear();
  std::memset(buffer_.data(), 0, kWipedOnReset);
}
