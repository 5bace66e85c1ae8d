#include "AppFixture.h"

#include "app/AppLifetime.h"
#include "app/UniApr.h"
#include "app/UniLiberar.h"
#include "app/UniPri.h"
#include "app/UniVerResult.h"
#include "framework/IntegrityChecker.h"
#include "framework/Session.h"
#include "testsupport/TestMain.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class StartTest : public QObject
{
    Q_OBJECT

private slots:
    void twoStartsWithoutExitShowTheFirstStartTime()
    {
        AppFixture f;
        {
            auto first = f.start();
            QVERIFY(first->openingWindow());
            QVERIFY(QFile::exists(f.markerPath()));
        }
        const QString firstStart = QStringLiteral("11/12/26 09:30:00");
        QCOMPARE(f.readMarker(), firstStart);

        f.clock.set(QDateTime(QDate(2026, 12, 12), QTime(8, 0, 0)));
        QString label;
        auto driver = ModalDriver::when<TForLiberar>([&](TForLiberar *d) {
            label = d->lb_encerrado->text();
            QTest::keyClick(d->Rd_Liberar->button(0), Qt::Key_Escape);
        });
        auto second = f.start();
        QVERIFY(driver->seen());
        QCOMPARE(label, QStringLiteral("O sistema não foi encerrado corretamente na sessão iniciada em ") + firstStart);
        QVERIFY(AppLifetime::endRequested());
        QVERIFY(!second->openingWindow());
        QCOMPARE(f.readMarker(), firstStart);
    }

    void liberarSkipsTheDialogAndRewritesTheMarker_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::newRow("lower case") << QStringLiteral("liberar");
        QTest::newRow("mixed case") << QStringLiteral("Liberar");
    }
    void liberarSkipsTheDialogAndRewritesTheMarker()
    {
        QFETCH(QString, argument);
        AppFixture f;
        f.start().reset();
        f.clock.set(QDateTime(QDate(2027, 1, 2), QTime(7, 5, 9)));
        auto driver = ModalDriver::when<QDialog>([](QDialog *d) { d->reject(); });
        auto entry = f.start({argument});
        QVERIFY(!driver->seen());
        QVERIFY(entry->openingWindow());
        QCOMPARE(f.readMarker(), QStringLiteral("02/01/27 07:05:09"));
        QCOMPARE(Session::values().IntegrityCheckMode, 1);
        QVERIFY(Session::values().LiberarSwitch);
    }

    void dialogChoices_data()
    {
        QTest::addColumn<int>("downs");
        QTest::addColumn<bool>("continues");
        QTest::addColumn<int>("mode");
        QTest::newRow("check and enter") << 0 << true << 1;
        QTest::newRow("check and leave") << 1 << true << 2;
        QTest::newRow("enter without check") << 2 << true << 0;
        QTest::newRow("end") << 3 << false << 0;
    }
    void dialogChoices()
    {
        QFETCH(int, downs);
        QFETCH(bool, continues);
        QFETCH(int, mode);
        AppFixture f;
        f.start().reset();
        int checkedAfterLetter = -1;
        auto driver = ModalDriver::when<TForLiberar>([&](TForLiberar *d) {
            QWidget *focus = d->Rd_Liberar->button(0);
            // Letters are swallowed, even the mnemonics of the choices.
            QTest::keyClick(focus, Qt::Key_E);
            QTest::keyClick(focus, Qt::Key_A);
            checkedAfterLetter = d->Rd_Liberar->checkedId();
            for (int i = 0; i < downs; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        auto entry = f.start();
        QVERIFY(driver->seen());
        QCOMPARE(checkedAfterLetter, 0);
        QCOMPARE(AppLifetime::endRequested(), !continues);
        QCOMPARE(bool(entry->openingWindow()), continues);
        if (continues)
            QCOMPARE(Session::values().IntegrityCheckMode, mode);
        QCOMPARE(f.readMarker(), QStringLiteral("11/12/26 09:30:00"));
    }

    void checkAndLeaveShowsTheReportThenEndsKeepingTheMarker()
    {
        AppFixture f;
        f.start().reset();
        auto choose = ModalDriver::when<TForLiberar>([](TForLiberar *d) {
            d->Rd_Liberar->button(1)->setChecked(true);
            d->BtOk->click();
        });
        auto entry = f.start();
        QVERIFY(choose->seen());
        QCOMPARE(Session::values().IntegrityCheckMode, 2);
        QVERIFY(!f.messages.texts().contains(QStringLiteral("A senha digitada está incorreta! Acesso negado.")));

        QFile report(IntegrityChecker::reportPath());
        QVERIFY(report.open(QIODevice::WriteOnly | QIODevice::Append));
        report.write("linha de teste\r\n");
        report.close();
        QString shown;
        auto result = ModalDriver::when<TForVerResult>([&](TForVerResult *w) {
            shown = w->Memo->toPlainText();
            w->BtSair->click();
        });
        AppFixture::login(*entry, QStringLiteral("MASTER"), QStringLiteral("ZELNOK"));
        QVERIFY(result->seen());
        QVERIFY(shown.contains(QStringLiteral("linha de teste")));
        QVERIFY(AppLifetime::endRequested());
        QVERIFY(!entry->mainWindow()->isVisible());
        QVERIFY(QFile::exists(f.markerPath()));
    }

    void resultWindowClearDeletesTheReport()
    {
        AppFixture f;
        Session::values().ExeDir = f.inst.exeDir();
        QFile report(IntegrityChecker::reportPath());
        QVERIFY(report.open(QIODevice::WriteOnly));
        report.write("primeira\nsegunda\n");
        report.close();
        TForVerResult window;
        window.show();
        QCOMPARE(window.Memo->toPlainText(), QStringLiteral("primeira\nsegunda"));
        window.BtLimpar->click();
        QVERIFY(!QFile::exists(IntegrityChecker::reportPath()));
        QVERIFY(window.Memo->toPlainText().isEmpty());
        Session::reset();
    }

    void markerThatCannotBeWrittenEndsBeforeTheOpeningWindow()
    {
        AppFixture f;
        QDir().mkpath(f.markerPath()); // a directory where the file should go
        auto entry = f.start();
        QVERIFY(!entry->openingWindow());
        QVERIFY(AppLifetime::endRequested());
        QCOMPARE(AppLifetime::exitCode(), 1);
        QVERIFY(f.messages.lastText().startsWith(QStringLiteral("Impossível criar arquivo de log de sessão:\r\n")));
        QVERIFY(f.messages.lastText().endsWith(QStringLiteral("\r\nAplicação será encerrada.")));
        QCOMPARE(f.messages.shown().last().icon, MsgIcon::Error);
    }
};

REMETIX_TEST(StartTest)
#include "StartTest.moc"
