#pragma once
// The value records that the media host's components pass to each other in
// signals. Byte images keep the exact layout that the microcontrollers send
// and receive; strings inside them are UTF-16 code units.

#include <QList>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <array>
#include <cstddef>

// Fixed-size UTF-16 field of a record, filled from and read as QString.
template <std::size_t N>
using Utf16Field = std::array<quint16, N>;

template <std::size_t N>
void setUtf16(Utf16Field<N>& field, const QString& text)
{
    field.fill(0);
    const int units = qMin(text.size(), int(N));
    for (int i = 0; i < units; ++i)
        field[std::size_t(i)] = text.at(i).unicode();
}

template <std::size_t N>
QString utf16Text(const Utf16Field<N>& field, int units)
{
    units = qBound(0, units, int(N));
    return QString(reinterpret_cast<const QChar*>(field.data()), units);
}

// The DSP's 56-byte system-settings block, exchanged raw.
struct System {
    static constexpr int Size = 56;
    static constexpr quint8 PlayerSource = 5;
    std::array<quint8, Size> bytes{};

    quint8 source() const { return bytes[0]; }
    void setSource(quint8 v) { bytes[0] = v; }
    quint16 volume() const { return quint16(bytes[2] | (bytes[3] << 8)); }
    void setVolume(quint16 v) { bytes[2] = quint8(v); bytes[3] = quint8(v >> 8); }
    quint8 soundOn() const { return bytes[5]; }
    void setSoundOn(quint8 v) { bytes[5] = v; }
    quint8 playMode() const { return bytes[32]; }
    void setPlayMode(quint8 v) { bytes[32] = v; }
    quint8 byte48() const { return bytes[48]; }
    void setByte48(quint8 v) { bytes[48] = v; }

    bool operator==(const System& o) const { return bytes == o.bytes; }
    bool operator!=(const System& o) const { return !(*this == o); }
};

// Play modes run from 0 to 4; anything above is taken as 4.
inline quint8 clampPlayMode(quint8 mode) { return qMin<quint8>(mode, 4); }

// The player state sent to both microcontrollers every update tick.
struct Heartbeat {
    quint8 reserved = 0;
    quint8 playMode = 0;
    quint32 trackNumber = 0;
    quint32 trackCount = 0;
    quint32 positionSeconds = 0;
    quint32 lengthSeconds = 0;
};

// The file now playing, as the panel and the DSP display it.
struct CurfileInfo {
    static constexpr int NameUnits = 256;
    static constexpr int TagUnits = 128;
    static constexpr int MaxTagLength = 50;
    static constexpr int LabelUnits = 7;

    quint8 codecCode = 0;
    quint8 rateCode = 0;
    quint8 hiFi = 0;
    quint8 spare = 0;
    quint16 nameLength = 0;  // code units
    quint8 albumLength = 0;  // code units, at most 50
    quint8 artistLength = 0; // code units, at most 50
    Utf16Field<NameUnits> name{};
    Utf16Field<TagUnits> album{};
    Utf16Field<TagUnits> artist{};
    Utf16Field<LabelUnits> deviceLabel{};

    // Lengths as the wire uses them: never beyond the fields.
    int nameUnits() const { return qMin<int>(nameLength, NameUnits); }
    int albumUnits() const { return qMin<int>(albumLength, MaxTagLength); }
    int artistUnits() const { return qMin<int>(artistLength, MaxTagLength); }

    void setName(const QString& s);
    void setAlbum(const QString& s);
    void setArtist(const QString& s);
    // Pads with spaces; a label of 8 or more characters becomes its first 5
    // characters followed by "..".
    void setDeviceLabel(const QString& label);
};

// The resume point the DSP microcontroller keeps across power cycles.
struct PlayFileinfo {
    static constexpr int DeviceIdUnits = 128;
    static constexpr int PathUnits = 256;
    static constexpr int MaxDeviceIdBytes = 254;
    static constexpr int MaxPathBytes = 510;

    quint8 minute = 0;
    quint8 deviceIdLength = 0; // bytes
    Utf16Field<DeviceIdUnits> deviceId{};
    quint16 pathLength = 0; // bytes
    Utf16Field<PathUnits> path{};

    // Decoded as the resume point is read: a length below 2 bytes is empty.
    QString deviceIdText() const { return utf16Text(deviceId, deviceIdLength / 2); }
    QString pathText() const { return utf16Text(path, pathLength / 2); }
    // Stores the text (cut to the field) and its byte length.
    void setDeviceId(const QString& id);
    void setPath(const QString& p);
};

// One entry of the media list.
struct MediaObjectInfo {
    QString fileName;
    QString filePath;
    QString suffix;
    QString deviceUuid;

    bool operator==(const MediaObjectInfo& o) const
    {
        return fileName == o.fileName && filePath == o.filePath && suffix == o.suffix
            && deviceUuid == o.deviceUuid;
    }
};

// One mounted storage device, in the key order of `lsblk -f -P`.
struct Deviceinformation {
    QString name;
    QString fsType;
    QString label;
    QString uuid;
    QString mountPoint;

    bool operator==(const Deviceinformation& o) const
    {
        return name == o.name && fsType == o.fsType && label == o.label && uuid == o.uuid
            && mountPoint == o.mountPoint;
    }
    bool operator!=(const Deviceinformation& o) const { return !(*this == o); }
};

// What the player learned when it opened a file.
struct Songinformation {
    QString bitrate;
    QString decoder;
    QString sampleRate;
    QString extra;
    QString album;
    QString artist;
    QString playerName;
    QString suffix;
    qint32 totalSeconds = 0;
};

// Fixed-size byte images forwarded without interpretation.
template <int N, typename Tag>
struct ByteRecord {
    static constexpr int Size = N;
    std::array<quint8, N> bytes{};
    bool operator==(const ByteRecord& o) const { return bytes == o.bytes; }
    bool operator!=(const ByteRecord& o) const { return !(*this == o); }
};

// One output channel's 296-byte parameter block (37 groups of 8 bytes).
struct output : ByteRecord<296, output> {
    static constexpr int GroupSize = 8;
    static constexpr int Groups = 37;
};
// Miscellaneous DSP data; byte 0 is the number of output channels.
struct McuSundry : ByteRecord<8, McuSundry> {
    quint8 channelCount() const { return bytes[0]; }
};
// Display data the DSP sends for the front panel.
struct TftdataBuf : ByteRecord<64, TftdataBuf> {};
// One step of a panel firmware upgrade.
struct LcdUpgradeBuf : ByteRecord<48, LcdUpgradeBuf> {};
// Control data from the panel; its first 2 bytes go to the DSP.
struct Controlstructure : ByteRecord<8, Controlstructure> {};

// One queued write to the DSP microcontroller.
struct SendQueue {
    quint8 head = 0;
    quint8 flag = 1;
    quint8 zero = 0;
    quint8 group = 0;
    quint8 command = 0;
    quint8 sub = 0;
    quint8 length = 0;

    // The ordinary write the start-up object queues: head 0xB3, flag 1.
    static SendQueue write(quint8 group, quint8 command, quint8 sub, quint8 length)
    {
        return SendQueue{0xB3, 1, 0, group, command, sub, length};
    }
    bool operator==(const SendQueue& o) const
    {
        return head == o.head && flag == o.flag && zero == o.zero && group == o.group
            && command == o.command && sub == o.sub && length == o.length;
    }
};

// One entry of a serial folder browser.
struct BriwserFileInfo {
    bool isFile = false;
    QString name;
    QString path;
};

// One job of the file-enumeration worker.
struct devInfo {
    QString mountPoint;
    QString uuid;
};

Q_DECLARE_METATYPE(System)
Q_DECLARE_METATYPE(Heartbeat)
Q_DECLARE_METATYPE(CurfileInfo)
Q_DECLARE_METATYPE(PlayFileinfo)
Q_DECLARE_METATYPE(MediaObjectInfo)
Q_DECLARE_METATYPE(Deviceinformation)
Q_DECLARE_METATYPE(Songinformation)
Q_DECLARE_METATYPE(output)
Q_DECLARE_METATYPE(McuSundry)
Q_DECLARE_METATYPE(TftdataBuf)
Q_DECLARE_METATYPE(LcdUpgradeBuf)
Q_DECLARE_METATYPE(Controlstructure)
Q_DECLARE_METATYPE(SendQueue)
Q_DECLARE_METATYPE(BriwserFileInfo)
Q_DECLARE_METATYPE(devInfo)
Q_DECLARE_METATYPE(QList<Deviceinformation>)

// Registers every record for queued signals; call once before the event loop
// (appinit does it; so may any component used on its own).
void registerRecordTypes();
