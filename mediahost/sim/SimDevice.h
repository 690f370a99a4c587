#pragma once
// What both microcontroller simulators share: their end of the UART, the
// frames they receive (kept in order, and shown through a signal), and
// sending frames. Each simulator acts on a received frame in `handle`.

#include "mediahost/serial/FrameCodec.h"
#include "mediahost/sim/SimChannel.h"

#include <QList>
#include <QObject>

#include <memory>

class SimDevice : public QObject {
    Q_OBJECT
public:
    QString path() const { return channel_->path(); }

    // Every frame received, in order.
    const QList<Frame>& received() const { return received_; }
    void clearReceived() { received_.clear(); }

    // Sends any frame, or raw bytes (e.g. a frame in pieces).
    void push(const Frame& frame) { channel_->send(FrameCodec::build(frame)); }
    void sendRaw(const QByteArray& bytes) { channel_->send(bytes); }
    // A frame from its header fields, and sending one.
    static Frame makeFrame(quint8 head, quint8 group, quint8 command, quint8 sub, const QByteArray& data);
    void sendFrame(quint8 head, quint8 group, quint8 command, quint8 sub, const QByteArray& data)
    {
        push(makeFrame(head, group, command, sub, data));
    }

signals:
    void frameReceived(const Frame& frame);

protected:
    SimDevice(std::unique_ptr<SimChannel> channel, QObject* parent);
    virtual void handle(const Frame& frame) = 0;

private:
    void onBytes(const QByteArray& bytes);

    std::unique_ptr<SimChannel> channel_;
    FrameCodec::Assembler assembler_;
    QList<Frame> received_;
};
