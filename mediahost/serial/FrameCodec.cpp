#include "mediahost/serial/FrameCodec.h"

namespace FrameCodec {

namespace {

std::array<quint8, HeaderSize> headerBytes(const Frame& f)
{
    return {f.head, f.flag, f.slot, f.group, f.command, f.sub, f.spare1, f.spare2};
}

int framedLength(const Frame& f) { return qMin(f.data.size(), 0xFFFF); }

} // namespace

quint8 checksum(const Frame& frame)
{
    quint8 sum = 0;
    for (quint8 b : headerBytes(frame))
        sum ^= b;
    const int n = framedLength(frame);
    sum ^= quint8(n & 0xFF);
    sum ^= quint8(n >> 8);
    for (int i = 0; i < n; ++i)
        sum ^= quint8(frame.data[i]);
    return sum;
}

QByteArray build(const Frame& frame)
{
    const int n = framedLength(frame);
    QByteArray out;
    out.reserve(n + FixedSize);
    out.append(3, char(SyncByte));
    out.append(char(SyncEnd));
    for (quint8 b : headerBytes(frame))
        out.append(char(b));
    out.append(char(n & 0xFF));
    out.append(char(n >> 8));
    out.append(frame.data.constData(), n);
    out.append(char(checksum(frame)));
    out.append(char(Tail));
    return out;
}

void Assembler::reset()
{
    syncCount_ = 0;
    inFrame_ = false;
    position_ = 0;
    expected_ = -1;
}

Assembler::Result Assembler::feed(quint8 byte)
{
    if (!inFrame_) {
        if (byte == SyncByte) {
            ++syncCount_;
        } else if (byte == SyncEnd && syncCount_ == SyncRun) {
            inFrame_ = true;
            syncCount_ = 0;
        } else {
            syncCount_ = 0;
        }
        position_ = 0;
        expected_ = -1;
        return Result::Pending;
    }

    area_[std::size_t(position_++)] = byte;
    if (position_ == 10) {
        const int n = area_[8] | (area_[9] << 8);
        if (n > MaxDataSize) {
            // More than the receive area holds: drop it and look for the
            // next sync run.
            reset();
            return Result::Rejected;
        }
        expected_ = n + 12;
    }
    if (position_ != expected_)
        return Result::Pending;
    return finish();
}

Assembler::Result Assembler::finish()
{
    const int n = expected_ - 12;
    reset();
    Frame f;
    f.head = area_[0];
    f.flag = area_[1];
    f.slot = area_[2];
    f.group = area_[3];
    f.command = area_[4];
    f.sub = area_[5];
    f.spare1 = area_[6];
    f.spare2 = area_[7];
    f.data = QByteArray(reinterpret_cast<const char*>(area_.data()) + 10, n);
    const bool ok = f.flag == 1 && area_[std::size_t(n + 10)] == checksum(f)
        && area_[std::size_t(n + 11)] == Tail;
    if (!ok)
        return Result::Rejected;
    frame_ = std::move(f);
    return Result::Accepted;
}

} // namespace FrameCodec
