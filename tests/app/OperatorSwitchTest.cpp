#include "AppFixture.h"

#include "app/AppLifetime.h"
#include "app/UniPri.h"
#include "app/UniSen.h"
#include "framework/Session.h"
#include "storage/Table.h"
#include "testsupport/TestMain.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace {

TForSen *openSwitch(TForPri *main)
{
    auto *window = new TForSen;
    if (window->refused()) {
        delete window;
        return nullptr;
    }
    main->area()->addSubWindow(window)->show();
    return window;
}

int storedCompany(const AppFixture &f, const QString &name)
{
    Table t;
    t.setDirectory(f.inst.tabelasDir());
    t.setTableName(QStringLiteral("TbOpr"));
    t.open();
    t.locate(QStringLiteral("nom_opr"), {name});
    return int(t.asInt(QStringLiteral("emp_opr")));
}

} // namespace

class OperatorSwitchTest : public QObject
{
    Q_OBJECT

private slots:
    void anotherOperatorTakesOverTheSession()
    {
        AppFixture f;
        f.addCompany(1, QStringLiteral("EMPRESA UM"));
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("emp_opr"), 1}, {QStringLiteral("frs_opr"), QStringLiteral("N")}});
        f.addOperator(2, QStringLiteral("BEATRIZ"), QStringLiteral("BB"), 2);
        qputenv("USER", "beatriz");
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        TForSen *sen = openSwitch(main);
        QVERIFY(sen);
        QCOMPARE(sen->Ed_Nome->currentText(), QStringLiteral("BEATRIZ"));

        QTest::keyClicks(sen->Ed_senha, QStringLiteral("xx"));
        QTest::keyClick(sen->Ed_senha, Qt::Key_Return);
        QCOMPARE(f.messages.lastText(), QStringLiteral("Senha Inválida!"));
        QCOMPARE(Session::values().OperatorName, QStringLiteral("MASTER"));

        QTest::keyClicks(sen->Ed_senha, QStringLiteral("bb"));
        QTest::keyClick(sen->Ed_senha, Qt::Key_PageDown);
        const SessionValues &s = Session::values();
        QCOMPARE(s.OperatorName, QStringLiteral("BEATRIZ"));
        QCOMPARE(s.OperatorCode, 2);
        QCOMPARE(s.OperatorLevel, 2);
        QCOMPARE(main->panel(2)->text(), QStringLiteral("BEATRIZ"));
        QVERIFY(!main->action(QStringLiteral("NivArq"))->isEnabled());
        QCOMPARE(storedCompany(f, QStringLiteral("BEATRIZ")), 1);
        QVERIFY(f.presenceExists(2));
        QTRY_VERIFY(main->area()->subWindowList().isEmpty());
    }

    void operatorHeldElsewhereCannotTakeOver()
    {
        AppFixture f;
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QStringLiteral("N")}});
        f.addOperator(2, QStringLiteral("BEATRIZ"), QStringLiteral("BB"), 2);
        QProcess peer;
        peer.start(binaryPath(QStringLiteral("app_peer")), {QStringLiteral("presence"), f.inst.tabelasDir(), QStringLiteral("2")});
        QVERIFY(peer.waitForReadyRead(10000));
        auto entry = f.loggedIn();
        TForSen *sen = openSwitch(entry->mainWindow());
        sen->Ed_Nome->setCurrentIndex(sen->Ed_Nome->findText(QStringLiteral("BEATRIZ")));
        sen->Ed_senha->setText(QStringLiteral("BB"));
        sen->BtSen1->click();
        QCOMPARE(f.messages.lastText(), QStringLiteral("Operador já está logado! Acesso negado."));
        QCOMPARE(Session::values().OperatorName, QStringLiteral("MASTER"));
        peer.closeWriteChannel();
        QVERIFY(peer.waitForFinished(10000));
    }

    void runningBackupOfTheGlobalFilesEndsTheProgram()
    {
        AppFixture f;
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QStringLiteral("N")}});
        auto entry = f.loggedIn();
        QFile marker(f.inst.tabelasDir() + QStringLiteral("trava.bkp"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QVERIFY(!openSwitch(entry->mainWindow()));
        QCOMPARE(f.messages.lastText(), QStringLiteral("Atenção. Está sendo processado backup dos arquivos padrões. Acesso negado!"));
        QVERIFY(AppLifetime::endRequested());
        QCOMPARE(AppLifetime::exitCode(), 1);
    }
};

REMETIX_TEST(OperatorSwitchTest)
#include "OperatorSwitchTest.moc"
