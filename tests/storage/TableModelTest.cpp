#include "StorageFixture.h"

#include "storage/Table.h"
#include "storage/TableModel.h"
#include "testsupport/TestMain.h"

#include <QSignalSpy>
#include <QTest>

class TableModelTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheCursorsViewAndFollowsIt()
    {
        StorageFixture fx;
        Table t;
        t.setDirectory(fx.dir());
        t.setTableName("TbCli");
        t.setIndexFieldNames("nom_cli");
        t.open();
        t.setDisplayFormat("lim_cli", "#,0.00");
        TableModel model(&t);
        model.setColumns({"cod_cli", "nom_cli", "lim_cli"}, {QString::fromUtf8("Código"), "Nome"});
        QCOMPARE(model.rowCount(), 7);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Código"));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("lim_cli"));
        QCOMPARE(model.orderColumn(), 1);
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("ABREU CARLOS"));
        QCOMPARE(model.data(model.index(3, 2)).toString(), QStringLiteral("1.234,50"));
        QCOMPARE(model.data(model.index(6, 0), Qt::EditRole), QVariant(qlonglong(4)));

        QSignalSpy current(&model, &TableModel::currentRowChanged);
        QSignalSpy order(&model, &TableModel::orderColumnChanged);
        t.locate("cod_cli", {7});
        QCOMPARE(current.last().at(0).toInt(), 5);
        QCOMPARE(model.currentRow(), 5);
        t.setIndexFieldNames("cod_cli");
        QCOMPARE(order.last().at(0).toInt(), 0);
        QCOMPARE(model.currentRow(), 6);
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("SILVA JOSE"));

        t.setFilter("cid_cli = 'CURITIBA'");
        t.setFiltered(true);
        QCOMPARE(model.rowCount(), 4);
        t.setIndexFieldNames("cid_cli");
        QCOMPARE(model.orderColumn(), -1);
        t.close();
        QCOMPARE(model.rowCount(), 0);
    }
};

REMETIX_TEST(TableModelTest)
#include "TableModelTest.moc"
