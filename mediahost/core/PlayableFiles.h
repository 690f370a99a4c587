#pragma once
// What counts as music, and how a folder is listed for browsing and walking:
// shared by the serial folder browsers, the file-enumeration worker and the
// command server's folder query.

#include "mediahost/core/Records.h"

#include <QStringList>
#include <QVector>

// The playable suffixes, compared case-sensitively ("track.FLAC" is not one).
const QStringList& playableSuffixes();
bool isPlayableSuffix(const QString& suffix);

// The entries of `folder` without ".", ".." and hidden names, sorted by name
// (case-sensitive, by code unit), sub-folders first; folders as isFile false,
// files only when playable. Each path is folder + "/" + name (any trailing "/"
// of `folder` is not doubled). A missing or unreadable folder gives nothing.
QVector<BriwserFileInfo> listMediaFolder(const QString& folder);
