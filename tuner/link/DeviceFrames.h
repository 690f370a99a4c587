#pragma once
// The device side of the frame format: decoding a command frame and encoding
// a reply as the processor sends it (three 0xA2, the frame, then 64-byte
// reports with zero padding). Used by the processor simulator and tests.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "tuner/link/Protocol.h"

namespace protocol {

struct Command {
  uint8_t operation = 0, slot = 0, type = 0, item = 0, element = 0, linkFlag = 0;
  std::vector<uint8_t> payload;
};

// Decodes one complete command frame; nothing when sync, length, checksum or
// end mark are wrong.
std::optional<Command> ParseCommand(const uint8_t* frame, size_t n);

// Frame length once its 14-byte header is known; 0 while the header is incomplete.
size_t CommandLength(const uint8_t* bytes, size_t n);

struct ReplyHeader {
  uint8_t code = kAck, slot = 0, type = 0, item = 0, target = 0;
};

// Sync bytes and reply frame.
std::vector<uint8_t> BuildReply(const ReplyHeader& header, const uint8_t* payload, size_t n);

using Report = std::array<uint8_t, kReportSize>;
// Splits a byte stream into 65-byte reports (id 0), zero-padding the last.
std::vector<Report> SplitIntoReports(const std::vector<uint8_t>& stream);

}  // namespace protocol
