#include "printing/CupsPrinterDevice.h"

#include <cups/cups.h>

CupsPrinterDevice::CupsPrinterDevice(const QString &queue, QObject *parent)
    : PrinterJobDevice(parent), queue_(queue.toUtf8())
{
}

CupsPrinterDevice::~CupsPrinterDevice()
{
    // A job left half-sent is withdrawn rather than printed in part.
    if (documentOpen_)
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue_.constData(), job_, 0);
}

bool CupsPrinterDevice::isQueue(const QString &name)
{
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);
    if (!dest)
        return false;
    cupsFreeDests(1, dest);
    return true;
}

QString CupsPrinterDevice::defaultQueue()
{
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return {};
    const QString name = QString::fromUtf8(dest->name);
    cupsFreeDests(1, dest);
    return name;
}

bool CupsPrinterDevice::startJob(const QString &title)
{
    const QByteArray name = title.toUtf8();
    job_ = cupsCreateJob(CUPS_HTTP_DEFAULT, queue_.constData(), name.constData(), 0, nullptr);
    if (job_ == 0) {
        setErrorString(QString::fromUtf8(cupsLastErrorString()));
        return false;
    }
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue_.constData(), job_, name.constData(), CUPS_FORMAT_RAW, 1)
        != HTTP_STATUS_CONTINUE) {
        setErrorString(QString::fromUtf8(cupsLastErrorString()));
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue_.constData(), job_, 0);
        return false;
    }
    documentOpen_ = true;
    return open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 CupsPrinterDevice::writeData(const char *data, qint64 size)
{
    if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, data, size_t(size)) != HTTP_STATUS_CONTINUE) {
        setErrorString(QString::fromUtf8(cupsLastErrorString()));
        return -1;
    }
    return size;
}

bool CupsPrinterDevice::finishJob()
{
    documentOpen_ = false;
    close();
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, queue_.constData()) != IPP_STATUS_OK) {
        setErrorString(QString::fromUtf8(cupsLastErrorString()));
        return false;
    }
    return true;
}
