#include "AppFixture.h"

#include "access/UniDireito.h"
#include "access/UniPer.h"
#include "app/UniPri.h"
#include "framework/ModuleRights.h"
#include "framework/Session.h"
#include "testsupport/TestMain.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

namespace {

// Logged in as JOSE, level 5, whose level holds no right at all.
std::unique_ptr<ProgramEntry> asLevelFive(AppFixture &f)
{
    f.addOperator(2, QStringLiteral("JOSE"), QStringLiteral("JJ"), 5);
    f.addOperator(3, QStringLiteral("PEDRO"), QStringLiteral("PP"), 4);
    f.addOperator(4, QStringLiteral("CLARA"), QStringLiteral("CC"), 3);
    f.addLevel(3, QStringLiteral("CAD_CLI"), QStringLiteral("NNNS"));
    f.addLevel(4, QStringLiteral("CAD_EMP"), QStringLiteral("SSSS"));
    auto entry = f.start();
    AppFixture::login(*entry, QStringLiteral("JOSE"), QStringLiteral("JJ"));
    return entry;
}

} // namespace

class AccessWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void overrideGrantsOrRefuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<QString>("message");
        QTest::newRow("level 0, lower case") << QStringLiteral("MASTER") << QStringLiteral("zelnok") << true << QString();
        QTest::newRow("level with the right") << QStringLiteral("CLARA") << QStringLiteral("CC") << true << QString();
        QTest::newRow("level without the module")
            << QStringLiteral("PEDRO") << QStringLiteral("PP") << false << QStringLiteral("Acesso não permitido para este nível de senha!");
        QTest::newRow("wrong password") << QStringLiteral("MASTER") << QStringLiteral("X") << false << QStringLiteral("Senha Inválida!");
    }
    void overrideGrantsOrRefuses()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(bool, granted);
        QFETCH(QString, message);
        AppFixture f;
        auto entry = asLevelFive(f);
        QCOMPARE(Session::values().OperatorLevel, 5);
        f.messages.clear();
        bool stayedOpen = false;
        auto driver = ModalDriver::when<TForDireito>([&](TForDireito *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Liberação de Acesso"));
            d->Ed_Nome->setCurrentIndex(d->Ed_Nome->findText(name));
            QTest::keyClicks(d->Ed_senha, typed);
            QTest::keyClick(d->Ed_senha, Qt::Key_Return);
            stayedOpen = d->isVisible();
            if (stayedOpen)
                QTest::keyClick(d->Ed_senha, Qt::Key_Escape);
        });
        QCOMPARE(ModuleRights::moduleRight(4, QStringLiteral("CAD_CLI")), granted);
        QVERIFY(driver->seen());
        QCOMPARE(stayedOpen, !granted);
        QCOMPARE(f.messages.lastText(), message);
    }

    void overrideIsAskedAgainForTheNextAction()
    {
        AppFixture f;
        auto entry = asLevelFive(f);
        int asked = 0;
        auto first = ModalDriver::when<TForDireito>([&](TForDireito *d) {
            ++asked;
            d->Ed_Nome->setCurrentIndex(d->Ed_Nome->findText(QStringLiteral("MASTER")));
            d->Ed_senha->setText(QStringLiteral("ZELNOK"));
            d->BtSen1->click();
        });
        QVERIFY(ModuleRights::moduleRight(1, QStringLiteral("CAD_EMP")));
        first.reset();
        auto second = ModalDriver::when<TForDireito>([&](TForDireito *d) {
            ++asked;
            d->BtSen2->click();
        });
        QVERIFY(!ModuleRights::moduleRight(1, QStringLiteral("CAD_EMP")));
        QCOMPARE(asked, 2);
    }

    void calendarWalksMonthsAndYears()
    {
        AppFixture f;
        f.clock.set(QDateTime(QDate(2008, 12, 15), QTime(10, 0)));
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QStringLiteral("N")}});
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        main->action(QStringLiteral("Cld_Arq"))->trigger();
        auto *per = qobject_cast<TForPer *>(main->area()->subWindowList().first()->widget());
        QVERIFY(per);
        QCOMPARE(per->windowTitle(), QStringLiteral("Calendário"));
        QCOMPARE(per->year() * 100 + per->month(), 200812);
        QWidget *keys = per->Calendario->focusProxy() ? per->Calendario->focusProxy() : per->Calendario;
        const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Down, 200901}, {Qt::Key_Up, 200812},  {Qt::Key_Right, 200901},
                                                 {Qt::Key_Left, 200812}, {Qt::Key_PageDown, 200912}, {Qt::Key_PageUp, 200812}};
        for (const auto &[key, shown] : steps) {
            QTest::keyClick(keys, key);
            QCOMPARE(per->year() * 100 + per->month(), shown);
        }
        // Opening it again brings the same window forward.
        main->action(QStringLiteral("Cld_Arq"))->trigger();
        QCOMPARE(main->area()->subWindowList().size(), 1);
        per->BtSair->click();
        QTRY_VERIFY(main->area()->subWindowList().isEmpty());
    }
};

REMETIX_TEST(AccessWindowsTest)
#include "AccessWindowsTest.moc"
