#pragma once
// The simulator's end of a UART: either the master side of a fresh
// pseudo-terminal (the program under test opens its slave path) or a serial
// device given by name.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

#include <memory>

class QSocketNotifier;

class SimChannel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // The device the other side opens.
    virtual QString path() const = 0;
    virtual void send(const QByteArray& bytes) = 0;

    // A new pseudo-terminal; null (with `error` set) when none can be made.
    static std::unique_ptr<SimChannel> openPty(QString* error);
    // An existing serial device at 115200 8N1.
    static std::unique_ptr<SimChannel> openDevice(const QString& name, QString* error);
    // The device if a name is given, else a new pseudo-terminal.
    static std::unique_ptr<SimChannel> open(const QString& device, QString* error)
    {
        return device.isEmpty() ? openPty(error) : openDevice(device, error);
    }

signals:
    void received(QByteArray bytes);
};

class PtyChannel : public SimChannel {
    Q_OBJECT
public:
    PtyChannel(int master, int slave, const QString& path);
    ~PtyChannel() override;
    QString path() const override { return path_; }
    void send(const QByteArray& bytes) override;

private:
    void readMaster();
    void flush();

    int master_;
    int slave_; // kept open so the terminal survives the other side closing it
    QString path_;
    QByteArray pending_;
    QSocketNotifier* readNotifier_;
    QSocketNotifier* writeNotifier_;
};

class DeviceChannel : public SimChannel {
    Q_OBJECT
public:
    explicit DeviceChannel(const QString& name);
    bool open(QString* error);
    QString path() const override { return port_.portName(); }
    void send(const QByteArray& bytes) override;

private:
    QSerialPort port_;
};
