#include "RegisterTestInstallation.h"

#include "framework/SelectionList.h"
#include "testsupport/TestMain.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTest>

class RegisterSelectionTest : public QObject
{
    Q_OBJECT
private slots:
    void listShowsColumnsAndGivesKeysOfTheChosenRows_data()
    {
        QTest::addColumn<bool>("several");
        QTest::addColumn<QVariantList>("keys");
        QTest::newRow("one") << false << QVariantList{3};
        QTest::newRow("several") << true << QVariantList{1, 3};
    }
    void listShowsColumnsAndGivesKeysOfTheChosenRows()
    {
        QFETCH(bool, several);
        QFETCH(QVariantList, keys);
        RegisterTestInstallation fx;
        QVERIFY(fx.start());
        fx.addCompany(1, QStringLiteral("UM"));
        fx.addCompany(2, QStringLiteral("DOIS"));
        fx.addCompany(3, QStringLiteral("TRES"));
        Table &t = fx.global->TbEmp;
        QVERIFY(t.locate(QStringLiteral("cod_emp"), {2}));
        {
            SelectionList list(QStringLiteral("Seleção de Empresas"), t, {QStringLiteral("cod_emp"), QStringLiteral("nom_emp")},
                               {QStringLiteral("Código"), QStringLiteral("Nome")}, several, QStringLiteral("cod_emp"));
            QCOMPARE(list.windowTitle(), QString::fromUtf8("Seleção de Empresas"));
            QTableView *view = list.view();
            QCOMPARE(view->model()->columnCount(), 2);
            QCOMPARE(view->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Nome"));
            QCOMPARE(view->model()->data(view->model()->index(2, 1)).toString(), QStringLiteral("TRES"));
            view->selectionModel()->clearSelection();
            view->selectRow(2);
            if (several)
                view->selectionModel()->select(view->model()->index(0, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
            QCOMPARE(list.chosenKeys(), keys);
            t.moveTo(0);
        }
        // The caller's table is back where it stood.
        QCOMPARE(t.asInt(QStringLiteral("cod_emp")), 2);
    }
};

REMETIX_TEST(RegisterSelectionTest)
#include "RegisterSelectionTest.moc"
