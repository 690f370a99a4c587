#include "mediahost/remote/RemoteAnswer.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace RemoteAnswer {

namespace {

const QByteArray CurrentDataHead = "/R4/Get/Currentdata ";
const QByteArray SearchHead = "/R4/Get/Search/";
const QByteArray ArrayOpen = "[[[";
const QByteArray ArrayClose = "]]]";

QJsonObject entry(bool isFile, const QString& name, const QString& path)
{
    return QJsonObject{{QStringLiteral("FileType"), isFile},
                       {QStringLiteral("FileName"), name},
                       {QStringLiteral("FilaPath"), path}};
}

QByteArray wrapped(const QJsonArray& array)
{
    return ArrayOpen + QJsonDocument(array).toJson(QJsonDocument::Indented) + ArrayClose;
}

bool parses(const QByteArray& json)
{
    QJsonParseError error;
    QJsonDocument::fromJson(json, &error);
    return error.error == QJsonParseError::NoError;
}

// A complete object ends "}\n"; a complete array answer ends "]]]". Parsing is
// tried only then, so a long answer arriving in pieces is not parsed per piece.
bool objectComplete(const QByteArray& received, const QByteArray& head)
{
    return received.startsWith(head) && received.endsWith("}\n") && parses(received.mid(head.size()));
}

bool arrayComplete(const QByteArray& received, const QByteArray& head)
{
    const QByteArray open = head + ArrayOpen;
    if (!received.startsWith(open) || !received.endsWith(ArrayClose))
        return false;
    return parses(received.mid(open.size(), received.size() - open.size() - ArrayClose.size()));
}

} // namespace

QJsonObject initialState()
{
    return QJsonObject{
        {QStringLiteral("Playbacktime"), 0},
        {QStringLiteral("Totaltime"), 0},
        {QStringLiteral("Currentlypath"), QString()},
        {QStringLiteral("Currentlyname"), QString()},
        {QStringLiteral("Albumname"), QString()},
        {QStringLiteral("Artistname"), QString()},
        {QStringLiteral("Currentlydecoder"), QString()},
        {QStringLiteral("ListPath"), QString()},
        {QStringLiteral("Systemvolume"), 0},
        {QStringLiteral("Playbackmode"), 0},
        {QStringLiteral("IsHiFi"), false},
        {QStringLiteral("Currentdevicename"), QString()},
        {QStringLiteral("Soundsource"), 0},
        {QStringLiteral("SysMute"), false},
        {QStringLiteral("CurrentlyID"), 0},
        {QStringLiteral("TotalID"), 0},
    };
}

QByteArray currentData(const QJsonObject& state)
{
    // QJsonObject keeps its keys sorted; Indented writes four spaces a level.
    return CurrentDataHead + QJsonDocument(state).toJson(QJsonDocument::Indented);
}

QByteArray folderListing(const QVector<BriwserFileInfo>& entries)
{
    QJsonArray array;
    for (const BriwserFileInfo& e : entries)
        array.append(entry(e.isFile, e.name, e.path));
    return wrapped(array);
}

QByteArray deviceListing(const QList<Deviceinformation>& devices)
{
    QJsonArray array;
    for (const Deviceinformation& d : devices)
        array.append(entry(false, d.label, d.mountPoint));
    return wrapped(array);
}

QByteArray searchResults(const QVector<MediaObjectInfo>& files)
{
    QJsonArray array;
    for (const MediaObjectInfo& f : files)
        array.append(entry(true, f.fileName, f.filePath));
    return SearchHead + wrapped(array);
}

bool isComplete(RemoteCommandKind kind, const QByteArray& received)
{
    switch (kind) {
    case RemoteCommandKind::Currentdata:
        return objectComplete(received, CurrentDataHead);
    case RemoteCommandKind::Folder:
        return arrayComplete(received, QByteArray());
    case RemoteCommandKind::Search:
        return arrayComplete(received, SearchHead);
    default:
        return false;
    }
}

} // namespace RemoteAnswer
