#include "mediahost/serial/UartPort.h"

#include <QDebug>

bool UartPort::open(const QString& name)
{
    if (name.isEmpty()) {
        qDebug() << "devicePat is Null";
        return false;
    }
    port_.setPortName(name);
    port_.setBaudRate(QSerialPort::Baud115200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        qDebug() << "devicePat is Null" << name << port_.errorString();
        return false;
    }
    qDebug() << "serial port open" << name;
    return true;
}

std::optional<QByteArray> UartPort::readAvailable()
{
    if (!port_.isOpen())
        return std::nullopt;
    const QByteArray bytes = port_.readAll();
    const QSerialPort::SerialPortError error = port_.error();
    if (bytes.isEmpty() && error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
        if (!failureLogged_)
            qDebug() << "serial read error" << port_.portName() << port_.errorString();
        failureLogged_ = true;
        port_.clearError();
        return std::nullopt;
    }
    return bytes;
}

bool UartPort::send(const QByteArray& bytes)
{
    const bool ok = port_.isOpen() && port_.write(bytes) == bytes.size();
    if (ok)
        port_.flush();
    if (!ok && !failureLogged_)
        qDebug() << "serial write failed" << port_.portName() << port_.errorString();
    failureLogged_ = !ok;
    return ok;
}
