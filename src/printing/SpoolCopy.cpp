#include "printing/SpoolCopy.h"

#include "printing/PrintMessages.h"
#include "printing/PrinterAddress.h"
#include "printing/PrinterJobDevice.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>

SpoolCopy &SpoolCopy::instance()
{
    static SpoolCopy copy;
    return copy;
}

SpoolCopy::~SpoolCopy()
{
    // Leaving the process half-way through would lose the end of the job.
    if (worker_.joinable())
        worker_.join();
}

bool SpoolCopy::start(const QString &spoolFile, const QString &address)
{
    wait();
    // Opened here, before returning, so the next job's truncation or the
    // engine's clean-up cannot pull the file from under the copy.
    source_ = std::make_unique<QFile>(spoolFile);
    if (!source_->open(QIODevice::ReadOnly)) {
        PrintMessages::error(QString::fromUtf8("Erro ao imprimir! ") + source_->errorString());
        source_.reset();
        return false;
    }
    error_.clear();
    const quint64 generation = ++generation_;
    worker_ = std::thread([this, address, generation] {
        copy(address);
        // Tell the user on the interface thread, unless someone has already
        // waited for this copy.
        if (QCoreApplication *app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [generation] {
                SpoolCopy &self = instance();
                if (self.generation_ == generation && self.worker_.joinable())
                    self.collect();
            }, Qt::QueuedConnection);
    });
    return true;
}

void SpoolCopy::copy(const QString &address)
{
    QString error;
    std::unique_ptr<QIODevice> out = PrinterAddress::open(address, source_->fileName(), &error);
    if (!out) {
        error_ = error;
        return;
    }
    while (!source_->atEnd()) {
        const QByteArray piece = source_->read(64 * 1024);
        if (piece.isEmpty() && source_->error() != QFileDevice::NoError) {
            error_ = source_->errorString();
            return;
        }
        if (out->write(piece) != piece.size()) {
            error_ = out->errorString();
            return;
        }
    }
    if (auto *job = qobject_cast<PrinterJobDevice *>(out.get())) {
        if (!job->finishJob())
            error_ = job->errorString();
    } else {
        out->close();
    }
}

bool SpoolCopy::collect()
{
    worker_.join();
    source_.reset();
    if (error_.isEmpty())
        return true;
    PrintMessages::error(QString::fromUtf8("Erro ao imprimir! ") + error_);
    error_.clear();
    return false;
}

bool SpoolCopy::wait()
{
    return worker_.joinable() ? collect() : true;
}
