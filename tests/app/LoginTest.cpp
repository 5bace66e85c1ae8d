#include "AppFixture.h"

#include "app/AppLifetime.h"
#include "app/UniApr.h"
#include "app/UniPri.h"
#include "framework/KeyHook.h"
#include "framework/Session.h"
#include "testsupport/TestMain.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString kWrong = QStringLiteral("A senha digitada está incorreta! Acesso negado.");
}

class LoginTest : public QObject
{
    Q_OBJECT

private slots:
    void lowerCasePasswordEntersAndFillsTheSession()
    {
        AppFixture f;
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QStringLiteral("N")}});
        auto entry = f.start();
        TForApr *apr = entry->openingWindow();
        QVERIFY(apr && apr->Barra_Senha->isVisible());
        QCOMPARE(apr->Ed_Nome->currentText(), QStringLiteral("MASTER"));
        QTest::keyClicks(apr->Ed_Senha, QStringLiteral("zelnok"));
        QCOMPARE(apr->Ed_Senha->text(), QStringLiteral("ZELNOK"));
        QTest::keyClick(apr->Ed_Senha, Qt::Key_Return);
        const SessionValues &s = Session::values();
        QCOMPARE(s.OperatorName, QStringLiteral("MASTER"));
        QCOMPARE(s.OperatorCode, 1);
        QCOMPARE(s.OperatorLevel, 0);
        QVERIFY(entry->mainWindow()->isVisible());
        QTRY_VERIFY(!entry->openingWindow());
        QVERIFY(f.presenceExists(1));
        QVERIFY(!AppLifetime::endRequested());
    }

    void computerUserIsPreselectedWhateverItsPlaceInTheTable()
    {
        AppFixture f;
        f.addOperator(7, QStringLiteral("ZULMIRA"), QStringLiteral("X"), 1);
        f.addOperator(3, QStringLiteral("ANTONIO"), QStringLiteral("X"), 1);
        qputenv("USER", "zulmira");
        auto entry = f.start();
        QCOMPARE(entry->openingWindow()->Ed_Nome->itemText(0), QStringLiteral("ANTONIO"));
        QCOMPARE(entry->openingWindow()->Ed_Nome->currentText(), QStringLiteral("ZULMIRA"));
    }

    void threeWrongPasswordsEndTheProgramAndDeleteTheMarker()
    {
        AppFixture f;
        auto entry = f.start();
        for (int attempt = 1; attempt <= 2; ++attempt) {
            AppFixture::login(*entry, QStringLiteral("MASTER"), QStringLiteral("ERRADA"));
            QCOMPARE(f.messages.lastText(), kWrong);
            QVERIFY(!AppLifetime::endRequested());
            QVERIFY(entry->openingWindow()->Ed_Senha->text().isEmpty());
        }
        QVERIFY(QFile::exists(f.markerPath()));
        AppFixture::login(*entry, QStringLiteral("MASTER"), QStringLiteral("ERRADA"));
        QCOMPARE(f.messages.texts().count(kWrong), 3);
        QVERIFY(AppLifetime::endRequested());
        QVERIFY(!QFile::exists(f.markerPath()));
        QVERIFY(!entry->mainWindow()->isVisible());
    }

    void operatorHeldByAnotherProcessIsRefused()
    {
        AppFixture f;
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QStringLiteral("N")}});
        QProcess peer;
        peer.start(binaryPath(QStringLiteral("app_peer")), {QStringLiteral("presence"), f.inst.tabelasDir(), QStringLiteral("1")});
        QVERIFY(peer.waitForReadyRead(10000));
        QCOMPARE(peer.readLine().trimmed(), QByteArray("held"));

        auto entry = f.start();
        TForApr *apr = entry->openingWindow();
        AppFixture::login(*entry, QStringLiteral("MASTER"), QStringLiteral("ZELNOK"));
        QCOMPARE(f.messages.lastText(), QStringLiteral("Operador já está logado! Acesso negado."));
        QCOMPARE(f.messages.shown().last().icon, MsgIcon::Information);
        QVERIFY(apr->isVisible());
        QVERIFY(apr->Ed_Senha->text().isEmpty());
        QVERIFY(!entry->mainWindow()->isVisible());

        // Once the other process is gone, its lock goes with it.
        peer.closeWriteChannel();
        QVERIFY(peer.waitForFinished(10000));
        AppFixture::login(*entry, QStringLiteral("MASTER"), QStringLiteral("ZELNOK"));
        QVERIFY(entry->mainWindow()->isVisible());
    }

    void markerFilesRefuseEntryWithExitCodeOne_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("backup") << QStringLiteral("trava.bkp") << QStringLiteral("Arquivos Padrões em processo de Backup! Acesso negado.");
        QTest::newRow("web") << QStringLiteral("Web.Ctr") << QStringLiteral("Arquivos em processo de envio para web! Acesso negado.");
        QTest::newRow("update") << QStringLiteral("AtualProd.Ctr")
                                << QStringLiteral("Arquivos em processo de Atualização de Produtos! Acesso negado.");
    }
    void markerFilesRefuseEntryWithExitCodeOne()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        AppFixture f;
        auto entry = f.start();
        QFile marker(f.inst.tabelasDir() + file);
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        AppFixture::login(*entry, QStringLiteral("MASTER"), QStringLiteral("ZELNOK"));
        QCOMPARE(f.messages.lastText(), message);
        QCOMPARE(f.messages.shown().last().icon, MsgIcon::Information);
        QVERIFY(AppLifetime::endRequested());
        QCOMPARE(AppLifetime::exitCode(), 1);
        QVERIFY(Session::values().OperatorName.isEmpty());
        QVERIFY(!f.presenceExists(1));
    }

    void cancelDeletesTheMarkerUnlessACheckIsPending_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("markerKept");
        QTest::addColumn<int>("questions");
        QTest::newRow("no check") << QStringList() << int(MsgAnswer::Yes) << true << false << 0;
        QTest::newRow("check pending, yes") << QStringList{QStringLiteral("LIBERAR")} << int(MsgAnswer::Yes) << true << true << 1;
        QTest::newRow("check pending, no") << QStringList{QStringLiteral("LIBERAR")} << int(MsgAnswer::No) << false << true << 1;
    }
    void cancelDeletesTheMarkerUnlessACheckIsPending()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        QFETCH(bool, markerKept);
        QFETCH(int, questions);
        AppFixture f;
        auto entry = f.start(arguments);
        f.messages.clear();
        f.messages.answer(MsgAnswer(answer));
        QTest::keyClick(entry->openingWindow()->Ed_Nome, Qt::Key_Escape);
        int asked = 0;
        for (const MessageRequest &r : f.messages.shown())
            asked += r.text.startsWith(QStringLiteral("VERIFICAÇÃO DE INTEGRIDADE INCOMPLETA\r\n")) ? 1 : 0;
        QCOMPARE(asked, questions);
        QCOMPARE(AppLifetime::endRequested(), ends);
        QCOMPARE(QFile::exists(f.markerPath()), markerKept);
    }

    void functionKeysAreSwallowedWhileTheOpeningWindowStands()
    {
        AppFixture f;
        auto entry = f.start();
        TForApr *apr = entry->openingWindow();
        QAction help(apr);
        help.setShortcut(Qt::Key_F1);
        help.setShortcutContext(Qt::ApplicationShortcut);
        apr->addAction(&help);
        QSignalSpy triggered(&help, &QAction::triggered);
        QVERIFY(KeyHook::active());
        QTest::keyClick(apr->Ed_Senha, Qt::Key_F1);
        QTest::keyClick(apr->Ed_Senha, Qt::Key_F12);
        QCOMPARE(triggered.count(), 0);
        // The same key with the filter gone reaches the shortcut: the test
        // would see it.
        KeyHook::remove();
        QTest::keyClick(apr->Ed_Senha, Qt::Key_F1);
        QCOMPARE(triggered.count(), 1);
    }
};

REMETIX_TEST(LoginTest)
#include "LoginTest.moc"
