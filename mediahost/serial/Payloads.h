#pragma once
// The data layouts carried inside frames on the two UART links, both
// directions, as pure functions over bytes. Multi-byte numbers are
// little-endian unless marked big-endian; text is UTF-16 big-endian.

#include "mediahost/core/Records.h"

#include <QByteArray>
#include <QVector>

#include <optional>

namespace Payloads {

// ---- helpers --------------------------------------------------------------
void appendUtf16BE(QByteArray& out, const quint16* units, int count);
void appendUtf16BE(QByteArray& out, const QString& text);
// `bytes` bytes of big-endian UTF-16 from data[offset]; what lies beyond the
// data is not read.
QString readUtf16BE(const QByteArray& data, int offset, int bytes);
void appendLE16(QByteArray& out, quint16 v);
void appendLE32(QByteArray& out, quint32 v);
void appendBE32(QByteArray& out, quint32 v);
quint32 readLE32(const QByteArray& data, int offset);
quint32 readBE32(const QByteArray& data, int offset);

// Copies the bytes of `data` into `image` from `offset`, as many as fit.
template <std::size_t N>
void copyInto(std::array<quint8, N>& image, int offset, const QByteArray& data)
{
    for (int i = 0; i < data.size() && offset + i < int(N); ++i)
        image[std::size_t(offset + i)] = quint8(data[i]);
}
// `count` bytes of `image` from `offset`; bytes past its end read as 0.
template <std::size_t N>
QByteArray sliceOf(const std::array<quint8, N>& image, int offset, int count)
{
    QByteArray out(count, '\0');
    for (int i = 0; i < count && offset + i < int(N); ++i)
        out[i] = char(image[std::size_t(offset + i)]);
    return out;
}

// ---- System groups: the byte offset each write command covers --------------
// 0x90 bytes 0-7, 0x95 24-31, 0x96 32-39, 0x97 40-47.
std::optional<int> systemGroupOffset(quint8 command);

// ---- DSP link ---------------------------------------------------------------
// Heartbeat frame data (18 bytes, numbers big-endian).
QByteArray heartbeatData(const Heartbeat& hb);
Heartbeat parseHeartbeatData(const QByteArray& data);

// Heartbeat answer (from the DSP): key, source, volume, soundOn, byte 48,
// operation code and argument, 64 bytes of display data.
struct HeartbeatAnswer {
    quint8 key = 0;
    quint8 source = 0;
    quint8 volume = 0;
    quint8 soundOn = 0;
    quint8 byte48 = 0;
    quint8 operation = 0;
    quint8 argument = 0;
    TftdataBuf display;
};
constexpr int HeartbeatAnswerMinSize = 7;
QByteArray heartbeatAnswerData(const HeartbeatAnswer& a);
// Nothing for data shorter than the 7 state bytes; missing display bytes are 0.
std::optional<HeartbeatAnswer> parseHeartbeatAnswer(const QByteArray& data);

// Current-file block (group 5, 0x80): name, album and artist cut to 128, 64
// and 64 bytes.
QByteArray currentFileBlock(const CurfileInfo& info);
struct CurrentFileBlock {
    quint8 codecCode = 0, rateCode = 0, hiFi = 0;
    QString name, album, artist;
    int nameBytes = 0;
};
CurrentFileBlock parseCurrentFileBlock(const QByteArray& data);

// Resume point as the DSP answers it (group 5, 0xA2): minute, L1, id, L2
// (LE16), path. Lengths above 253 / 509 count as 254 / 510; lengths beyond
// the data are cut to what arrived.
QByteArray resumeAnswerData(const PlayFileinfo& record);
PlayFileinfo parseResumeAnswer(const QByteArray& data);

// Resume record as written to the DSP (group 5, 0xA2): L1, id, L2, path, 0.
QByteArray resumeRecordWrite(const PlayFileinfo& record);
PlayFileinfo parseResumeRecordWrite(const QByteArray& data);

// ---- browser pages ------------------------------------------------------------
struct BrowserPage {
    quint32 lastPage = 0;
    quint32 page = 0;
    quint8 cursor = 0;
    quint8 depth = 0;
    QVector<BriwserFileInfo> entries; // names already cut to 40 code units; no paths
};
// The DSP link gives each name a one-byte length, the panel link two bytes.
enum class NameLength { OneByte, TwoBytes };
QByteArray browserPageData(const BrowserPage& page, NameLength lengthBytes);
std::optional<BrowserPage> parseBrowserPage(const QByteArray& data, NameLength lengthBytes);

// ---- panel link ------------------------------------------------------------
constexpr int StatusAnswerSize = 85;
QByteArray statusAnswer(const System& system, const Heartbeat& hb, const TftdataBuf& display,
                        quint8 operation, quint8 argument);
QByteArray currentFileAnswer(const CurfileInfo& info);
QByteArray sundryAnswer(const McuSundry& sundry);
QByteArray systemAnswer(const System& system, const TftdataBuf& display);

} // namespace Payloads
