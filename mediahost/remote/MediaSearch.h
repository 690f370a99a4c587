#pragma once
// The remote search over the media list (MusicBox::GetHttpSearchFileName):
// on an empty media list nothing is answered; otherwise
//     server->setSearchResults(searchMediaList(mediaList, text));
//     server->sendsearchresult();

#include "mediahost/core/Records.h"

#include <QVector>

// Every entry whose file name contains `text` (case-sensitive), in list
// order; an empty text finds every entry.
QVector<MediaObjectInfo> searchMediaList(const QVector<MediaObjectInfo>& mediaList, const QString& text);
