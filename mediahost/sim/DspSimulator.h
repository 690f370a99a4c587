#pragma once
// The DSP microcontroller as the media host sees it on its UART: answers the
// start-up reads, keeps what it is written (resume record, minute, System
// groups, output blocks, ...), answers heartbeats with its System values and,
// on demand, keys and operation codes, and drives a panel firmware upgrade.

#include "mediahost/core/Records.h"
#include "mediahost/serial/FrameCodec.h"
#include "mediahost/serial/Payloads.h"
#include "mediahost/serial/Protocol.h"
#include "mediahost/sim/SimDevice.h"

#include <QList>
#include <QObject>
#include <QVector>

#include <memory>

class DspSimulator : public SimDevice {
    Q_OBJECT
public:
    explicit DspSimulator(std::unique_ptr<SimChannel> channel, QObject* parent = nullptr);

    // ---- the DSP's state (set before or while the host runs) ----
    PlayFileinfo resumeRecord;
    System system;
    McuSundry sundry;
    QVector<output> outputs;      // one per output channel (see setChannelCount)
    TftdataBuf display;
    quint8 bluetoothCommand = 0;
    Controlstructure control;
    Payloads::CurrentFileBlock currentFile;
    std::optional<Payloads::BrowserPage> lastBrowserPage;
    Heartbeat lastHeartbeat;
    QVector<quint8> upgradeAnswers; // 0xE5-0xE8 as the host relayed them

    // Sets McuSundry byte 0 and makes that many output blocks, each filled
    // with a pattern of its channel number.
    void setChannelCount(int count);
    // The resume point the DSP answers at start-up.
    void setResumePoint(quint8 minute, const QString& deviceId, const QString& path);

    // ---- on demand ----
    // The next heartbeat answers carry these operation codes, one each.
    void queueOperation(quint8 code, quint8 argument);
    // No answers at all while false.
    void setAnswering(bool answering) { answering_ = answering; }
    // The next `count` requests for this item get a byte of noise instead of
    // their answer.
    void answerWithNoise(quint8 group, quint8 command, int count);
    void stopNoise() { noise_.clear(); }
    // The head heartbeat answers are sent with (0x64 makes the host ignore them).
    void setHeartbeatAnswerHead(quint8 head) { heartbeatHead_ = head; }
    // Runs a panel upgrade of `dataSteps` 48-byte steps: 0xE0, then each
    // step once the relayed answer of the previous one arrives (0xE5 -> 0xE1,
    // 0xE6 -> first 0xE2, 0xE7 -> next 0xE2 or 0xE3, 0xE8 ends it).
    void startPanelUpgrade(int dataSteps);
    bool upgradeFinished() const { return upgradeFinished_; }
protected:
    void handle(const Frame& frame) override;

private:
    void handleRequest(const Frame& frame);
    void handleWrite(const Frame& frame);
    void continueUpgrade(quint8 code);
    void answer(quint8 head, quint8 group, quint8 command, const QByteArray& data)
    {
        sendFrame(head, group, command, 0, data);
    }
    bool takeNoise(const Frame& frame);

    bool answering_ = true;
    quint8 heartbeatHead_ = Uart::HeadAnswer;
    QList<QPair<quint8, quint8>> operations_;
    struct Noise { quint8 group, command; int count; };
    QList<Noise> noise_;
    int upgradeStepsLeft_ = 0;
    int upgradeStep_ = 0;
    bool upgradeFinished_ = false;
};
