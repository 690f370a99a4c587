#include "mediahost/core/Records.h"

void CurfileInfo::setName(const QString& s)
{
    setUtf16(name, s);
    nameLength = quint16(qMin(s.size(), NameUnits));
}

void CurfileInfo::setAlbum(const QString& s)
{
    setUtf16(album, s.left(MaxTagLength));
    albumLength = quint8(qMin(s.size(), MaxTagLength));
}

void CurfileInfo::setArtist(const QString& s)
{
    setUtf16(artist, s.left(MaxTagLength));
    artistLength = quint8(qMin(s.size(), MaxTagLength));
}

void CurfileInfo::setDeviceLabel(const QString& label)
{
    const QString shown = label.size() >= 8 ? label.left(5) + QStringLiteral("..") : label;
    setUtf16(deviceLabel, shown.leftJustified(LabelUnits, QLatin1Char(' '), true));
}

void PlayFileinfo::setDeviceId(const QString& id)
{
    setUtf16(deviceId, id);
    deviceIdLength = quint8(qMin(id.size() * 2, MaxDeviceIdBytes));
}

void PlayFileinfo::setPath(const QString& p)
{
    setUtf16(path, p);
    pathLength = quint16(qMin(p.size() * 2, MaxPathBytes));
}

void registerRecordTypes()
{
    qRegisterMetaType<System>("System");
    qRegisterMetaType<Heartbeat>("Heartbeat");
    qRegisterMetaType<CurfileInfo>("CurfileInfo");
    qRegisterMetaType<PlayFileinfo>("PlayFileinfo");
    qRegisterMetaType<MediaObjectInfo>("MediaObjectInfo");
    qRegisterMetaType<Deviceinformation>("Deviceinformation");
    qRegisterMetaType<Songinformation>("Songinformation");
    qRegisterMetaType<output>("output");
    qRegisterMetaType<McuSundry>("McuSundry");
    qRegisterMetaType<TftdataBuf>("TftdataBuf");
    qRegisterMetaType<LcdUpgradeBuf>("LcdUpgradeBuf");
    qRegisterMetaType<Controlstructure>("Controlstructure");
    qRegisterMetaType<SendQueue>("SendQueue");
    qRegisterMetaType<BriwserFileInfo>("BriwserFileInfo");
    qRegisterMetaType<devInfo>("devInfo");
    qRegisterMetaType<QList<Deviceinformation>>("QList<Deviceinformation>");
}
