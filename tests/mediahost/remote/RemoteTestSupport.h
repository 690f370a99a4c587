#pragma once
// Shared by the command-server tests: the Qt application object (one per test
// program), the wait limit, and the media library's side of a search.

#include "mediahost/core/RemoteCommandServer.h"

// Generous: the CI machine has two loaded cores and runs sanitizers.
constexpr int WaitMs = 30000;

// What MusicBox does on SendSearchFileName.
void searchLikeTheLibrary(RemoteCommandServer& server, const QVector<MediaObjectInfo>& mediaList,
                          const QString& text);
