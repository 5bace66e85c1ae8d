#include "StorageFixture.h"

#include "storage/DbError.h"
#include "storage/Table.h"
#include "storage/TableFile.h"
#include "testsupport/TestMain.h"

#include <QTest>

#include <memory>

using Codes = QList<qlonglong>;

class TableCursorTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<StorageFixture> fx;

    std::unique_ptr<Table> openClients(const QString &index = QString())
    {
        auto table = std::make_unique<Table>();
        table->setDirectory(fx->dir());
        table->setTableName("tbcli");
        table->setIndexFieldNames(index);
        table->open();
        return table;
    }

    static Codes walk(Table &t)
    {
        Codes codes;
        for (t.first(); !t.eof(); t.next())
            codes << t.asInt("cod_cli");
        return codes;
    }

private slots:
    void init() { fx = std::make_unique<StorageFixture>(); }
    void cleanup() { fx.reset(); }

    void ordersByIndexFields()
    {
        auto t = openClients();
        QCOMPARE(walk(*t), (Codes{1, 2, 3, 4, 5, 6, 7})); // the primary index
        t->setIndexFieldNames("NOM_CLI");
        QCOMPARE(walk(*t), (Codes{3, 5, 6, 1, 2, 7, 4})); // upper case sorts before lower
        t->setIndexFieldNames("cid_cli;Nom_Cli");
        QCOMPARE(walk(*t), (Codes{1, 2, 7, 4, 5, 3, 6}));
        QCOMPARE(t->indexFieldNames(), QStringLiteral("cid_cli;Nom_Cli"));
        QVERIFY_THROWS_EXCEPTION(DbError, t->setIndexFieldNames("nao_existe"));

        QCOMPARE(t->indexDefs().size(), 2);
        QCOMPARE(t->indexDefs().at(1).fields, QStringList{"nom_cli"});
        TableDef def = StorageFixture::clientDef();
        def.indexes.append({"ind_cidade", {"cid_cli"}, false, false});
        TableFile::restructure(fx->dir(), "TbCli", def);
        t->updateIndexDefs();
        QCOMPARE(t->indexDefs().size(), 3);
    }

    void navigationAndBookmarks()
    {
        auto t = openClients("nom_cli");
        QVERIFY(t->bof());
        QCOMPARE(t->recordNumber(), 1);
        QCOMPARE(t->recordCount(), 7);
        t->prior();
        QVERIFY(t->bof());
        t->last();
        QVERIFY(t->eof());
        QCOMPARE(t->asInt("cod_cli"), 4);
        t->prior();
        QVERIFY(!t->eof() && !t->bof());
        QCOMPARE(t->recordNumber(), 6);
        const qint64 mark = t->bookmark();
        t->setIndexFieldNames("cod_cli"); // the cursor stays on its record
        QCOMPARE(t->asInt("cod_cli"), 7);
        t->first();
        QVERIFY(t->gotoBookmark(mark));
        QCOMPARE(t->asInt("cod_cli"), 7);
        QCOMPARE(t->recordNumber(), 7);
    }

    void locateOptions_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<bool>("caseInsensitive");
        QTest::addColumn<bool>("partial");
        QTest::addColumn<qlonglong>("found"); // 0 = not found

        QTest::newRow("exact") << "nom_cli" << QVariantList{"SILVEIRA ANA"} << false << false << 2LL;
        QTest::newRow("exact needs the whole value") << "nom_cli" << QVariantList{"SILVA"} << false << false << 0LL;
        QTest::newRow("partial, first in current order") << "nom_cli" << QVariantList{"SILV"} << false << true << 1LL;
        QTest::newRow("partial keeps case") << "nom_cli" << QVariantList{"silv"} << false << true << 4LL;
        QTest::newRow("case-insensitive exact") << "NOM_CLI" << QVariantList{"SILVA MARIA"} << true << false << 4LL;
        QTest::newRow("case-insensitive partial") << "nom_cli" << QVariantList{"abreu"} << true << true << 3LL;
        QTest::newRow("percent is no wildcard") << "nom_cli" << QVariantList{"COSTA 1%"} << true << true << 0LL;
        QTest::newRow("percent as text") << "nom_cli" << QVariantList{"COSTA 100%"} << false << true << 6LL;
        QTest::newRow("quote as text") << "nom_cli" << QVariantList{"BRAGA O'N"} << false << true << 5LL;
        QTest::newRow("two fields") << "cid_cli;est_cli" << QVariantList{"CURITIBA", "I"} << false << false << 7LL;
        QTest::newRow("number field") << "cod_cli" << QVariantList{"6"} << false << false << 6LL;
        QTest::newRow("letters in a number field") << "cod_cli" << QVariantList{"SIL"} << false << true << 0LL;
        QTest::newRow("date field") << "ani_cli" << QVariantList{QDate(1970, 7, 7)} << false << false << 5LL;
        QTest::newRow("empty matches empty") << "ROT_CLI" << QVariantList{""} << false << false << 4LL;
    }
    void locateOptions()
    {
        QFETCH(QString, fields);
        QFETCH(QVariantList, values);
        QFETCH(bool, caseInsensitive);
        QFETCH(bool, partial);
        QFETCH(qlonglong, found);
        auto t = openClients("nom_cli");
        t->last();
        const bool ok = t->locate(fields, values, {caseInsensitive, partial});
        QCOMPARE(ok, found != 0);
        QCOMPARE(t->asInt("cod_cli"), found ? found : 4); // a failed locate stays put
    }

    void locateHonoursTheFilter()
    {
        auto t = openClients("nom_cli");
        t->setFilter("cid_cli = 'CURITIBA'");
        t->setFiltered(true);
        QVERIFY(!t->locate("nom_cli", {"ABREU CARLOS"}));
        QVERIFY(t->locate("nom_cli", {"Z"}, {false, true}));
        QCOMPARE(t->recordNumber(), 3);
    }

    void findNearestOnTheIndex_data()
    {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<qlonglong>("code");
        QTest::newRow("equal") << "nom_cli" << QVariantList{"SILVA JOSE"} << 1LL;
        QTest::newRow("next after a prefix") << "nom_cli" << QVariantList{"SILVB"} << 2LL;
        QTest::newRow("past the end goes last") << "nom_cli" << QVariantList{"zzz"} << 4LL;
        QTest::newRow("empty is the start") << "nom_cli" << QVariantList{""} << 3LL;
        QTest::newRow("three fields") << "Uf_cli;cid_cli;end_cli" << QVariantList{"PR", "CURITIBA", "RUA D"} << 4LL;
        QTest::newRow("empty middle value") << "Uf_cli;cid_cli;end_cli" << QVariantList{"SP", "", "RUA"} << 6LL;
    }
    void findNearestOnTheIndex()
    {
        QFETCH(QString, index);
        QFETCH(QVariantList, values);
        QFETCH(qlonglong, code);
        auto t = openClients(index);
        t->findNearest(values);
        QCOMPARE(t->asInt("cod_cli"), code);
    }

    void filterExpressions_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<Codes>("codes");
        QTest::newRow("text") << "cid_cli = 'SAO PAULO'" << Codes{3, 6};
        QTest::newRow("names without case") << "CID_CLI = 'RIO'" << Codes{5};
        QTest::newRow("code list as the address search writes it") << "COD_CLI = (3)OR COD_CLI = (7)" << Codes{3, 7};
        QTest::newRow("and") << "cid_cli = 'CURITIBA' AND est_cli = 'I'" << Codes{7};
        QTest::newRow("or with and") << "est_cli = 'I' OR cid_cli = 'RIO' AND Uf_cli = 'RJ'" << Codes{3, 5, 7};
        QTest::newRow("parentheses") << "(est_cli = 'I' OR cid_cli = 'RIO') AND Uf_cli = 'SP'" << Codes{3};
        QTest::newRow("quote inside") << "nom_cli = 'BRAGA O''NEIL'" << Codes{5};
        QTest::newRow("text given as a number") << "ROT_CLI <> 'R1' AND cod_cli > 1" << Codes{2, 5, 7};
        QTest::newRow("empty value") << "ROT_CLI = ''" << Codes{4};
        QTest::newRow("date") << "ani_cli >= '01/01/1985'" << Codes{3, 4, 6};
        QTest::newRow("blank expression") << "  " << Codes{1, 2, 3, 4, 5, 6, 7};
    }
    void filterExpressions()
    {
        QFETCH(QString, expression);
        QFETCH(Codes, codes);
        auto t = openClients();
        t->setFilter(expression);
        QCOMPARE(walk(*t), (Codes{1, 2, 3, 4, 5, 6, 7})); // not applied until switched on
        t->setFiltered(true);
        QCOMPARE(walk(*t), codes);
        QCOMPARE(t->recordCount(), codes.size());
        t->setFiltered(false);
        QCOMPARE(t->recordCount(), 7);
    }

    void badFiltersNameTheExpression_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::newRow("unknown field") << "xyz_cli = 'A'";
        QTest::newRow("unclosed quote") << "cid_cli = 'RIO";
        QTest::newRow("missing value") << "cid_cli =";
        QTest::newRow("dangling or") << "cid_cli = 'RIO' OR";
        QTest::newRow("letters for a number") << "cod_cli = 'abc'";
        QTest::newRow("injection attempt") << "cid_cli = 'RIO'; DROP TABLE TbCli";
    }
    void badFiltersNameTheExpression()
    {
        QFETCH(QString, expression);
        auto t = openClients();
        t->setFilter(expression);
        try {
            t->setFiltered(true);
            QFAIL("no error");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(expression), qPrintable(error.message()));
        }
        QVERIFY(!t->filtered());
        QCOMPARE(t->recordCount(), 7);
    }

    void rangesOnTheIndex()
    {
        auto t = openClients("cid_cli;nom_cli");
        t->setRange({"CURITIBA"}, {"CURITIBA"});
        QCOMPARE(walk(*t), (Codes{1, 2, 7, 4}));
        t->setRange({"CURITIBA", "SILVEIRA"}, {"SAO PAULO", "ABREU CARLOS"});
        QCOMPARE(walk(*t), (Codes{2, 7, 4, 5, 3}));
        t->cancelRange();
        QCOMPARE(t->recordCount(), 7);
        t->setIndexFieldNames("cod_cli");
        t->setRange({2}, {4});
        QCOMPARE(walk(*t), (Codes{2, 3, 4}));
    }

    void typedValuesAndDisplayFormats()
    {
        auto t = openClients();
        QVERIFY(t->locate("cod_cli", {1}));
        QCOMPARE(t->asDate("ani_cli"), QDate(1980, 5, 10));
        QCOMPARE(t->asCurrency("lim_cli"), 1234.5);
        QCOMPARE(t->asString("nom_cli"), QStringLiteral("SILVA JOSE"));
        t->setDisplayFormat("lim_cli", "#,0.00");
        t->setDisplayFormat("ANI_CLI", "dd/mm/yyyy");
        t->setDisplayFormat("cod_cli", "000");
        QCOMPARE(t->displayText("lim_cli"), QStringLiteral("1.234,50"));
        QCOMPARE(t->displayText("ani_cli"), QStringLiteral("10/05/1980"));
        QCOMPARE(t->displayText("cod_cli"), QStringLiteral("001"));
        QVERIFY(t->locate("cod_cli", {4}));
        QVERIFY(t->isNull("lim_cli"));
        QCOMPARE(t->displayText("lim_cli"), QString());
        QCOMPARE(t->asString("ROT_CLI"), QString());
        QVERIFY_THROWS_EXCEPTION(DbError, t->value("nao_existe"));
    }

    void openingWhatIsNotATable()
    {
        Table t;
        t.setDirectory(fx->dir());
        t.setTableName("TbFalta");
        try {
            t.open();
            QFAIL("opened a missing table");
        } catch (const DbError &error) {
            QVERIFY(error.message().contains("TbFalta.db"));
        }
        QFile junk(fx->path("TbLixo.db"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(2048, 'j'));
        junk.close();
        t.setTableName("TbLixo");
        QVERIFY_THROWS_EXCEPTION(DbError, t.open());
        QVERIFY(!t.isOpen());
    }
};

REMETIX_TEST(TableCursorTest)
#include "TableCursorTest.moc"
