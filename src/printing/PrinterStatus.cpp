#include "printing/PrinterStatus.h"

#include "printing/PrintMessages.h"
#include "printing/PrinterAddress.h"

#include <fcntl.h>
#include <linux/lp.h>
#include <sys/ioctl.h>
#include <unistd.h>

bool PrinterStatus::isReady(int statusByte)
{
    return (statusByte & 0x80) && (statusByte & 0x10);
}

bool PrinterStatus::read(int port, int *statusByte)
{
    const QByteArray device = QByteArray("/dev/lp") + QByteArray::number(port);
    const int fd = ::open(device.constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int status = 0;
    const bool ok = ::ioctl(fd, LPGETSTATUS, &status) == 0;
    ::close(fd);
    if (ok)
        *statusByte = status & 0xff;
    return ok;
}

bool PrinterStatus::check(const QString &printerPort)
{
    int status = 0;
    if (read(PrinterAddress::parallelPort(printerPort.toUpper()), &status))
        return isReady(status);
    const QString question = QString::fromUtf8(
        "Erro na verificação do estado da impressora.\r\n\r\nPara desabilitar esta verificação acesse "
        "Arquivos / Configurações / Impressoras\r\ne desmarque a opção \"Verificar estado da impressora\"."
        "\r\n\r\nDeseja continuar a impressão mesmo sem testar o estado atual da impressora?");
    return PrintMessages::current().ask(PrintMessages::Error, PrintMessages::YesCancel, question)
           == PrintMessages::AnswerYes;
}
