#include "PrintTestDir.h"
#include "ScriptedPrintUi.h"

#include "printing/ReportCipher.h"
#include "printing/TPFPreview.h"
#include "printing/TPrintFast.h"
#include "testsupport/TestMain.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTest>

namespace {

// A preview job of count lines "Linha n", each with a bold prefix.
TPFPreview *previewOf(TPrintFast &pf, const PrintTestDir &dir, int count, const QString &id = {})
{
    pf.setPrinterName(pfEpson9pinos);
    pf.setPreview(true);
    pf.setExeDir(dir.path(QStringLiteral("bin")));
    pf.setProgramDir(dir.path(QStringLiteral("dados")));
    pf.setPrinterAdr(dir.path(QStringLiteral("impressora.prn")));
    pf.PreviewId = id;
    if (!pf.BeginDoc())
        return nullptr;
    for (int i = 1; i <= count; ++i)
        pf.PrintText("\x1b" "E", QStringLiteral("Linha %1 & cia").arg(i), 0, true);
    pf.EndDoc();
    return pf.previewWindow();
}

} // namespace

class PreviewTest : public QObject
{
    Q_OBJECT
private slots:
    void showsThePlainCopyAndPagesBy67Lines()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        TPrintFast pf;
        TPFPreview *preview = previewOf(pf, dir, 134);
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->windowTitle(), QString::fromUtf8("Visualização"));
        QCOMPARE(preview->lineCount(), 134);
        QCOMPARE(preview->RichEdit1->document()->firstBlock().text(), QStringLiteral("Linha 1 e cia"));
        QVERIFY(preview->RichEdit2->toPlainText().startsWith(QStringLiteral("\x1b" "ELinha 1 e cia")));
        QVERIFY(preview->RichEdit1->isReadOnly());
        QCOMPARE(preview->caretLine(), 0);
        preview->BtNextClick();
        QCOMPARE(preview->caretLine(), 67);
        preview->BtNextClick();
        QCOMPARE(preview->caretLine(), 67);
        preview->BtPriorClick();
        QCOMPARE(preview->caretLine(), 0);
        preview->BtLastClick();
        QCOMPARE(preview->caretLine(), 67);
        preview->BtFirstClick();
        QCOMPARE(preview->caretLine(), 0);
        QVERIFY(QFile::exists(dir.path(QStringLiteral("bin/Temp/PF.txt"))));
        QVERIFY(ui.texts().isEmpty());
    }

    void zoomStepsStopAtBothEnds()
    {
        PrintTestDir dir;
        TPrintFast pf;
        TPFPreview *preview = previewOf(pf, dir, 3);
        QVERIFY(preview);
        QCOMPARE(preview->Lb_Zoon->text(), QStringLiteral("Zoom 75%"));
        QCOMPARE(preview->fontPointSize(), 7);
        const QList<QPair<int, QString>> in = {{10, "100%"}, {12, "125%"}, {12, "125%"}};
        for (const auto &[points, caption] : in) {
            preview->BtZoomClick();
            QCOMPARE(preview->fontPointSize(), points);
            QCOMPARE(preview->Lb_Zoon->text(), caption);
        }
        const QList<QPair<int, QString>> out = {{10, "100%"}, {7, "75%"}, {5, "50%"}, {4, "25%"}, {4, "25%"}};
        for (const auto &[points, caption] : out) {
            preview->BtZoomOutClick();
            QCOMPARE(preview->fontPointSize(), points);
            QCOMPARE(preview->Lb_Zoon->text(), caption);
        }
    }

    void activationRunsTheEventThenZoomsIn()
    {
        PrintTestDir dir;
        TPrintFast pf;
        int activations = 0;
        pf.OnPreviewActivate = [&activations] { ++activations; };
        TPFPreview *preview = previewOf(pf, dir, 3);
        QVERIFY(preview);
        const int before = activations;
        while (preview->fontPointSize() > 4)
            preview->BtZoomOutClick();
        preview->FormActivate();
        QCOMPARE(activations, before + 1);
        QCOMPARE(preview->fontPointSize(), 5);
        QCOMPARE(preview->Lb_Zoon->text(), QStringLiteral("50%"));
    }

    void mdiChildPreviewOpensInTheWorkspace()
    {
        PrintTestDir dir;
        QMdiArea area;
        area.show();
        TPrintFast pf;
        pf.setMdiArea(&area);
        TPFPreview *preview = previewOf(pf, dir, 2);
        QVERIFY(preview);
        QCOMPARE(area.subWindowList().size(), 1);
        QCOMPARE(area.subWindowList().first()->widget(), preview);
        QVERIFY(area.subWindowList().first()->isMaximized());
        QTest::keyClick(preview->RichEdit1, Qt::Key_Escape);
        QTRY_VERIFY(area.subWindowList().isEmpty());
    }

    void savesPlainTextOrAReportThatDeciphersToTheCommandLog()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        TPrintFast pf;
        TPFPreview *preview = previewOf(pf, dir, 5);
        QVERIFY(preview);
        const QByteArray log = PrintTestDir::read(dir.path(QStringLiteral("bin/Temp/PF3.txt")));
        QVERIFY(log.startsWith("\x1b" "ELinha 1 e cia\r\n"));
        QVERIFY(log.endsWith("@Fim\r\n@Fim\r\n"));

        ui.chooseFile(dir.path(QStringLiteral("relatorio.art")));
        ui.chooseFile(dir.path(QStringLiteral("texto")));
        preview->BtFileClick();
        preview->BtFileClick();
        QCOMPARE(ui.texts(), QStringList(2, QStringLiteral("Arquivo salvo com sucesso!")));
        const PrintFileDialogs::SaveRequest &request = ui.saveRequests().first();
        QCOMPARE(request.filter, QString::fromUtf8("Arquivos Texto|*.txt|Arquivo Relatório|*.art"));
        QCOMPARE(request.selectedFilter, 1);
        QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(request.directory, dir.path(QStringLiteral("dados/Arquivos")));

        ReportCipher cipher;
        QByteArray deciphered;
        QVERIFY(cipher.decrypt(PrintTestDir::read(dir.path(QStringLiteral("relatorio.art"))), &deciphered));
        QCOMPARE(deciphered, log);
        QCOMPARE(PrintTestDir::read(dir.path(QStringLiteral("texto.txt"))),
                 PrintTestDir::read(dir.path(QStringLiteral("bin/Temp/PF2.txt"))));
        QVERIFY(PrintTestDir::read(dir.path(QStringLiteral("texto.txt"))).startsWith("Linha 1 e cia\r\nLinha 2"));

        ui.clear();
        ui.chooseFile(dir.path(QStringLiteral("nao/existe/x.art")));
        preview->BtFileClick();
        QCOMPARE(ui.texts(), QStringList{QString::fromUtf8("Não foi possível salvar arquivo!")});
        QCOMPARE(ui.boxes().first().icon, PrintMessages::Error);
    }

    void escClosesAndRemovesTheJobFiles()
    {
        PrintTestDir dir;
        TPrintFast pf;
        bool closed = false;
        pf.OnPreviewClose = [&closed] { closed = true; };
        QPointer<TPFPreview> preview = previewOf(pf, dir, 2);
        QVERIFY(preview);
        QTest::keyClick(preview->RichEdit1, Qt::Key_Escape);
        QVERIFY(closed);
        QTRY_VERIFY(preview.isNull());
        QVERIFY(!QFile::exists(dir.path(QStringLiteral("bin/Temp/PF3.txt"))));
        QVERIFY(!QFile::exists(dir.path(QStringLiteral("bin/Temp/PF2.txt"))));
    }

    void newPreviewWithTheSameIdentificationClosesTheOld()
    {
        PrintTestDir dir;
        TPrintFast first, second, other;
        QPointer<TPFPreview> old = previewOf(first, dir, 2, QStringLiteral("log"));
        QPointer<TPFPreview> unrelated = previewOf(other, dir, 2, QStringLiteral("clientes"));
        QPointer<TPFPreview> fresh = previewOf(second, dir, 2, QStringLiteral("log"));
        QTRY_VERIFY(old.isNull());
        QVERIFY(fresh && unrelated);
    }

    void printAsksThenSendsThePrinterText_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("yes, special characters")
            << QByteArray("[Configuracoes]\r\ncaracter=S\r\n") << int(PrintMessages::AnswerYes)
            << QByteArray("\x1b" "ELinha 1 e cia\r\n\x1b" "ELinha 2 e cia");
        QTest::newRow("no") << QByteArray("[CONFIGURACOES]\r\nCARACTER=S\r\n") << int(PrintMessages::AnswerNo)
                            << QByteArray("<missing>");
    }
    void printAsksThenSendsThePrinterText()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, answer);
        QFETCH(QByteArray, printed);
        PrintTestDir dir;
        ScriptedPrintUi ui;
        TPrintFast pf;
        QVariant printedWith;
        pf.OnAfterPrint = [&printedWith](const QVariant &data) { printedWith = data; };
        pf.AfterPrintData = 42;
        TPFPreview *preview = previewOf(pf, dir, 2);
        QVERIFY(preview);
        PrintTestDir::write(dir.path(QStringLiteral("bin/Impressoras.ini")), ini);
        ui.answer(PrintMessages::Answer(answer));
        preview->BtPrinterClick();
        QCOMPARE(ui.texts(), QStringList{QString::fromUtf8("Confirma a impressão?")});
        QCOMPARE(ui.boxes().first().buttons, PrintMessages::YesNo);
        QCOMPARE(preview->PrintFast1->CaracterEspecial(), QStringLiteral("S"));
        QCOMPARE(PrintTestDir::read(dir.path(QStringLiteral("impressora.prn"))), printed);
        QCOMPARE(printedWith.isValid(), answer == PrintMessages::AnswerYes);
    }

    void printToAPrinterThatCannotBeOpenedStopsAtTheRefusal()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        TPrintFast pf;
        TPFPreview *preview = previewOf(pf, dir, 3);
        QVERIFY(preview);
        preview->PrintFast1->setPrinterAdr(dir.path());
        preview->BtPrinterClick();
        QCOMPARE(ui.texts(), (QStringList{QString::fromUtf8("Confirma a impressão?"),
                                          QString::fromUtf8("Não foi possível iniciar impressora especificada em:\r\n") + dir.path()}));
    }

    void saveToFileModeNamesItsFilesByTheClockAndOffersTheDialog()
    {
        PrintTestDir dir;
        ScriptedPrintUi ui;
        TPrintFast pf;
        pf.setPrinterName(pfEpson9pinos);
        pf.setClock([] { return QDateTime(QDate(2026, 12, 9), QTime(23, 14, 5)); });
        pf.setProgramDir(dir.path(QStringLiteral("dados")));
        pf.HeaderData().Title1 = QStringLiteral("Etiquetas");
        pf.setSaveToFile(true);
        ui.chooseFile(dir.path(QStringLiteral("etiquetas.art")));
        QVERIFY(pf.BeginDoc());
        QCOMPARE(TPrintFast::commandLogName(), dir.tempPath(QStringLiteral("PF09122314053.txt")));
        QCOMPARE(TPrintFast::plainCopyName(), dir.tempPath(QStringLiteral("PF09122314052.txt")));
        QVERIFY(pf.SendCode(pf.codes().Compr20On));
        QVERIFY(pf.PrintText("\x1b" "E", QStringLiteral("Maria"), 2, true));
        QVERIFY(pf.EndDoc());
        QVERIFY(!pf.saveToFile());
        QCOMPARE(ui.saveRequests().size(), 1);
        QCOMPARE(ui.saveRequests().first().proposedName, QStringLiteral("Etiquetas"));
        QCOMPARE(ui.texts(), QStringList{QStringLiteral("Arquivo salvo com sucesso!")});
        QCOMPARE(PrintTestDir::read(dir.tempPath(QStringLiteral("PF0912231405.txt"))),
                 QByteArray("\x1bM\x0f\x1b" "E  Maria\r\n"));
        QCOMPARE(PrintTestDir::read(dir.tempPath(QStringLiteral("PF09122314052.txt"))), QByteArray("  Maria\r\n"));
        ReportCipher cipher;
        QByteArray log;
        QVERIFY(cipher.decrypt(PrintTestDir::read(dir.path(QStringLiteral("etiquetas.art"))), &log));
        QCOMPARE(log, QByteArray("@pcompr20\r\n\x1b" "E  Maria\r\n@Fim\r\n@Fim\r\n"));
    }
};

REMETIX_TEST(PreviewTest)
#include "PreviewTest.moc"
