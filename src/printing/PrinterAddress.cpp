#include "printing/PrinterAddress.h"

#include "printing/CupsPrinterDevice.h"
#include "printing/PrintMessages.h"
#include "printing/SocketPrinterDevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool isParallelName(const QString &address, int *index)
{
    static const QRegularExpression lpt(QStringLiteral("^LPT([1-9]):?$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = lpt.match(address.trimmed());
    if (!match.hasMatch())
        return false;
    *index = match.captured(1).toInt() - 1;
    return true;
}

} // namespace

bool PrinterAddress::parseSocket(const QString &address, QString *host, quint16 *port)
{
    static const QRegularExpression form(QStringLiteral("^(?:socket://([^/:]+)(?::(\\d{1,5}))?/?|([A-Za-z0-9.-]+):(\\d{1,5}))$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(address.trimmed());
    if (!match.hasMatch())
        return false;
    const bool uri = !match.captured(1).isEmpty();
    *host = uri ? match.captured(1) : match.captured(3);
    const QString number = uri ? match.captured(2) : match.captured(4);
    const uint value = number.isEmpty() ? SocketPrinterDevice::defaultPort : number.toUInt();
    if (value == 0 || value > 65535)
        return false;
    *port = quint16(value);
    return true;
}

PrinterAddress::Kind PrinterAddress::kind(const QString &address)
{
    int index = 0;
    QString host;
    quint16 port = 0;
    if (isParallelName(address, &index))
        return Parallel;
    if (parseSocket(address, &host, &port))
        return Socket;
    if (address.contains(QLatin1Char('/')))
        return Path;
    return Queue;
}

QString PrinterAddress::devicePath(const QString &address)
{
    int index = 0;
    if (isParallelName(address, &index))
        return QStringLiteral("/dev/lp%1").arg(index);
    return kind(address) == Path ? address : QString();
}

int PrinterAddress::parallelPort(const QString &port)
{
    int index = 0;
    return isParallelName(port.left(4), &index) ? index : 0;
}

std::unique_ptr<QIODevice> PrinterAddress::open(const QString &address, const QString &jobTitle, QString *error)
{
    switch (kind(address)) {
    case Path:
    case Parallel: {
        auto file = std::make_unique<QFile>(devicePath(address));
        if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            *error = file->errorString();
            return nullptr;
        }
        return file;
    }
    case Socket: {
        QString host;
        quint16 port = 0;
        parseSocket(address, &host, &port);
        auto socket = std::make_unique<SocketPrinterDevice>(host, port);
        if (!socket->connectToPrinter()) {
            *error = socket->errorString();
            return nullptr;
        }
        return socket;
    }
    case Queue: {
        auto queue = std::make_unique<CupsPrinterDevice>(address);
        if (!queue->startJob(jobTitle)) {
            *error = queue->errorString();
            return nullptr;
        }
        return queue;
    }
    }
    return nullptr;
}

bool PrinterAddress::ensureDirectory(const QString &address)
{
    if (kind(address) != Path)
        return true;
    const QString folder = QFileInfo(address).path();
    if (folder.isEmpty())
        return false;
    if (QDir(folder).exists() || QDir().mkpath(folder))
        return true;
    PrintMessages::error(QString::fromUtf8("Não foi possivel criar diretório!"));
    return false;
}
