#include "CliCommand.h"
#include "PrinterCli.h"

#include "printing/PrintCodePage.h"
#include "printing/ReportCipher.h"
#include "printing/TPrintFast.h"

#include <QFile>

namespace {

const char usage[] = "replay --printer NAME --address ADDR [--log LOG] FILE";

// The lines of a command log or of a report file, without their line ends.
bool readLog(const QString &name, QList<QByteArray> *lines)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        Cli::err(QStringLiteral("replay: %1: %2").arg(name, file.errorString()));
        return false;
    }
    QByteArray bytes = file.readAll();
    if (ReportCipher::isReport(bytes)) {
        ReportCipher cipher;
        QByteArray plain;
        if (!cipher.decrypt(bytes, &plain)) {
            Cli::err(QStringLiteral("replay: %1: %2").arg(name, cipher.errorText()));
            return false;
        }
        bytes = plain;
    }
    *lines = bytes.split('\n');
    if (!lines->isEmpty() && lines->last().isEmpty())
        lines->removeLast();
    for (QByteArray &line : *lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return true;
}

bool replayLine(TPrintFast &pf, const QByteArray &line)
{
    const QString text = PrintCodePage::decode(line);
    if (text == QLatin1String("@Ejetar"))
        return pf.Eject();
    ControlCodes::Slot slot;
    if (ControlCodes::slotForMarker(text, &slot))
        return pf.SendCode(pf.codes().slot(slot));
    return pf.PrintText({}, text, 0, true);
}

// Prints a saved job again on the named model: its marker lines become that
// model's sequences.
int replay(const CliContext &, const QStringList &args)
{
    QStringList arguments = args;
    PrinterCli cli;
    TPrintFast pf;
    QString logCopy;
    const bool copyLog = Cli::takeOption(arguments, QStringLiteral("--log"), &logCopy);
    if (!PrinterCli::configure(pf, arguments, QString::fromLatin1(usage)))
        return 2;
    if (arguments.size() != 1) {
        Cli::err(QStringLiteral("usage: remetix-cli ") + QString::fromLatin1(usage));
        return 2;
    }
    QList<QByteArray> lines;
    if (!readLog(arguments.first(), &lines))
        return 1;
    // The saved text went through the character filter when it was first
    // printed; what it holds now is to be printed as it stands.
    pf.setCaracterEspecial(QStringLiteral("S"));
    pf.HeaderData().Title1 = arguments.first();
    if (!pf.BeginDoc())
        return 1;
    for (const QByteArray &line : lines) {
        if (line == "@Fim")
            break;
        if (!replayLine(pf, line))
            return 1;
    }
    if (!pf.EndDoc() || !TPrintFast::waitForSpoolCopy())
        return 1;
    if (copyLog) {
        QFile::remove(logCopy);
        if (!QFile::copy(TPrintFast::commandLogName(), logCopy)) {
            Cli::err(QStringLiteral("replay: cannot write %1").arg(logCopy));
            return 1;
        }
    }
    return 0;
}

const CliCommand::Registration registration("replay", usage, replay);

} // namespace
