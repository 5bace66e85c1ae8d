#include "CliCommand.h"
#include "PrinterCli.h"

#include "printing/TPrintFast.h"

namespace {

const char usage[] = "print-test --printer NAME --address ADDR";

// One line per pitch and style, each between its on and off sequences, so
// a user sees at once which of them the printer understands.
int printTest(const CliContext &, const QStringList &args)
{
    QStringList arguments = args;
    PrinterCli cli;
    TPrintFast pf;
    if (!PrinterCli::configure(pf, arguments, QString::fromLatin1(usage)) || !arguments.isEmpty()) {
        if (!arguments.isEmpty())
            Cli::err(QStringLiteral("usage: remetix-cli ") + QString::fromLatin1(usage));
        return 2;
    }
    pf.HeaderData().Title1 = QStringLiteral("Teste de impressora");
    if (!pf.BeginDoc())
        return 1;
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789");
    const ControlCodes &c = pf.codes();
    struct Line
    {
        const char *caption;
        QByteArray on, off;
    };
    const Line lines[] = {
        {"Normal 10 cpp", {}, {}},
        {"Condensado 17,5 cpp", c.Compr175On, c.Compr175Off},
        {"Comprimido 20 cpp", c.Compr20On, c.Compr20Off},
        {"Elite 12 cpp", c.Elite12On, c.Elite12Off},
        {"Negrito", c.BoldOn, c.BoldOff},
        {"Expandido", c.ExpandOn, c.ExpandOff},
        {"8 linhas por polegada", c.Lpi8On, c.Lpi8Off},
    };
    bool ok = pf.PrintText({}, QString::fromUtf8("Remetix - teste de impressão"), 0, true);
    for (const Line &line : lines) {
        const bool styled = !line.on.isEmpty() || !line.off.isEmpty();
        ok = ok && (!styled || pf.SendCode(line.on))
             && pf.PrintText({}, QString::fromUtf8(line.caption) + QStringLiteral(": ") + sample, 0, true)
             && (!styled || pf.SendCode(line.off));
    }
    ok = ok && pf.Eject() && pf.EndDoc() && TPrintFast::waitForSpoolCopy();
    return ok ? 0 : 1;
}

const CliCommand::Registration registration("print-test", usage, printTest);

} // namespace
