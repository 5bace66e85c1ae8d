#include "StorageFixture.h"

#include "storage/DbError.h"
#include "storage/Table.h"
#include "storage/TableFile.h"
#include "testsupport/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TableFileTest : public QObject
{
    Q_OBJECT

    static QStringList entries(const QString &dir)
    {
        return QDir(dir).entryList(QDir::Files, QDir::Name);
    }

private slots:
    void definitionReadsBackFromTheFile()
    {
        StorageFixture fx;
        TableDef def;
        def.fields = {{"cod", FieldKind::AutoInc}, {"nome", FieldKind::Text, 60}, {"valor", FieldKind::Currency},
                      {"taxa", FieldKind::Number}, {"nasc", FieldKind::Date}, {"hora", FieldKind::Time},
                      {"quando", FieldKind::Timestamp}, {"obs", FieldKind::Memo}, {"ativo", FieldKind::Logical},
                      {"foto", FieldKind::Blob}, {"qtd", FieldKind::Integer}};
        def.indexes = {{"", {"cod"}, true, true}, {"por_nome", {"nome", "qtd"}, false, false}, {"unico", {"taxa"}, false, true}};
        TableFile::create(fx.dir(), "TbTipos", def);

        const TableDef back = TableFile::readDefinition(fx.dir(), "tbtipos");
        QCOMPARE(back.name, QStringLiteral("TbTipos"));
        QCOMPARE(back.fields.size(), def.fields.size());
        for (int i = 0; i < def.fields.size(); ++i) {
            QCOMPARE(back.fields.at(i).name, def.fields.at(i).name);
            QCOMPARE(int(back.fields.at(i).kind), int(def.fields.at(i).kind));
        }
        QCOMPARE(back.fields.at(1).size, 60);
        QCOMPARE(back.indexes.size(), 3);
        QVERIFY(back.indexes.at(0).primary);
        QCOMPARE(back.indexes.at(0).fields, QStringList{"cod"});
        QCOMPARE(back.indexes.at(1).name, QStringLiteral("por_nome"));
        QCOMPARE(back.indexes.at(1).fields, (QStringList{"nome", "qtd"}));
        QVERIFY(!back.indexes.at(1).unique);
        QVERIFY(back.indexes.at(2).unique && !back.indexes.at(2).primary);
    }

    void createNeverLeavesAHalfMadeFile()
    {
        StorageFixture fx;
        const QStringList before = entries(fx.dir());
        TableDef duplicate;
        duplicate.fields = {{"a", FieldKind::Integer}, {"A", FieldKind::Text, 5}};
        QVERIFY_THROWS_EXCEPTION(DbError, TableFile::create(fx.dir(), "TbRuim", duplicate));
        TableDef badIndex;
        badIndex.fields = {{"a", FieldKind::Integer}};
        badIndex.indexes = {{"i", {"nao_existe"}, false, false}};
        QVERIFY_THROWS_EXCEPTION(DbError, TableFile::create(fx.dir(), "TbRuim", badIndex));
        QCOMPARE(entries(fx.dir()), before);

        // An existing table is never overwritten, whatever the case of its name.
        QVERIFY_THROWS_EXCEPTION(DbError, TableFile::create(fx.dir(), "TBCLI", StorageFixture::clientDef()));
        Table cli;
        cli.setDirectory(fx.dir());
        cli.setTableName("TbCli");
        cli.open();
        QCOMPARE(cli.recordCount(), 7);
    }

    void fileNamesMatchWithoutCase()
    {
        StorageFixture fx;
        QVERIFY(QFile::rename(fx.path("TbCli.db"), fx.path("TBCLI.DB")));
        QVERIFY(TableFile::exists(fx.dir(), "TbCli"));
        QCOMPARE(TableFile::path(fx.dir(), "tbcli.db"), fx.path("TBCLI.DB"));
        QVERIFY(!TableFile::exists(fx.dir(), "TbNada"));
        Table cli;
        cli.setDirectory(fx.dir());
        cli.setTableName("TbCli");
        cli.open();
        QCOMPARE(cli.recordCount(), 7);
    }

    void restructureKeepsRecordsAndConverts()
    {
        StorageFixture fx;
        TableDef old;
        old.fields = {{"cod", FieldKind::Integer}, {"nome", FieldKind::Text, 20}, {"qtd", FieldKind::Text, 10},
                      {"preco", FieldKind::Number}, {"velho", FieldKind::Text, 5}};
        fx.make("TbProd", old, {{1, "PARAFUSO SEXTAVADO", "12", 3.5, "x"}, {2, "PORCA", "muitos", 2.0, "y"}});

        TableDef changed;
        changed.fields = {{"COD", FieldKind::Integer}, {"nome", FieldKind::Text, 8}, {"qtd", FieldKind::Integer},
                          {"preco", FieldKind::Currency}, {"novo", FieldKind::Date}};
        changed.indexes = {{"", {"COD"}, true, true}, {"por_nome", {"nome"}, false, false}};
        TableFile::restructure(fx.dir(), "tbprod", changed);

        const TableDef back = TableFile::readDefinition(fx.dir(), "TbProd");
        QCOMPARE(back.fields.size(), 5);
        QCOMPARE(back.fields.at(4).name, QStringLiteral("novo"));
        QCOMPARE(back.indexes.size(), 2);
        Table t;
        t.setDirectory(fx.dir());
        t.setTableName("TbProd");
        t.open();
        QCOMPARE(t.recordCount(), 2);
        QVERIFY(!t.hasField("velho"));
        QVERIFY(t.locate("cod", {1}));
        QCOMPARE(t.asString("nome"), QStringLiteral("PARAFUSO"));
        QCOMPARE(t.value("qtd"), QVariant(qlonglong(12)));
        QCOMPARE(t.asCurrency("preco"), 3.5);
        QVERIFY(t.isNull("novo"));
        QVERIFY(t.locate("cod", {2}));
        QVERIFY(t.isNull("qtd")); // "muitos" is not a number
        QCOMPARE(entries(fx.dir()).filter(".tmp").size(), 0);
    }

    void failedRestructureLeavesTheOldFile()
    {
        StorageFixture fx;
        QFile file(fx.path("TbCli.db"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        TableDef def = StorageFixture::clientDef();
        def.indexes.append({"cidade_unica", {"cid_cli"}, false, true}); // several clients share a city
        QVERIFY_THROWS_EXCEPTION(DbError, TableFile::restructure(fx.dir(), "TbCli", def));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(entries(fx.dir()).filter(".tmp").size(), 0);
    }

    void integrityCheckFindings()
    {
        StorageFixture fx;
        QVERIFY(TableFile::integrityCheck(fx.path("TbCli.db")).isEmpty());

        QFile junk(fx.path("Lixo.db"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        QStringList findings = TableFile::integrityCheck(junk.fileName());
        QVERIFY(!findings.isEmpty());
        QVERIFY(findings.first().contains("Lixo.db"));

        QVERIFY(!TableFile::integrityCheck(fx.path("Falta.db")).isEmpty());

        // A sound SQLite file without any table is not a table file.
        QFile empty(fx.path("Vazio.db"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QVERIFY(!TableFile::integrityCheck(empty.fileName()).isEmpty());

        // Grow the client table over several pages, then scribble over an inner page.
        {
            Table cli;
            cli.setDirectory(fx.dir());
            cli.setTableName("TbCli");
            cli.open();
            for (int i = 0; i < 400; ++i) {
                cli.append();
                cli.setValue("cod_cli", 100 + i);
                cli.setValue("nom_cli", QString("CLIENTE %1 ").arg(i).repeated(3));
                cli.post();
            }
        }
        QFile damaged(fx.path("TbCli.db"));
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        QVERIFY(damaged.size() > 8 * 4096);
        damaged.seek(3 * 4096);
        damaged.write(QByteArray(2 * 4096, '\x5a'));
        damaged.close();
        findings = TableFile::integrityCheck(fx.path("TbCli.db"));
        QVERIFY(!findings.isEmpty());
        for (const QString &line : findings)
            QVERIFY(line.startsWith(fx.path("TbCli.db")));
    }
};

REMETIX_TEST(TableFileTest)
#include "TableFileTest.moc"
