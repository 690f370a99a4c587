#pragma once
// The media library: notices USB storage being mounted and removed, has the
// worker walk each new device into one media list, starts the first file on
// its own, and turns what the player learned about a file into the display
// records of the panel, the DSP and the command server.

#include "mediahost/core/HostOptions.h"
#include "mediahost/core/MediaLibrary.h"
#include "mediahost/core/RemoteCommandServer.h"
#include "mediahost/core/Records.h"
#include "mediahost/media/EumeThread.h"
#include "mediahost/media/PlayModes.h"
#include "mediahost/media/Player.h"

#include <QFileSystemWatcher>
#include <QList>
#include <QPair>
#include <QTimer>
#include <QVector>

class MusicBox : public MediaLibrary {
    Q_OBJECT
public:
    static constexpr int EnumerationDelayMs = 800;
    static constexpr int MountWaitMs = 1000;
    static constexpr int PlayDelayMs = 1000;
    static constexpr int MaxMountRetries = 10;
    static constexpr int UpdateTickMs = 500;
    // Update ticks the external player may sit at its end before the next file.
    static constexpr int MaxEndTicks = 10;

    // The command server defaults to its state object alone; the program
    // passes the TCP server.
    explicit MusicBox(const HostOptions& options, QObject* parent = nullptr,
                      RemoteCommandServer* server = nullptr);
    ~MusicBox() override;

    // MediaLibrary
    RemoteCommandServer* commandServer() override { return server_; }
    void setResumePoint(quint8 minute, const QString& path, const QString& deviceId) override;
    void setPlayMode(quint8 mode) override { playMode_ = mode; }
    bool isPlayerRunning() const override { return player_->isPlaying(); }
    void togglePlayer() override { player_->Play(); }

    // Storage.
    void updateUSBdeviceList();
    QString getdeviceName(const QString& mountPoint);
    void delemediaList(const QString& uuid);
    void seekMainProess();

    // Display codes of the record under construction (and the server fields).
    void getFiletypeLabel(QString sampleRate, const QString& decoder);

    // Starting files.
    void Changesonghandle(int index);
    void testPlay(const QString& path, const QString& suffix);
    void Writepath(int index);

    // For tests and the command server.
    const QList<Deviceinformation>& deviceList() const { return deviceList_; }
    const QVector<MediaObjectInfo>& mediaList() const { return mediaList_; }
    int currentIndex() const { return currentIndex_; }
    const MediaObjectInfo& current() const { return current_; }
    bool isAutoStarted() const { return autoStarted_; }
    quint8 mountRetries() const { return mountRetries_; }
    Player* player() const { return player_; }
    EumeThread* worker() const { return worker_; }
    const CurfileInfo& currentFileInfo() const { return curfile_; }
    quint8 playMode() const { return playMode_; }
    int savedMinute() const { return savedMinute_; }

public slots:
    void refreshUSBdeviceList();
    void enumerationtiming();
    void Losetiontiming();
    void RecmediaInfo(QString fileName, QString filePath, QString suffix, QString uuid);
    void RecmedieOver(QString uuid);
    void RevtSonginformation(Songinformation info);
    void RevtSonginPos(int position);

    void NextSong() override;
    void LastSong() override;
    void FastForWard() override;
    void FastForBack() override;
    void SetplayTackPath(QString path) override;

    // The 500 ms tick: position, length, heartbeat, minute save, end of file.
    void update_Time();

    // From the command server: "1" previous file, "2" next file.
    void GetHttpSeverPlayStatus(QString status);
    void GetHttpSeverPlayFeilePath(QString path) { SetplayTackPath(path); }
    void GetHttpSearchFileName(QString text);

private slots:
    void playDelayTick();

private:
    void resumeOnArrival(const Deviceinformation& device);
    void stepTo(int index);
    // Next (forward) or previous file by play mode.
    void chooseByMode(bool forward);
    // The next file by mode once a file has ended (mode 3 forward).
    void playNextAtEnd();
    void publishTick(bool externalPlayer);
    // First and last index of the current file's folder in the media list.
    void saveMinuteZero();
    void writeResumeRecord(const MediaObjectInfo& entry);
    QString labelOfDevice(const QString& uuid) const;
    void setServerField(const QString& key, const QJsonValue& value) { server_->setField(key, value); }

    HostOptions options_;
    EumeThread* worker_ = nullptr;
    QTimer enumerationTimer_;
    QTimer mountWaitTimer_;
    QTimer playDelayTimer_;
    QTimer updateTimer_;
    QFileSystemWatcher watcher_;
    Player* player_ = nullptr;
    RemoteCommandServer* server_ = nullptr;

    QList<Deviceinformation> deviceList_;
    QVector<MediaObjectInfo> mediaList_;
    qint32 currentIndex_ = 0;
    MediaObjectInfo current_;
    bool autoStarted_ = false;
    quint8 mountRetries_ = 0;

    quint8 playMode_ = 0;
    PlayModes::ModeRandom random_;
    int savedMinute_ = 0;
    int position_ = 0; // seconds
    int length_ = 0;   // seconds
    QString pendingPath_;
    QString pendingSuffix_;
    int delayStage_ = 0;
    PlayFileinfo resumeRecord_;
    QString resumePath_;
    quint8 resumeMinute_ = 0;
    QString resumeDeviceId_;
    bool seekPending_ = false;
    int externalPosition_ = 0;
    quint16 endTicks_ = 0;
    quint8 stepTicks_ = 0;
    Songinformation song_;
    CurfileInfo curfile_;
    Heartbeat heartbeat_;
};
