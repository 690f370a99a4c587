#include "mediahost/serial/UartPort.h"

#include <QDebug>

void applyUartSettings(QSerialPort& port)
{
    port.setBaudRate(QSerialPort::Baud115200);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

bool UartPort::open(const QString& name)
{
    if (name.isEmpty()) {
        qDebug() << "devicePat is Null";
        return false;
    }
    port_.setPortName(name);
    applyUartSettings(port_);
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
