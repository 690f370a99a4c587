#pragma once
// What the start-up object and the media library need of the command server
// on TCP 8080 (built in mediahost/remote). The server keeps the state object
// that its queries report, keyed by the JSON keys ("Soundsource", "SysMute",
// "Systemvolume", "Playbackmode", ...), and raises the remote commands.

#include "mediahost/core/Records.h"

#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QVector>

class RemoteCommandServer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Sets one field of the state object.
    virtual void setField(const QString& key, const QJsonValue& value) = 0;

    // The server's copy of the library's device list (a folder query of the
    // media root lists it); the library replaces it when it differs.
    const QList<Deviceinformation>& deviceList() const { return devices_; }
    void setDeviceList(const QList<Deviceinformation>& devices) { devices_ = devices; }

    // The library's search (SendSearchFileName) stores its matches here and
    // then calls sendsearchresult(); see searchMediaList in mediahost/remote.
    const QVector<MediaObjectInfo>& searchResults() const { return searchResults_; }
    void setSearchResults(const QVector<MediaObjectInfo>& results) { searchResults_ = results; }

public slots:
    // Sends the search results to the current client; no answer when there
    // are none. A server without a network side (tests) has nobody to tell.
    virtual void sendsearchresult() {}

signals:
    void SetPlayerFile(QString);
    void SetSysVol(quint8);
    void SetPlaybackStatus(QString);
    void SetPlaysource(quint8);
    void Setbackmode(quint8);
    void GetSysData();
    void SetMute();
    void SendSearchFileName(QString);

private:
    QList<Deviceinformation> devices_;
    QVector<MediaObjectInfo> searchResults_;
};
