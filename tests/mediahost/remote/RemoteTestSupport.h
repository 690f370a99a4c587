#pragma once
// Shared by the command-server tests: the media library's side of a search.

#include "TestSupport.h"

#include "mediahost/core/RemoteCommandServer.h"

// What MusicBox does on SendSearchFileName.
void searchLikeTheLibrary(RemoteCommandServer& server, const QVector<MediaObjectInfo>& mediaList,
                          const QString& text);
