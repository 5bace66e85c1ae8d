#pragma once

#include <QIODevice>

// A printer output that is more than a file: the job is only delivered when
// finishJob() answers true (a network printer that took every byte, a queue
// that accepted the document).
class PrinterJobDevice : public QIODevice
{
    Q_OBJECT
public:
    using QIODevice::QIODevice;
    virtual bool finishJob() = 0;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
};
