#include "printing/SocketPrinterDevice.h"

SocketPrinterDevice::SocketPrinterDevice(const QString &host, quint16 port, QObject *parent)
    : PrinterJobDevice(parent), host_(host), port_(port)
{
}

bool SocketPrinterDevice::connectToPrinter(int timeoutMs)
{
    timeoutMs_ = timeoutMs;
    socket_.connectToHost(host_, port_, QIODevice::WriteOnly);
    if (!socket_.waitForConnected(timeoutMs)) {
        setErrorString(socket_.errorString());
        return false;
    }
    return open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 SocketPrinterDevice::writeData(const char *data, qint64 size)
{
    if (socket_.state() != QAbstractSocket::ConnectedState || socket_.write(data, size) != size) {
        setErrorString(socket_.errorString());
        return -1;
    }
    while (socket_.bytesToWrite() > 0)
        if (!socket_.waitForBytesWritten(timeoutMs_)) {
            setErrorString(socket_.errorString());
            return -1;
        }
    return size;
}

bool SocketPrinterDevice::finishJob()
{
    while (socket_.bytesToWrite() > 0)
        if (!socket_.waitForBytesWritten(timeoutMs_)) {
            setErrorString(socket_.errorString());
            return false;
        }
    socket_.disconnectFromHost();
    if (socket_.state() != QAbstractSocket::UnconnectedState)
        socket_.waitForDisconnected(timeoutMs_);
    close();
    return true;
}
