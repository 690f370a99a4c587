#pragma once
// The front panel's microcontroller as the media host sees it: sends read
// requests and writes on demand, keeps (and shows) everything it receives,
// and answers the upgrade steps the host pushes as a panel would.

#include "mediahost/serial/FrameCodec.h"
#include "mediahost/sim/SimDevice.h"

#include <QList>
#include <QObject>

#include <memory>

class PanelSimulator : public SimDevice {
    Q_OBJECT
public:
    explicit PanelSimulator(std::unique_ptr<SimChannel> channel, QObject* parent = nullptr);

    // A read request (one data byte 0 unless given).
    void sendRead(quint8 group, quint8 command, quint8 sub = 0, const QByteArray& data = QByteArray(1, '\0'));
    void sendWrite(quint8 group, quint8 command, quint8 sub, const QByteArray& data);
    // The bytes of a frame, for sending in pieces.
    static QByteArray frameBytes(quint8 head, quint8 group, quint8 command, quint8 sub, const QByteArray& data);

    // Answers the host's upgrade pushes 0xE0-0xE3 with writes 0xE5-0xE8.
    void setAnswerUpgrade(bool on) { answerUpgrade_ = on; }
    int upgradeStepsReceived() const { return upgradeSteps_; }

protected:
    void handle(const Frame& frame) override;

private:
    bool answerUpgrade_ = true;
    int upgradeSteps_ = 0;
};
