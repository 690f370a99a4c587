#include "tuner/link/DeviceFrames.h"

#include <algorithm>
#include <cstring>

#include "tuner/model/Bytes.h"

namespace protocol {

namespace {
constexpr size_t kCommandLengthIndex = 12;
constexpr size_t kReplyLengthIndex = 9;
constexpr int kSyncBytes = 3;
}  // namespace

size_t CommandLength(const uint8_t* bytes, size_t n) {
  if (n < kHeaderSize) return 0;
  return bytes::GetU16(bytes + kCommandLengthIndex) + kFrameOverhead;
}

std::optional<Command> ParseCommand(const uint8_t* f, size_t n) {
  if (n < kFrameOverhead || f[0] != kSync || f[1] != kSync || f[2] != kSync || f[3] != kFrameStart) return std::nullopt;
  const size_t payload = bytes::GetU16(f + kCommandLengthIndex);
  if (n != payload + kFrameOverhead) return std::nullopt;
  if (f[n - 1] != kEndMark || Xor(f + 4, n - 6) != f[n - 2]) return std::nullopt;
  Command c;
  c.operation = f[4];
  c.slot = f[6];
  c.type = f[7];
  c.item = f[8];
  c.element = f[9];
  c.linkFlag = f[10];
  c.payload.assign(f + kHeaderSize, f + kHeaderSize + payload);
  return c;
}

std::vector<uint8_t> BuildReply(const ReplyHeader& h, const uint8_t* payload, size_t n) {
  std::vector<uint8_t> s(kSyncBytes, kSync);
  const size_t start = s.size();
  s.resize(start + n + kReplyOverhead, 0);
  uint8_t* f = s.data() + start;
  f[0] = kFrameStart;
  f[1] = h.code;
  f[2] = kDeviceId;
  f[3] = h.slot;
  f[4] = h.type;
  f[5] = h.item;
  f[6] = h.target;
  bytes::PutI16(f + kReplyLengthIndex, static_cast<int>(n));
  if (n) std::memcpy(f + kReplyPayload, payload, n);
  f[kReplyPayload + n] = Xor(f + 1, n + kReplyPayload - 1);
  f[kReplyPayload + n + 1] = kEndMark;
  return s;
}

std::vector<Report> SplitIntoReports(const std::vector<uint8_t>& stream) {
  std::vector<Report> reports;
  for (size_t at = 0; at < stream.size(); at += kReportData) {
    Report r{};
    const size_t n = std::min(kReportData, stream.size() - at);
    std::memcpy(r.data() + 1, stream.data() + at, n);
    reports.push_back(r);
  }
  return reports;
}

}  // namespace protocol
