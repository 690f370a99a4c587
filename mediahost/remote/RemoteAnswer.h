#pragma once
// The answer texts of the remote protocol. Answers carry no terminator: the
// server writes each with one write, and a client knows one is complete when
// its JSON text (and for arrays the closing "]]]") is.

#include "mediahost/core/Records.h"
#include "mediahost/remote/RemoteCommand.h"

#include <QByteArray>
#include <QJsonObject>
#include <QVector>

namespace RemoteAnswer {

// The sixteen keys of the state object, each at its starting value (zero, empty, false).
QJsonObject initialState();

// "/R4/Get/Currentdata " + the state object as indented JSON.
QByteArray currentData(const QJsonObject& state);
// "[[[" + the entries + "]]]": folders and devices with "FileType" false.
QByteArray folderListing(const QVector<BriwserFileInfo>& entries);
QByteArray deviceListing(const QList<Deviceinformation>& devices);
// "/R4/Get/Search/[[[" + the files + "]]]".
QByteArray searchResults(const QVector<MediaObjectInfo>& files);

// Whether `received` is the whole answer to a `kind` query.
bool isComplete(RemoteCommandKind kind, const QByteArray& received);

} // namespace RemoteAnswer
