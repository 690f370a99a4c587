#pragma once
// What the start-up object and the media library need of the command server
// on TCP 8080 (built in mediahost/remote). The server keeps the state object
// that its queries report, keyed by the JSON keys ("Soundsource", "SysMute",
// "Systemvolume", "Playbackmode", ...), and raises the remote commands.

#include "mediahost/core/Records.h"

#include <QJsonValue>
#include <QObject>

class RemoteCommandServer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Sets one field of the state object.
    virtual void setField(const QString& key, const QJsonValue& value) = 0;

signals:
    void SetPlayerFile(QString);
    void SetSysVol(quint8);
    void SetPlaybackStatus(QString);
    void SetPlaysource(quint8);
    void Setbackmode(quint8);
    void GetSysData();
    void SetMute();
    void SendSearchFileName(QString);
};
