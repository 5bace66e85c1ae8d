#pragma once

#include "printing/PrinterJobDevice.h"

// A print queue of the system's spooler, fed as one raw document so the
// printer receives exactly the engine's bytes.
class CupsPrinterDevice : public PrinterJobDevice
{
    Q_OBJECT
public:
    explicit CupsPrinterDevice(const QString &queue, QObject *parent = nullptr);
    ~CupsPrinterDevice() override;

    static bool isQueue(const QString &name);
    static QString defaultQueue();  // empty when the system has none

    bool startJob(const QString &title);
    bool finishJob() override;

protected:
    qint64 writeData(const char *data, qint64 size) override;

private:
    QByteArray queue_;
    int job_ = 0;
    bool documentOpen_ = false;
};
