#include "PrintTestDir.h"
#include "ScriptedPrintUi.h"

#include "printing/TPrintFast.h"
#include "testsupport/TestMain.h"

#include <QBuffer>
#include <QTest>

namespace {

// Page header of a 60-column page on 9 December 2026 at 23:14:05.
QByteArray header(const char *page)
{
    const QByteArray sp(1, ' ');
    return "09/12/26" + sp.repeated(3) + "23:14:05" + sp.repeated(7) + "RELATORIO" + sp.repeated(13) + "Pagina:" + sp + page
           + "\r\n" + "Empresa" + sp.repeated(19) + "Clientes" + sp.repeated(20) + "Filtro\r\n"
           + " \r\n" + "Codigo\r\n" + QByteArray(60, '-') + "\r\n";
}

struct HeaderJob
{
    PrintTestDir dir;
    QBuffer printer;
    TPrintFast pf;

    HeaderJob()
    {
        printer.open(QIODevice::WriteOnly);
        pf.setPrinterName(pfEpson9pinos);
        pf.setPrinterDevice(&printer);
        pf.setClock([] { return QDateTime(QDate(2026, 12, 9), QTime(23, 14, 5)); });
        pf.setPageHeader(true);
        pf.setPageWidth(60);
        THeaderData &h = pf.HeaderData();
        h.FirstPage = 5;
        h.Title1 = QStringLiteral("RELATORIO");
        h.Title2 = QStringLiteral("Clientes");
        h.Left2 = QStringLiteral("Empresa");
        h.Right2 = QStringLiteral("Filtro");
        h.ColHeader1 = QString::fromUtf8("Código,0");
    }
};

} // namespace

class PageHeaderTest : public QObject
{
    Q_OBJECT
private slots:
    // The header counts as nine lines (title lines and rule count twice), so
    // with 11 lines a page the third body line passes the limit.
    void headerOpensEveryPageAndNumbersFromFirstPage()
    {
        HeaderJob job;
        job.pf.setQtLines(11);
        QVERIFY(job.pf.BeginDoc());
        for (const char *line : {"L1", "L2", "L3", "L4"})
            QVERIFY(job.pf.PrintText({}, QString::fromLatin1(line), 0, true));
        QVERIFY(job.pf.EndDoc());
        QCOMPARE(job.printer.data(), header("0005") + "L1\r\nL2\r\nL3\r\n\x0c" + header("0006") + "L4\r\n");
        const QByteArray log = PrintTestDir::read(TPrintFast::commandLogName());
        QVERIFY(log.contains("L3\r\n@Ejetar\r\n09/12/26"));
    }

    void pageEjectedByTheCallerStillGetsTheNextNumber()
    {
        HeaderJob job;
        QVERIFY(job.pf.BeginDoc());
        QVERIFY(job.pf.PrintText({}, QStringLiteral("L1"), 0, true));
        QVERIFY(job.pf.Eject());
        QVERIFY(job.pf.PrintText({}, QStringLiteral("L2"), 0, true));
        QVERIFY(job.pf.EndDoc());
        QCOMPARE(job.printer.data(), header("0005") + "L1\r\n\x0c" + header("0006") + "L2\r\n");
    }

    void optionalLinesAndSeveralColumnHeaders()
    {
        HeaderJob job;
        THeaderData &h = job.pf.HeaderData();
        h.FirstPage = 1;
        h.Title1.clear();
        h.Title2.clear();
        h.Left2.clear();
        h.Right2.clear();
        h.Left4 = QStringLiteral("Esq");
        h.Right4 = QStringLiteral("Dir");
        h.ColHeader1 = QStringLiteral("A,0;B,5;C,10");
        h.ColHeader3 = QStringLiteral("Z,2");
        job.pf.setPageWidth(20);
        QVERIFY(job.pf.BeginDoc());
        QVERIFY(job.pf.PrintText({}, QStringLiteral("x"), 0, true));
        QVERIFY(job.pf.EndDoc());
        QCOMPARE(job.printer.data(),
                 QByteArray("09/12/26   23:14:05Pagina: 0001\r\n") + QByteArray(20, ' ') + "\r\n"
                     + "Esq" + QByteArray(14, ' ') + "Dir\r\n"
                     + QByteArray(" \r\n"
                            "A    B    C\r\n"
                            "  Z\r\n"
                            "--------------------\r\n"
                            "x\r\n"));
    }

    void headerOnAClosedJobIsRefused()
    {
        HeaderJob job;
        ScriptedPrintUi ui;
        QVERIFY(!job.pf.PrintText({}, QStringLiteral("x"), 0, true));
        QCOMPARE(ui.texts(), QStringList{QString::fromUtf8("Porta de impressão está fechada!")});
        QVERIFY(job.printer.data().isEmpty());
    }
};

REMETIX_TEST(PageHeaderTest)
#include "PageHeaderTest.moc"
