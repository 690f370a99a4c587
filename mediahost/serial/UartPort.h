#pragma once
// One UART of the board, 115200 8N1 without flow control, read by polling.
// Thin on purpose: framing lives in FrameCodec, protocol in the links.

#include <QByteArray>
#include <QSerialPort>

#include <optional>

// 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control.
void applyUartSettings(QSerialPort& port);

class UartPort {
public:
    // Opens `name` for reading and writing. An empty name or a port that
    // cannot be opened writes "devicePat is Null" to the debug log and leaves
    // the port closed.
    bool open(const QString& name);
    bool isOpen() const { return port_.isOpen(); }

    // Every byte the port has; nothing when the port reports a read error.
    std::optional<QByteArray> readAvailable();
    // Writes the whole frame at once; a failure is logged (once until the
    // next success) and dropped.
    bool send(const QByteArray& bytes);

private:
    QSerialPort port_;
    bool failureLogged_ = false;
};
