#include "StorageFixture.h"

#include "storage/DbError.h"
#include "storage/Query.h"
#include "storage/Table.h"
#include "storage/TableFile.h"
#include "testsupport/TestMain.h"

#include <QFile>
#include <QTest>

#include <memory>

using Codes = QList<qlonglong>;

class QueryTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<StorageFixture> fx;

    static const char *labelHead()
    {
        return "Select D.cod_cli, D.nom_cli, D.end_cli,\n"
               "       D.num_cli, D.com_cli, D.cid_cli,\n"
               "       D.Uf_cli,  D.cep_cli, d.con_cli,\n"
               "       D.bai_cli, d1.* \n"
               "From \"TbCli2.db\" d1 RIGHT JOIN \"TbCli.db\" D\n"
               "     ON d1.Cod_cli = d.Cod_cli\n"
               "Where ( d.cod_cli > 0 ) \n";
    }

    static Codes codes(Query &q, const char *column = "cod_cli")
    {
        Codes found;
        for (q.first(); !q.eof(); q.next())
            found << q.value(QString::fromLatin1(column)).toLongLong();
        return found;
    }

private slots:
    void init()
    {
        fx = std::make_unique<StorageFixture>();
        // The label query names columns the fixture's client table lacks.
        TableDef def = StorageFixture::clientDef();
        def.fields << FieldDef{"num_cli", FieldKind::Text, 10} << FieldDef{"com_cli", FieldKind::Text, 20}
                   << FieldDef{"con_cli", FieldKind::Text, 40} << FieldDef{"Sit_cli", FieldKind::Text, 1};
        TableFile::restructure(fx->dir(), "TbCli", def);
    }
    void cleanup() { fx.reset(); }

    void indexDescriptionsQuery()
    {
        Query q;
        q.setDirectory(fx->dir());
        q.setSql("SELECT Cabec.Tab_Str, Detal.Cam_Str, Detal.Des_Str\n"
                 "FROM \"TbStr.db\" Cabec left join \"TbStrD.db\" Detal ON Cabec.Tab_Str = Detal.Tab_Str\n"
                 "WHERE ( Detal.Tip_Str = \"I\") and\n"
                 "      ( Cabec.Apl_Str = \"REMETIX\" OR Apl_Str = \"GENERICO\" )\n"
                 "ORDER BY Tab_Str");
        q.open();
        const QList<QVariantList> rows = q.rows();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(0).at(0).toString(), QStringLiteral("TBCLI"));
        QCOMPARE(rows.at(2), (QVariantList{"TBEMP", "COD_EMP", QString::fromUtf8("Índice por Código")}));
        QStringList cams{rows.at(0).at(1).toString(), rows.at(1).at(1).toString()};
        cams.sort();
        QCOMPARE(cams, (QStringList{"COD_CLI", "NOM_CLI"}));
    }

    void labelSelection_data()
    {
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QVariantMap>("params");
        QTest::addColumn<QString>("order");
        QTest::addColumn<Codes>("expected");

        QTest::newRow("everyone by name") << "" << QVariantMap{} << "Order by d.nom_cli" << Codes{3, 5, 6, 1, 2, 7, 4};
        QTest::newRow("name prefix as typed") << " and ( SubString(d.nom_cli from 1 for 4)= :Cliente )\n"
                                              << QVariantMap{{"Cliente", "SILV"}} << "Order by d.cod_cli" << Codes{1, 2};
        QTest::newRow("city, state and code range")
            << "and d.cid_cli= :Cidade\nand d.Uf_cli=:Uf\nand d.cod_cli >= :cod_inicial and d.cod_cli <= :cod_final\n"
            << QVariantMap{{"Cidade", "CURITIBA"}, {"UF", "PR"}, {"Cod_inicial", 2}, {"Cod_final", 7}} << "Order by d.nom_cli" << Codes{2, 7, 4};
        QTest::newRow("birth day 10 to 20 of any month")
            << "and extract(day from d.ani_cli)>=:DiaAni1 \nand extract(day from d.ani_cli)<=:DiaAni2 \n"
            << QVariantMap{{"DiaAni1", 10}, {"DiaAni2", 20}} << "Order by d.cod_cli" << Codes{1, 2, 3, 4};
        QTest::newRow("birth month and year")
            << "and extract(year from d.ani_cli)>=:AnoAni1 \nand extract(year from d.ani_cli)<=:AnoAni2 \n"
               "and extract(month from ani_cli)>=:MesAni1 \nand extract(month from ani_cli)<=:MesAni2 \n"
            << QVariantMap{{"AnoAni1", 1975}, {"AnoAni2", 2001}, {"MesAni1", 5}, {"MesAni2", 5}} << "Order by d.cod_cli" << Codes{1, 3, 6};
        QTest::newRow("full dates") << "and (d.ani_cli >=:Data1) \nand (d.ani_cli <=:Data2) \n"
                                    << QVariantMap{{"Data1", QDate(1980, 1, 1)}, {"Data2", QDate(1990, 5, 20)}} << "Order by d.cod_cli"
                                    << Codes{1, 3, 4};
        QTest::newRow("postal code and district") << "and d.Cep_cli= :CEP\nand d.Bai_Cli=:Bairro\n"
                                                  << QVariantMap{{"CEP", "80000-000"}, {"Bairro", "CENTRO"}} << "Order by d.cod_cli" << Codes{1, 4};
        QTest::newRow("extra field of the second table") << "and d1.C01_cli = :Filtro1\n" << QVariantMap{{"Filtro1", "VIP"}}
                                                         << "Order by d.cod_cli" << Codes{1, 3};
        QTest::newRow("date and path texts are no tables") << "and (d.ani_cli >= \"1990-01-01\" or d.end_cli = \"C:\\X\\TBCLI.DB\")\n"
                                                           << QVariantMap{} << "Order by d.cod_cli" << Codes{3, 6};
        QTest::newRow("route embedded in double quotes") << "AND (ROT_CLI = \"R1\")\n" << QVariantMap{} << "Order by d.cod_cli" << Codes{1, 3, 6};
        QTest::newRow("chosen clients") << " AND ( d.COD_CLI IN( \n3, \n7, \n9)\n)\n" << QVariantMap{} << "Order by d.nom_cli" << Codes{3, 7};
        QTest::newRow("quotes and percent only as values") << " and ( SubString(d.nom_cli from 1 for 8)= :Cliente )\n"
                                                           << QVariantMap{{"Cliente", "BRAGA O'"}} << "Order by d.cod_cli" << Codes{5};
    }
    void labelSelection()
    {
        QFETCH(QString, conditions);
        QFETCH(QVariantMap, params);
        QFETCH(QString, order);
        QFETCH(Codes, expected);
        Query q;
        q.setDirectory(fx->dir());
        const QString sql = QString::fromLatin1(labelHead()) + conditions + order;
        q.setSql(sql);
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            q.bindValue(it.key(), it.value());
        q.open();
        QCOMPARE(codes(q), expected);
        QCOMPARE(q.recordCount(), expected.size());
        QCOMPARE(q.originalSql(), sql);
    }

    void labelRowsCarryBothTables()
    {
        Query q;
        q.setDirectory(fx->dir());
        q.setSql(QString::fromLatin1(labelHead()) + "Order by d.cod_cli");
        q.open();
        QCOMPARE(q.value("nom_cli").toString(), QStringLiteral("SILVA JOSE"));
        QCOMPARE(q.value("C01_cli").toString(), QStringLiteral("VIP"));
        q.next();
        q.next();
        q.next(); // client 4 has no extra record: the right join keeps it
        QCOMPARE(q.value("cod_cli").toLongLong(), 4);
        QVERIFY(q.value("C01_cli").isNull());
    }

    void addressSearchWithLike()
    {
        Query q;
        q.setDirectory(fx->dir());
        q.setSql("SELECT C.* \nFROM \"" + fx->dir() + "\\TBCLI.db\" C \nWHERE C.end_cli LIKE \"%XV%\"\nORDER BY C.end_cli ");
        q.open();
        QCOMPARE(codes(q), (Codes{2, 1}));
        QCOMPARE(q.columnNames().size(), 16);
        q.first();
        QCOMPARE(q.value("ani_cli"), QVariant(QDate(1975, 12, 15))); // dates come back as dates
        q.setSql("SELECT C.* FROM \"TbCli.db\" C WHERE C.nom_cli LIKE '%''%' ORDER BY C.nom_cli");
        q.open();
        QCOMPARE(codes(q), (Codes{5}));
        q.setSql("SELECT C.* FROM \"TbCli.db\" C WHERE C.nom_cli LIKE \"%silva%\"");
        q.open();
        QCOMPARE(codes(q), (Codes{4})); // capitals and small letters differ, as they did
    }

    void updateAndLogicalFlags()
    {
        Query q;
        q.setDirectory(fx->dir());
        q.setSql("UPDATE TbCli SET ASS_OPR = 0");
        QCOMPARE(q.execSql(), 7);
        Table t;
        t.setDirectory(fx->dir());
        t.setTableName("TbCli");
        t.open();
        QVERIFY(t.locate("cod_cli", {1}));
        QCOMPARE(t.asInt("ass_opr"), 0);

        q.setSql("INSERT INTO TbMod (cod_mod, des_mod, RX_mod) VALUES (\"CAD_OPR\", \"Operadores\", 1)");
        QCOMPARE(q.execSql(), 1);
        q.setSql("SELECT m.cod_mod, c.nom_cli FROM TbMod m, \"TbCli.db\" c WHERE c.cod_cli = 1 AND m.des_mod = \"Operadores\"");
        q.open();
        QCOMPARE(q.rows(), (QList<QVariantList>{{"CAD_OPR", "SILVA JOSE"}}));

        q.setSql("SELECT COD_MOD, DES_MOD FROM TBMOD\nWHERE RX_mod = \"TRUE\"\nORDER BY DES_MOD");
        q.open();
        QCOMPARE(q.rows(), (QList<QVariantList>{{"CAD_CLI", "Clientes"}, {"CAD_EMP", "Empresas"}, {"CAD_ETQ", "Etiquetas"}, {"CAD_OPR", "Operadores"}}));
        q.setSql("SELECT COD_MOD FROM TBMOD WHERE ST_mod = \"FALSE\" ORDER BY COD_MOD");
        q.open();
        QCOMPARE(q.rows(), (QList<QVariantList>{{"CAD_EMP"}, {"CAD_ETQ"}})); // CAD_OPR's flag is empty
    }

    void errorsCarryTheEngineMessage_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("syntax") << "SELECT cod_cli FORM \"TbCli.db\"" << "syntax error";
        QTest::newRow("missing table file") << "SELECT * FROM \"TbNada.db\"" << "TbNada.db";
        QTest::newRow("missing bare table") << "SELECT * FROM TBNADA" << "TBNADA";
        QTest::newRow("missing column") << "SELECT xyz FROM TbCli" << "xyz";
        QTest::newRow("unbound parameter") << "SELECT * FROM TbCli WHERE cod_cli = :Codigo" << "Codigo";
    }
    void errorsCarryTheEngineMessage()
    {
        QFETCH(QString, sql);
        QFETCH(QString, mentions);
        Query q;
        q.setDirectory(fx->dir());
        q.setSql(sql);
        try {
            q.open();
            QFAIL("no error");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains(mentions), qPrintable(error.message()));
            QVERIFY(error.message().contains(sql));
        }
        QVERIFY(!q.isOpen());
        QCOMPARE(q.originalSql(), sql);
        QVERIFY(!QFile::exists(fx->path("TbNada.db")));
    }
};

REMETIX_TEST(QueryTest)
#include "QueryTest.moc"
