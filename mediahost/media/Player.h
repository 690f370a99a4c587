#pragma once
// Plays one file at a time, through libzembla ("ZBplayer") or an external
// mplayer driven by its slave protocol ("Mplayer"). For most formats mplayer
// is first asked, without sound, for the decoder, rate, tags and length; the
// engine is chosen from its answers.

#include "mediahost/core/Records.h"

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <cstdint>

class Player : public QObject {
    Q_OBJECT
public:
    static constexpr int StartDelayMs = 1000;
    static constexpr int TagTimeoutMs = 1000;

    explicit Player(QObject* parent = nullptr);
    ~Player() override;

    void SetFilePath(const QString& path, const QString& suffix);
    void Play();
    bool Initialize();
    void killzbPlayer(bool all);

    void Playing_pos();
    void Playing_percent_pos();
    void Playing_Setpos(int seconds);
    void Playing_Fastback(int);
    void Playing_Fastforward(int);
    void mplayerStop();
    void PlayeringProgress(float seconds);
    void SetVolume(int v);
    void Error(const QString& text);

    // Freezing the external player (kill -19) is done by MusicBox; it marks it here.
    void setFrozen(bool frozen) { frozen_ = frozen; }
    bool isFrozen() const { return frozen_; }

    bool isPlaying() const { return playing_; }
    void setPlaying(bool playing) { playing_ = playing; }
    const QString& playerName() const { return playerName_; }
    void setPlayerName(const QString& name) { playerName_ = name; }
    const QString& path() const { return path_; }
    quint32 stream() const { return stream_; }
    qint32 totalSeconds() const { return totalSeconds_; }
    // Process id of the current mplayer (tag query or playing); 0 when none runs.
    qint64 mplayerPid() const { return process_ ? process_->processId() : 0; }
    // Length and position of the library stream in seconds; -1 without one.
    double streamLength() const;
    double streamPosition() const;
    bool setStreamPosition(double seconds);
    bool isStreamActive() const;
    // The library stream's DSD details: artist, first comment and DSD rate.
    struct DsdDetails {
        bool isDsd = false;
        QString artist;
        QString firstComment;
        double dsdRate = 0;
    };
    DsdDetails dsdDetails() const;

signals:
    void sendSonginformation(Songinformation info);
    void sendSongPos(int position);

private slots:
    void dataReceive();
    void PlayingdataReceive();
    void update_Time();
    void ParseID3_Time();

private:
    enum class Engine { None, Plain, Dsd, Flac, Ape, Aac, Mp4, Ac3, External };
    Engine engineFor(const QString& decoder, const QString& suffix) const;
    void createStream(Engine engine);
    void StartPlaying();
    void AnalysisID3(const QString& path);
    void mplayerPlaying(const QString& path);
    void startMplayer(const QStringList& arguments, void (Player::*reader)());
    void killProcess();
    void sendCommand(const QByteArray& command);
    Songinformation currentInfo() const;

    const float dbFactor_ = 8.685889f;
    const QString mplayerPath_ = QStringLiteral("/usr/bin/mplayer");
    QString bitrate_;
    QString decoder_;
    QString sampleRate_;
    QString extra_;
    QString album_;
    QString artist_;
    QString playerName_ = QStringLiteral("NULL");
    QString suffix_;
    qint32 totalSeconds_ = 0;
    QPointer<QProcess> process_;
    QTimer startTimer_;
    QTimer tagTimer_;
    bool playing_ = false;
    QString path_;
    quint32 stream_ = 0;
    bool frozen_ = false;
    QString lastPlayerName_ = QStringLiteral("null");
};
