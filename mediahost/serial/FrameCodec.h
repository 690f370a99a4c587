#pragma once
// The frame format both UART links share, as pure functions over bytes:
//   A2 A2 A2 A3 | head flag slot group command sub spare spare | n (LE16) |
//   n data bytes | XOR checksum | AA

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <optional>

struct Frame {
    quint8 head = 0;
    quint8 flag = 1;
    quint8 slot = 0;
    quint8 group = 0;
    quint8 command = 0;
    quint8 sub = 0;
    quint8 spare1 = 0;
    quint8 spare2 = 0;
    QByteArray data;

    // Data byte i, or 0 past the end: short frames never read beyond their data.
    quint8 byteAt(int i) const { return i >= 0 && i < data.size() ? quint8(data[i]) : 0; }
};

namespace FrameCodec {

constexpr quint8 SyncByte = 0xA2;
constexpr quint8 SyncEnd = 0xA3;
constexpr quint8 Tail = 0xAA;
constexpr int SyncRun = 3;
constexpr int HeaderSize = 8;
constexpr int FixedSize = 16;      // sync, header, length, checksum, tail
constexpr int MaxDataSize = 2048;  // the receive area

// The whole frame, n + 16 bytes. Data beyond 0xFFFF bytes cannot be framed
// and is cut (no caller sends more than a few hundred bytes).
QByteArray build(const Frame& frame);

// XOR over header, both length bytes and data.
quint8 checksum(const Frame& frame);

// Receive assembler, fed byte by byte. A frame starts after exactly three
// 0xA2 followed by 0xA3; a run of four or more 0xA2 starts none.
class Assembler {
public:
    enum class Result { Pending, Accepted, Rejected };

    // Returns Accepted with the frame in `frame()` when a byte completes a
    // frame with flag 1, matching checksum and tail 0xAA; Rejected when it
    // completes (or aborts) one that fails those checks.
    Result feed(quint8 byte);
    const Frame& frame() const { return frame_; }

    // Forget any partial frame and sync run.
    void reset();
    bool inFrame() const { return inFrame_; }

private:
    Result finish();

    int syncCount_ = 0;
    bool inFrame_ = false;
    int position_ = 0;
    int expected_ = -1; // stored bytes that end the frame, once the length is known
    std::array<quint8, 10 + MaxDataSize + 2> area_{};
    Frame frame_;
};

} // namespace FrameCodec
