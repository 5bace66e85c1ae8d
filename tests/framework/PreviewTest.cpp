#include "framework/InputBox.h"
#include "framework/PreviewReport.h"
#include "framework/PrintDialogs.h"
#include "framework/Session.h"
#include "framework/UPreview.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

class PagesReport : public PreviewReport
{
public:
    explicit PagesReport(int pages) : pages_(pages) {}
    QString name() const override { return QStringLiteral("Etiquetas"); }
    void paint(QPrinter *printer) override
    {
        ++paints;
        QPainter p(printer);
        for (int i = 0; i < pages_; ++i) {
            if (i)
                printer->newPage();
            p.drawText(100, 100, QStringLiteral("Página %1").arg(i + 1));
        }
    }
    int paints = 0;

private:
    int pages_;
};

class ScriptedInput : public InputBoxService
{
public:
    ScriptedInput() : seam_(*this) {}
    QString ask(const QString &caption, const QString &prompt, const QString &proposal, bool *ok) override
    {
        asked << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + proposal;
        *ok = accept;
        return accept ? answer : proposal;
    }
    QStringList asked;
    QString answer;
    bool accept = true;

private:
    ScopedSeam<InputBoxService> seam_;
};

class ScriptedPrintDialog : public PrintDialogService
{
public:
    ScriptedPrintDialog() : seam_(*this) {}
    bool choose(QPrinter *printer, QWidget *) override
    {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(target);
        return !target.isEmpty();
    }
    QString target;

private:
    ScopedSeam<PrintDialogService> seam_;
};

} // namespace

class PreviewTest : public QObject
{
    Q_OBJECT
private slots:
    void zoomCyclesFromFullSize()
    {
        TFPreview preview(std::make_shared<PagesReport>(1));
        QCOMPARE(preview.zoomPercent(), 100);
        QList<int> seen;
        for (int i = 0; i < 4; ++i) {
            preview.findChild<QToolButton *>(QStringLiteral("BtZoom"))->click();
            seen << preview.zoomPercent();
        }
        QCOMPARE(seen, (QList<int>{25, 50, 75, 100}));
    }

    void pagingByButtonsAndKeys()
    {
        TFPreview preview(std::make_shared<PagesReport>(4));
        preview.show();
        preview.viewer()->updatePreview();
        QCOMPARE(preview.pageCount(), 4);
        QCOMPARE(preview.currentPage(), 1);
        preview.findChild<QToolButton *>(QStringLiteral("BtNext"))->click();
        QCOMPARE(preview.currentPage(), 2);
        QCOMPARE(preview.statusText(), QStringLiteral("Página 2 de 4"));
        QTest::keyClick(preview.viewer(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(preview.currentPage(), 4);
        QTest::keyClick(preview.viewer(), Qt::Key_PageDown);
        QCOMPARE(preview.currentPage(), 4);
        QTest::keyClick(preview.viewer(), Qt::Key_PageUp);
        QCOMPARE(preview.currentPage(), 3);
        QTest::keyClick(preview.viewer(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(preview.currentPage(), 1);
        preview.findChild<QToolButton *>(QStringLiteral("BtLast"))->click();
        preview.findChild<QToolButton *>(QStringLiteral("BtPrior"))->click();
        QCOMPARE(preview.currentPage(), 3);
        preview.findChild<QToolButton *>(QStringLiteral("BtFirst"))->click();
        QCOMPARE(preview.currentPage(), 1);
    }

    void archiveIsWrittenWhereTheAnswerSays()
    {
        QTemporaryDir dir;
        Session::values().ProgramDir = dir.path() + QLatin1Char('/');
        ScriptedMessages messages;
        ScriptedInput input;
        auto report = std::make_shared<PagesReport>(3);
        TFPreview preview(report);
        const QString path = dir.path() + QStringLiteral("/saida.pdf");
        input.answer = QStringLiteral("  ") + path + QStringLiteral(" ");
        preview.saveToArchive();
        QCOMPARE(input.asked, QStringList{QStringLiteral("Salvar Relatório|Local|") + dir.path()
                                          + QStringLiteral("/Etiquetas.pdf")});
        QVERIFY(QFileInfo(path).size() > 0);
        QVERIFY(messages.shown().isEmpty());
        Session::reset();
    }

    void emptyOrAbandonedAnswerSavesNothing()
    {
        QTemporaryDir dir;
        Session::values().ProgramDir = dir.path() + QLatin1Char('/');
        ScriptedMessages messages;
        ScriptedInput input;
        TFPreview preview(std::make_shared<PagesReport>(1));
        input.answer = QStringLiteral("   ");
        preview.saveToArchive();
        QCOMPARE(messages.texts(), QStringList{QString::fromUtf8("Informe o Local para salvar o relatório!")});
        input.accept = false;
        preview.saveToArchive();
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY(QDir(dir.path()).isEmpty());
        Session::reset();
    }

    void printGoesThroughThePrintDialog()
    {
        QTemporaryDir dir;
        ScriptedPrintDialog dialog;
        auto report = std::make_shared<PagesReport>(2);
        TFPreview preview(report);
        const int before = report->paints;
        preview.print();
        QCOMPARE(report->paints, before);
        dialog.target = dir.path() + QStringLiteral("/impresso.pdf");
        preview.findChild<QToolButton *>(QStringLiteral("BtPrinter"))->click();
        QVERIFY(QFileInfo(dialog.target).size() > 0);
    }

    void oneClosePerActivationAndEscapeLeaves()
    {
        QMdiArea area;
        area.show();
        KeyHook::install([](QKeyEvent *) { return false; });
        const KeyHook::Filter before = KeyHook::current();
        TFPreview *preview = TFPreview::open(std::make_shared<PagesReport>(1), &area);
        QPointer<TFPreview> alive(preview);
        QCOMPARE(area.subWindowList().size(), 1);
        preview->activated();
        QTest::keyClick(preview->viewer(), Qt::Key_Escape);
        QTRY_VERIFY(!alive);
        QTRY_COMPARE(area.subWindowList().size(), 0);
        QVERIFY(KeyHook::active());
        KeyHook::remove();

        TFPreview standalone(std::make_shared<PagesReport>(1));
        standalone.setAttribute(Qt::WA_DeleteOnClose, false);
        standalone.show();
        QVERIFY(standalone.close());
        standalone.show();
        QVERIFY(!standalone.close());
        standalone.activated();
        QVERIFY(standalone.close());
    }
};

REMETIX_TEST(PreviewTest)
#include "PreviewTest.moc"
