#pragma once

#include "printing/PrinterJobDevice.h"

#include <QTcpSocket>

// A network printer's raw port (AppSocket). Each write waits until the bytes
// have left, so a printer that goes away is noticed on the piece it misses.
class SocketPrinterDevice : public PrinterJobDevice
{
    Q_OBJECT
public:
    static constexpr quint16 defaultPort = 9100;

    SocketPrinterDevice(const QString &host, quint16 port, QObject *parent = nullptr);
    // Connects; false with errorString() when the printer cannot be reached.
    bool connectToPrinter(int timeoutMs = 10000);
    bool finishJob() override;

protected:
    qint64 writeData(const char *data, qint64 size) override;

private:
    QString host_;
    quint16 port_;
    QTcpSocket socket_;
    int timeoutMs_ = 10000;
};
