#include "mediahost/serial/Payloads.h"

namespace Payloads {

namespace {

constexpr int MaxBrowserNameUnits = 40;
constexpr int CurrentFileNameBytes = 128;
constexpr int CurrentFileTagBytes = 64;

quint8 at(const QByteArray& data, int i) { return i >= 0 && i < data.size() ? quint8(data[i]) : 0; }

// Whole code units of `bytes` bytes of a field (an odd byte count keeps the
// high byte of the next unit, as the wire carries it).
void appendUnitsBytes(QByteArray& out, const quint16* units, int bytes)
{
    QByteArray full;
    appendUtf16BE(full, units, (bytes + 1) / 2);
    out.append(full.left(bytes));
}

template <std::size_t N>
void readUnitsInto(Utf16Field<N>& field, const QByteArray& data, int offset, int bytes)
{
    setUtf16(field, readUtf16BE(data, offset, bytes));
}

} // namespace

void appendUtf16BE(QByteArray& out, const quint16* units, int count)
{
    for (int i = 0; i < count; ++i) {
        out.append(char(units[i] >> 8));
        out.append(char(units[i] & 0xFF));
    }
}

void appendUtf16BE(QByteArray& out, const QString& text)
{
    appendUtf16BE(out, reinterpret_cast<const quint16*>(text.utf16()), text.size());
}

QString readUtf16BE(const QByteArray& data, int offset, int bytes)
{
    QString text;
    for (int i = 0; i + 1 < bytes && offset + i + 1 < data.size(); i += 2)
        text.append(QChar(quint16((at(data, offset + i) << 8) | at(data, offset + i + 1))));
    return text;
}

void appendLE16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void appendLE32(QByteArray& out, quint32 v)
{
    for (int s = 0; s < 32; s += 8)
        out.append(char((v >> s) & 0xFF));
}

void appendBE32(QByteArray& out, quint32 v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.append(char((v >> s) & 0xFF));
}

quint32 readLE32(const QByteArray& data, int offset)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | at(data, offset + i);
    return v;
}

quint32 readBE32(const QByteArray& data, int offset)
{
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | at(data, offset + i);
    return v;
}

std::optional<int> systemGroupOffset(quint8 command)
{
    struct Group { quint8 command; int offset; };
    static constexpr Group groups[] = {{0x90, 0}, {0x95, 24}, {0x96, 32}, {0x97, 40}};
    for (const Group& g : groups)
        if (g.command == command)
            return g.offset;
    return std::nullopt;
}

// ---- DSP link ---------------------------------------------------------------

QByteArray heartbeatData(const Heartbeat& hb)
{
    QByteArray out;
    out.append(char(hb.reserved));
    out.append(char(hb.playMode));
    appendBE32(out, hb.trackNumber);
    appendBE32(out, hb.trackCount);
    appendBE32(out, hb.positionSeconds);
    appendBE32(out, hb.lengthSeconds);
    return out;
}

Heartbeat parseHeartbeatData(const QByteArray& data)
{
    Heartbeat hb;
    hb.reserved = at(data, 0);
    hb.playMode = at(data, 1);
    hb.trackNumber = readBE32(data, 2);
    hb.trackCount = readBE32(data, 6);
    hb.positionSeconds = readBE32(data, 10);
    hb.lengthSeconds = readBE32(data, 14);
    return hb;
}

QByteArray heartbeatAnswerData(const HeartbeatAnswer& a)
{
    QByteArray out;
    for (quint8 b : {a.key, a.source, a.volume, a.soundOn, a.byte48, a.operation, a.argument})
        out.append(char(b));
    out.append(reinterpret_cast<const char*>(a.display.bytes.data()), TftdataBuf::Size);
    return out;
}

std::optional<HeartbeatAnswer> parseHeartbeatAnswer(const QByteArray& data)
{
    if (data.size() < HeartbeatAnswerMinSize)
        return std::nullopt;
    HeartbeatAnswer a;
    a.key = at(data, 0);
    a.source = at(data, 1);
    a.volume = at(data, 2);
    a.soundOn = at(data, 3);
    a.byte48 = at(data, 4);
    a.operation = at(data, 5);
    a.argument = at(data, 6);
    copyInto(a.display.bytes, 0, data.mid(HeartbeatAnswerMinSize));
    return a;
}

QByteArray currentFileBlock(const CurfileInfo& info)
{
    const int n1 = qMin(2 * info.nameUnits(), CurrentFileNameBytes);
    const int n2 = qMin(2 * info.albumUnits(), CurrentFileTagBytes);
    const int n3 = qMin(2 * info.artistUnits(), CurrentFileTagBytes);
    QByteArray out;
    for (int b : {int(info.codecCode), int(info.rateCode), int(info.hiFi), n1, n2, n3})
        out.append(char(b));
    appendUnitsBytes(out, info.name.data(), n1);
    appendUnitsBytes(out, info.album.data(), n2);
    appendUnitsBytes(out, info.artist.data(), n3);
    return out;
}

CurrentFileBlock parseCurrentFileBlock(const QByteArray& data)
{
    CurrentFileBlock b;
    b.codecCode = at(data, 0);
    b.rateCode = at(data, 1);
    b.hiFi = at(data, 2);
    b.nameBytes = at(data, 3);
    const int albumBytes = at(data, 4);
    b.name = readUtf16BE(data, 6, b.nameBytes);
    b.album = readUtf16BE(data, 6 + b.nameBytes, albumBytes);
    b.artist = readUtf16BE(data, 6 + b.nameBytes + albumBytes, at(data, 5));
    return b;
}

QByteArray resumeAnswerData(const PlayFileinfo& record)
{
    QByteArray out;
    out.append(char(record.minute));
    out.append(char(record.deviceIdLength));
    appendUnitsBytes(out, record.deviceId.data(), record.deviceIdLength);
    appendLE16(out, record.pathLength);
    appendUnitsBytes(out, record.path.data(), record.pathLength);
    return out;
}

namespace {

// Reads L1, the device id, L2 and the path starting at `offset`.
void readIdAndPath(PlayFileinfo& r, const QByteArray& data, int offset)
{
    const int l1 = qMin<int>(at(data, offset), PlayFileinfo::MaxDeviceIdBytes);
    const int idBytes = qBound(0, qMin(l1, data.size() - offset - 1), l1);
    r.deviceIdLength = quint8(idBytes);
    readUnitsInto(r.deviceId, data, offset + 1, idBytes);
    const int l2At = offset + 1 + l1;
    const int l2 = qMin<int>(at(data, l2At) | (at(data, l2At + 1) << 8), PlayFileinfo::MaxPathBytes);
    const int pathBytes = qBound(0, data.size() - l2At - 2, l2);
    r.pathLength = quint16(pathBytes);
    readUnitsInto(r.path, data, l2At + 2, pathBytes);
}

} // namespace

PlayFileinfo parseResumeAnswer(const QByteArray& data)
{
    PlayFileinfo r;
    r.minute = at(data, 0);
    readIdAndPath(r, data, 1);
    return r;
}

QByteArray resumeRecordWrite(const PlayFileinfo& record)
{
    QByteArray out = resumeAnswerData(record).mid(1);
    out.append('\0');
    return out;
}

PlayFileinfo parseResumeRecordWrite(const QByteArray& data)
{
    PlayFileinfo r;
    readIdAndPath(r, data, 0);
    return r;
}

// ---- browser pages ------------------------------------------------------------

QByteArray browserPageData(const BrowserPage& page, NameLength lengthBytes)
{
    QByteArray out;
    appendLE32(out, page.lastPage);
    appendLE32(out, page.page);
    out.append(char(page.cursor));
    out.append(char(page.entries.size()));
    out.append(char(page.depth));
    for (const BriwserFileInfo& e : page.entries) {
        const QString name = e.name.left(MaxBrowserNameUnits);
        out.append(char(e.isFile ? 1 : 0));
        if (lengthBytes == NameLength::OneByte)
            out.append(char(2 * name.size()));
        else
            appendLE16(out, quint16(2 * name.size()));
        appendUtf16BE(out, name);
    }
    return out;
}

std::optional<BrowserPage> parseBrowserPage(const QByteArray& data, NameLength lengthBytes)
{
    if (data.size() < 11)
        return std::nullopt;
    BrowserPage page;
    page.lastPage = readLE32(data, 0);
    page.page = readLE32(data, 4);
    page.cursor = at(data, 8);
    const int count = at(data, 9);
    page.depth = at(data, 10);
    const int lengthSize = lengthBytes == NameLength::OneByte ? 1 : 2;
    int pos = 11;
    for (int i = 0; i < count; ++i) {
        if (pos + 1 + lengthSize > data.size())
            return std::nullopt;
        BriwserFileInfo e;
        e.isFile = at(data, pos) != 0;
        const int bytes = lengthSize == 1 ? at(data, pos + 1) : at(data, pos + 1) | (at(data, pos + 2) << 8);
        pos += 1 + lengthSize;
        if (pos + bytes > data.size())
            return std::nullopt;
        e.name = readUtf16BE(data, pos, bytes);
        pos += bytes;
        page.entries.append(e);
    }
    return page;
}

// ---- panel link ------------------------------------------------------------

QByteArray statusAnswer(const System& system, const Heartbeat& hb, const TftdataBuf& display,
                        quint8 operation, quint8 argument)
{
    QByteArray out;
    out.append(char(system.source()));
    out.append(char(system.volume() & 0xFF));
    out.append(char(system.soundOn()));
    out.append(char(hb.reserved));
    out.append(char(hb.playMode));
    appendLE32(out, hb.trackNumber);
    appendLE32(out, hb.trackCount);
    appendLE32(out, hb.positionSeconds);
    appendLE32(out, hb.lengthSeconds);
    out.append(sliceOf(display.bytes, 0, 62));
    out.append(char(operation));
    out.append(char(argument));
    return out;
}

QByteArray currentFileAnswer(const CurfileInfo& info)
{
    const int nameBytes = 2 * info.nameUnits();
    QByteArray out;
    out.append(char(info.codecCode));
    out.append(char(info.rateCode));
    out.append(char(info.hiFi));
    out.append(char(nameBytes >> 8));
    out.append(char(nameBytes & 0xFF));
    out.append(char(2 * info.albumUnits()));
    out.append(char(2 * info.artistUnits()));
    appendUtf16BE(out, info.name.data(), info.nameUnits());
    appendUtf16BE(out, info.album.data(), info.albumUnits());
    appendUtf16BE(out, info.artist.data(), info.artistUnits());
    appendUtf16BE(out, info.deviceLabel.data(), CurfileInfo::LabelUnits);
    return out;
}

QByteArray sundryAnswer(const McuSundry& sundry)
{
    const auto& s = sundry.bytes;
    QByteArray out;
    for (quint8 b : {quint8(1), quint8(8), quint8(0), s[5], s[6], s[7], s[1]})
        out.append(char(b));
    return out;
}

QByteArray systemAnswer(const System& system, const TftdataBuf& display)
{
    QByteArray out(reinterpret_cast<const char*>(system.bytes.data()), System::Size);
    out.append(sliceOf(display.bytes, 0, 8));
    return out;
}

} // namespace Payloads
