#pragma once
// The command table of the remote protocol, free of I/O: a request text in,
// the command it names (with its value) out. The server acts on it and r4ctl
// uses it to know whether an answer will come.

#include <QByteArray>
#include <QString>

#include <optional>

enum class RemoteCommandKind {
    Currentdata,
    Folder,
    Search,
    File,
    Systemvolume,
    Playbackstatus,
    Soundsource,
    Playbackmode,
    Mute,
};

struct RemoteCommand {
    RemoteCommandKind kind;
    QString text;      // the value of text commands (folder, search, file, status)
    quint8 number = 0; // the value of number commands, truncated to 8 bits
};

// The request as the server reads it: UTF-8 up to the first zero byte.
QString remoteRequestText(const QByteArray& received);

// The first prefix of the table that the request contains decides; nothing
// when none matches or the request fails that prefix's length condition.
std::optional<RemoteCommand> parseRemoteCommand(const QString& request);

// Queries that may be answered (a missing folder or an empty search is not).
bool expectsAnswer(RemoteCommandKind kind);
