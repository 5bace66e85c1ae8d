#include "PrintTestDir.h"
#include "ScriptedPrintUi.h"

#include "printing/TPrintFast.h"
#include "testsupport/TestMain.h"

#include <QBuffer>
#include <QTest>

namespace {

const QString closedText = QString::fromUtf8("Porta de impressão está fechada!");

// A printer that takes a few bytes and then goes away.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 budget) : budget_(budget) { open(QIODevice::WriteOnly); }
    QByteArray received;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (received.size() + size > budget_) {
            setErrorString(QStringLiteral("Dispositivo desligado"));
            return -1;
        }
        received.append(data, size);
        return size;
    }

private:
    qint64 budget_;
};

} // namespace

class PrintFastTest : public QObject
{
    Q_OBJECT
private slots:
    void defaultsAreThePublishedOnes()
    {
        TPrintFast pf;
        QCOMPARE(pf.PageHeader(), false);
        QCOMPARE(pf.PrinterName(), pfNenhuma);
        QCOMPARE(pf.Preview(), false);
        QCOMPARE(pf.QtLines(), 60);
        QCOMPARE(pf.PageWidth(), 80);
        QCOMPARE(pf.PrinterPort(), QStringLiteral("LPT1"));
        QCOMPARE(pf.PrinterAdr(), QStringLiteral("LPT1"));
        QCOMPARE(pf.PreviewFormStyle(), TPrintFast::fsMDIChild);
        QCOMPARE(pf.CheckPrinterStatus(), false);
        QCOMPARE(pf.Pulodelinha(), QStringLiteral("1/6"));
        QCOMPARE(pf.CaracterEspecial(), QString());
        QCOMPARE(pf.HeaderData().FirstPage, 1);
        QVERIFY(pf.HeaderData().Title1.isEmpty());
        QVERIFY(!pf.spool() && !pf.saveToFile());
    }

    void previewStylesAMdiParentOrStayOnTopAreRefused()
    {
        ScriptedPrintUi ui;
        TPrintFast pf;
        pf.setPreviewFormStyle(TPrintFast::fsStayOnTop);
        pf.setPreviewFormStyle(TPrintFast::fsMDIForm);
        QCOMPARE(pf.PreviewFormStyle(), TPrintFast::fsMDIChild);
        QCOMPARE(ui.texts(), QStringList(2, QString::fromUtf8("Valor inválido para esta propriedade!")));
        QCOMPARE(ui.boxes().first().icon, PrintMessages::Information);
        pf.setPreviewFormStyle(TPrintFast::fsNormal);
        QCOMPARE(pf.PreviewFormStyle(), TPrintFast::fsNormal);
    }

    void filterStripsAccentsAndMarks_data()
    {
        QTest::addColumn<QString>("caracter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("ampersand as e") << "N" << QString::fromUtf8("JOÃO & CIA.") << QByteArray("JOAO e CIA.");
        QTest::newRow("empty is N") << "" << QString::fromUtf8("JOÃO & CIA.") << QByteArray("JOAO e CIA.");
        QTest::newRow("ampersand kept") << "S" << QString::fromUtf8("JOÃO & CIA.") << QByteArray("JOAO & CIA.");
        QTest::newRow("vowels") << "N" << QString::fromUtf8("áãâäàÁÃÂÄÀéêëÉÊËíîïÍÎÏóõôöÓÕÔÖúûüÚÛÜçÇ")
                                << QByteArray("aaaaaAAAAAeeeEEEiiiIIIooooOOOOuuuUUUcC");
        QTest::newRow("ordinals and marks") << "N" << QString::fromUtf8("Nº 5ª§´`^~'x") << QByteArray("No 5a      x");
        QTest::newRow("grave accents pass") << "N" << QString::fromUtf8("èìòù") << QByteArray("\xe8\xec\xf2\xf9");
        QTest::newRow("outside the code page") << "N" << QString::fromUtf8("a✓€") << QByteArray("a?\x80");
    }
    void filterStripsAccentsAndMarks()
    {
        QFETCH(QString, caracter);
        QFETCH(QString, text);
        QFETCH(QByteArray, printed);
        PrintTestDir dir;
        QBuffer printer;
        printer.open(QIODevice::WriteOnly);
        TPrintFast pf;
        pf.setCaracterEspecial(caracter);
        pf.setPrinterDevice(&printer);
        QVERIFY(pf.BeginDoc());
        QVERIFY(pf.PrintText({}, text, 0, false));
        QVERIFY(pf.EndDoc());
        QCOMPARE(printer.data(), printed);
    }

    // The printer bytes and the command log of one job, to a file address
    // whose folder does not exist yet.
    void jobWritesPrinterBytesAndCommandLog()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        const QString address = dir.path(QStringLiteral("saida/lpt/impressora.prn"));
        TPrintFast pf;
        pf.setPrinterName(pfEpson9pinos);
        pf.setPrinterAdr(address);
        QVERIFY(pf.BeginDoc());
        QVERIFY(pf.SendCode(pf.codes().Compr20On));
        QVERIFY(pf.PrintText({}, QStringLiteral("Nome"), 0, false));
        QVERIFY(pf.PrintText({}, QStringLiteral("Cidade"), 10, true));
        QVERIFY(pf.PrintText("\x1b" "E", QStringLiteral("X"), 3, false));
        QVERIFY(pf.PrintText({}, QStringLiteral("Y"), 2, true)); // behind the current column: no padding
        QVERIFY(pf.SendCode("abc"));                             // no slot: bytes, no marker
        QVERIFY(pf.Eject());
        QVERIFY(pf.EndDoc());
        QVERIFY(ui.texts().isEmpty());
        QCOMPARE(PrintTestDir::read(address),
                 QByteArray("\x1bM\x0fNome      Cidade\r\n\x1b" "E   XY\r\nabc\x0c"));
        QCOMPARE(TPrintFast::commandLogName(), dir.tempPath(QStringLiteral("PF3.txt")));
        QCOMPARE(PrintTestDir::read(dir.tempPath(QStringLiteral("PF3.txt"))),
                 QByteArray("@pcompr20\r\nNome      Cidade\r\n\x1b" "E   XY\r\n@Ejetar\r\n@Fim\r\n@Fim\r\n"));
    }

    void markerAfterAnOpenPieceStartsItsOwnLine()
    {
        PrintTestDir dir;
        QBuffer printer;
        printer.open(QIODevice::WriteOnly);
        TPrintFast pf;
        pf.setPrinterName(pfEpson9pinos);
        pf.setPrinterDevice(&printer);
        QVERIFY(pf.BeginDoc());
        QVERIFY(pf.PrintText({}, QStringLiteral("A"), 0, false));
        QVERIFY(pf.SendCode(pf.codes().BoldOn));
        QVERIFY(pf.PrintText({}, QStringLiteral("B"), 2, false));
        QVERIFY(pf.EndDoc());
        QCOMPARE(printer.data(), QByteArray("A\x1b" "E B"));
        QCOMPARE(PrintTestDir::read(TPrintFast::commandLogName()),
                 QByteArray("A\r\n@pnegrito\r\n B\r\n@Fim\r\n@Fim\r\n"));
    }

    void genericModelSendsNoBytesButLogsTheFirstEmptySlot()
    {
        PrintTestDir dir;
        QBuffer printer;
        printer.open(QIODevice::WriteOnly);
        TPrintFast pf;
        pf.setPrinterDevice(&printer);
        QVERIFY(pf.BeginDoc());
        QVERIFY(pf.SendCode(pf.codes().BoldOn));
        QVERIFY(pf.SendCode(pf.codes().Lpi8On));
        QVERIFY(pf.EndDoc());
        QCOMPARE(printer.data(), QByteArray("\x1b" "0"));
        QCOMPARE(PrintTestDir::read(TPrintFast::commandLogName()),
                 QByteArray("@pcompr175\r\n@p8linpol\r\n@Fim\r\n@Fim\r\n"));
    }

    void closedJobRefusesEveryOutput()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        TPrintFast pf;
        QVERIFY(!pf.EndDoc());
        QVERIFY(ui.texts().isEmpty());
        QVERIFY(!pf.PrintText({}, QStringLiteral("x"), 0, true));
        QVERIFY(!pf.SendCode("\x0f"));
        QVERIFY(!pf.Eject());
        QCOMPARE(ui.texts(), QStringList(3, closedText));
        QVERIFY(!QFile::exists(dir.tempPath(QStringLiteral("PF3.txt"))));
    }

    void jobStateIsSharedByEveryInstance()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        QBuffer printer;
        printer.open(QIODevice::WriteOnly);
        TPrintFast first;
        TPrintFast second;
        first.setPrinterDevice(&printer);
        QVERIFY(first.BeginDoc());
        QVERIFY(second.PrintText({}, QStringLiteral("ab"), 0, false));
        QVERIFY(second.PrintText({}, QStringLiteral("c"), 4, true));
        QVERIFY(second.EndDoc());
        QVERIFY(!first.PrintText({}, QStringLiteral("late"), 0, true));
        QCOMPARE(printer.data(), QByteArray("ab  c\r\n"));
        QCOMPARE(ui.texts(), QStringList{closedText});
    }

    void printerFailingHalfWayClosesTheJobAndSaysWhy()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        FailingDevice printer(10);
        TPrintFast pf;
        pf.setPrinterDevice(&printer);
        QVERIFY(pf.BeginDoc());
        QVERIFY(pf.PrintText({}, QStringLiteral("12345"), 0, true));
        QVERIFY(!pf.PrintText({}, QStringLiteral("ABCDEFGH"), 0, true));
        QCOMPARE(ui.texts(), QStringList{QStringLiteral("Erro ao imprimir! Dispositivo desligado")});
        QCOMPARE(ui.boxes().first().icon, PrintMessages::Error);
        QVERIFY(!pf.PrintText({}, QStringLiteral("more"), 0, true));
        QCOMPARE(ui.texts().last(), closedText);
        QVERIFY(!pf.EndDoc());
        QCOMPARE(printer.received, QByteArray("12345\r\n"));
    }

    void commandLogThatCannotBeReplacedRefusesTheJob()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        const QString log = dir.tempPath(QStringLiteral("PF3.txt"));
        QDir().mkpath(log + QStringLiteral("/busy"));
        QBuffer printer;
        printer.open(QIODevice::WriteOnly);
        TPrintFast pf;
        pf.setPrinterDevice(&printer);
        QVERIFY(!pf.BeginDoc());
        QCOMPARE(ui.texts().size(), 2);
        QVERIFY(ui.texts()[0].startsWith(QString::fromUtf8("Erro ao deletar arquivo temporário! ")));
        QCOMPARE(ui.texts()[1], QString::fromUtf8("Não foi possível criar arquivo:\r\n") + log);
        QVERIFY(!pf.PrintText({}, QStringLiteral("x"), 0, true));
        QVERIFY(printer.data().isEmpty());
    }

    void engineRemovesItsTemporaryFilesWhenItGoes()
    {
        PrintTestDir dir;
        const QStringList gone = {QStringLiteral("PF3.txt"), QStringLiteral("PF0912231405.txt")};
        const QStringList kept = {QStringLiteral("sub/PF3.txt"), QStringLiteral("XPF.txt"), QStringLiteral("PF.prn")};
        QDir().mkpath(dir.tempPath(QStringLiteral("sub")));
        for (const QString &name : gone + kept)
            PrintTestDir::write(dir.tempPath(name), "x");
        const QString spool = dir.path(QStringLiteral("RX001.tmp"));
        PrintTestDir::write(spool, "x");
        {
            TPrintFast pf;
            pf.setSpool(true, spool);
        }
        for (const QString &name : gone)
            QVERIFY2(!QFile::exists(dir.tempPath(name)), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(QFile::exists(dir.tempPath(name)), qPrintable(name));
        QVERIFY(!QFile::exists(spool));
    }

};

REMETIX_TEST(PrintFastTest)
#include "PrintFastTest.moc"
