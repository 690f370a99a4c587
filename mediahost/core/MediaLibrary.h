#pragma once
// What the start-up object needs of the media library (`MusicBox`, built in
// mediahost/media). appinit creates the library through a factory once the
// DSP microcontroller has delivered the resume point, connects the signals
// below, and calls the slots for keys, paths, play mode, resume and the play
// rule. The library owns its command server.

#include "mediahost/core/Records.h"

#include <QList>
#include <QObject>

#include <functional>

class RemoteCommandServer;

class MediaLibrary : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The command server the library owns (never null once constructed).
    virtual RemoteCommandServer* commandServer() = 0;

    // The resume point read from the DSP at start-up; the library continues
    // that file when its device is mounted.
    virtual void setResumePoint(quint8 minute, const QString& path, const QString& deviceId) = 0;
    // Play mode 0-4, already clamped.
    virtual void setPlayMode(quint8 mode) = 0;
    // The player runs (not paused).
    virtual bool isPlayerRunning() const = 0;
    // Toggles between running and paused exactly as Player::Play does.
    virtual void togglePlayer() = 0;

public slots:
    virtual void NextSong() = 0;
    virtual void LastSong() = 0;
    // Step back / forward in the file (long left / right keys).
    virtual void FastForWard() = 0;
    virtual void FastForBack() = 0;
    virtual void SetplayTackPath(QString path) = 0;

signals:
    void UploadFeilInfo(CurfileInfo);
    void Uploadheartbeat(Heartbeat);
    void UpdatePlayerInfor(MediaObjectInfo);
    void DspsavesendTimerdata(PlayFileinfo);
    void DspsavesendFeildata(PlayFileinfo);
    void UpateSerialDeviceinfor(QList<Deviceinformation>);
};

// Creates the library as a child of `parent`; the program's factory builds a
// MusicBox, tests may build their own.
using MediaLibraryFactory = std::function<MediaLibrary*(QObject* parent)>;
