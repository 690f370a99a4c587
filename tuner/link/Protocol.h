#pragma once
// Vocabulary of the frames exchanged with the processor.

#include <cstddef>
#include <cstdint>

namespace protocol {

constexpr uint8_t kSync = 0xA2;
constexpr uint8_t kFrameStart = 0xA3;
constexpr uint8_t kAltFrameStart = 0xEE;
constexpr uint8_t kEndMark = 0xAA;
constexpr uint8_t kDeviceId = 1;

enum Operation : uint8_t { kWrite = 0xB3, kRead = 0xB4 };

enum BlockType : int { kMicInput = 1, kMusicInput = 2, kOutput = 3, kSystem = 4, kEffect = 10 };

enum Item : int {
  kItemStatus = 3,
  kItem64 = 64,
  kItemSlotName = 134,
  kItemIdentification = 136,
  kItemFactoryReset = 137,
  kItem144 = 144,
  kItemSpeakerTypes = 145,
  kItem150 = 150,
};

enum ReplyCode : uint8_t { kAck = 0x64, kResend = 0x65, kData = 0x66 };

constexpr uint8_t kTargetSlot = 0xAB;  // store a read reply into the record named by the slot

constexpr size_t kHeaderSize = 14;     // command frame before the payload
constexpr size_t kFrameOverhead = 16;  // header + checksum + end mark
constexpr size_t kReplyOverhead = 13;  // reply frame without payload, from its start byte
constexpr size_t kReplyPayload = 11;   // index of the payload in a reply
constexpr size_t kReportSize = 65;     // USB report: id byte + 64 data bytes
constexpr size_t kReportData = 64;
constexpr size_t kRequestPayload = 8;  // read requests and the status poll

// Payload sizes of whole blocks.
constexpr size_t kInputBlockSize = 112, kOutputBlockSize = 296, kEffectBlockSize = 96;

// XOR of n bytes.
inline uint8_t Xor(const uint8_t* p, size_t n) {
  uint8_t x = 0;
  for (size_t i = 0; i < n; ++i) x ^= p[i];
  return x;
}

}  // namespace protocol
