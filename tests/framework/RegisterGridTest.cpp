#include "RegisterTestInstallation.h"

#include "framework/RegisterGrid.h"
#include "storage/TableModel.h"
#include "testsupport/TestMain.h"

#include <QHeaderView>
#include <QMenu>
#include <QTest>

class RegisterGridTest : public QObject
{
    Q_OBJECT
private slots:
    void titleClickOrdersOnlyByIndexedColumns()
    {
        RegisterTestInstallation fx;
        QVERIFY(fx.start());
        fx.addCompany(1, QStringLiteral("ZETA"), QStringLiteral("RECIFE"));
        fx.addCompany(2, QStringLiteral("ALFA"), QStringLiteral("NATAL"));
        Table &t = fx.global->TbEmp;
        t.setIndexFieldNames(QStringLiteral("cod_emp"));
        RegisterGrid grid;
        grid.setTable(&t, {QStringLiteral("cod_emp"), QStringLiteral("nom_emp"), QStringLiteral("uf_emp")},
                      {QStringLiteral("Código"), QStringLiteral("Nome"), QStringLiteral("UF")});
        const auto bold = [&](int column) {
            return grid.model()->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
        };
        QVERIFY(bold(0));
        QVERIFY(!bold(1));
        QVERIFY(grid.orderByColumn(1));
        QCOMPARE(t.indexFieldNames(), QStringLiteral("nom_emp"));
        t.first();
        QCOMPARE(t.asString(QStringLiteral("nom_emp")), QStringLiteral("ALFA"));
        QVERIFY(bold(1));
        QVERIFY(!bold(0));
        // No index on the state: the order stays.
        QVERIFY(!grid.orderByColumn(2));
        QCOMPARE(t.indexFieldNames(), QStringLiteral("nom_emp"));
        emit grid.horizontalHeader()->sectionClicked(0);
        QCOMPARE(t.indexFieldNames(), QStringLiteral("cod_emp"));
    }

    void indexMenuListsTheDictionaryDescriptions()
    {
        RegisterTestInstallation fx;
        QVERIFY(fx.start());
        Table &t = fx.global->TbEmp;
        RegisterGrid grid;
        grid.setTable(&t, {QStringLiteral("cod_emp"), QStringLiteral("nom_emp")}, {});
        grid.fillIndexMenu(fx.global->Dictionary, QStringLiteral("TBEMP"));
        QStringList items;
        QAction *byCity = nullptr;
        for (QAction *a : grid.indexMenu()->actions()) {
            items << a->text();
            if (a->text() == QStringLiteral("Índice por Cidade"))
                byCity = a;
        }
        QCOMPARE(items.first(), QStringLiteral("Ordenar por:"));
        QVERIFY2(items.contains(QStringLiteral("Índice por Nome")), qPrintable(items.join(QLatin1Char('|'))));
        QVERIFY(items.contains(QStringLiteral("Índice por Código")));
        QVERIFY(byCity);
        byCity->trigger();
        QCOMPARE(t.indexFieldNames(), QStringLiteral("cid_emp"));
    }
};

REMETIX_TEST(RegisterGridTest)
#include "RegisterGridTest.moc"
