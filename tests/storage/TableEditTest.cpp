#include "StorageFixture.h"

#include "storage/DbError.h"
#include "storage/RecordLockedError.h"
#include "storage/Table.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

class TableEditTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<StorageFixture> fx;

    std::unique_ptr<Table> openClients()
    {
        auto table = std::make_unique<Table>();
        table->setDirectory(fx->dir());
        table->setTableName("TbCli");
        table->setIndexFieldNames("nom_cli");
        table->open();
        return table;
    }

    QString peer(const QString &command, int code, QProcess *running = nullptr)
    {
        QProcess local;
        QProcess &process = running ? *running : local;
        process.start(binaryPath("storage-peer"), {command, fx->dir(), "TbCli", QString::number(code)});
        if (!process.waitForStarted(10000))
            return "NOT STARTED";
        if (running) {
            process.waitForReadyRead(10000);
            return QString::fromUtf8(process.readLine()).trimmed();
        }
        process.waitForFinished(20000);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed() + QString::fromUtf8(process.readAllStandardError());
    }

private slots:
    void init() { fx = std::make_unique<StorageFixture>(); }
    void cleanup() { fx.reset(); }

    void appendPostsInOrderAndStoresEmptyAsNull()
    {
        auto t = openClients();
        t->append();
        QCOMPARE(t->state(), Table::State::Insert);
        t->setValue("cod_cli", 8);
        t->setValue("nom_cli", "MOURA " + QString(70, 'X')); // cut to the field size
        t->setValue("ani_cli", "02/03/1999");
        t->setValue("cid_cli", "");
        t->setValue("lim_cli", "12,5");
        t->post();
        QCOMPARE(t->state(), Table::State::Browse);
        QCOMPARE(t->recordCount(), 8);
        QCOMPARE(t->asInt("cod_cli"), 8); // current is the new record, at its place in the order
        QCOMPARE(t->recordNumber(), 4);

        Table other;
        other.setDirectory(fx->dir());
        other.setTableName("TbCli");
        other.open();
        QVERIFY(other.locate("cod_cli", {8}));
        QCOMPARE(other.asString("nom_cli").size(), 60);
        QCOMPARE(other.asDate("ani_cli"), QDate(1999, 3, 2));
        QCOMPARE(other.asDouble("lim_cli"), 12.5);
        QVERIFY(other.value("cid_cli").isNull());
        QVERIFY(other.locate("cid_cli", {QVariant()}));
    }

    void badValuesAreRefused()
    {
        auto t = openClients();
        QVERIFY_THROWS_EXCEPTION(DbError, t->setValue("nom_cli", "X")); // not in edit
        t->append();
        QVERIFY_THROWS_EXCEPTION(DbError, t->setValue("cod_cli", "doze"));
        QVERIFY_THROWS_EXCEPTION(DbError, t->setValue("ani_cli", "31/02/2000"));
        t->setValue("cod_cli", 3); // taken: the primary index refuses it
        t->setValue("nom_cli", "REPETIDO");
        try {
            t->post();
            QFAIL("posted a duplicate key");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains("TbCli.db"), qPrintable(error.message()));
        }
        QCOMPARE(t->state(), Table::State::Insert); // nothing lost: fix the value or cancel
        QCOMPARE(t->asString("nom_cli"), QStringLiteral("REPETIDO"));
        t->cancel();
        QCOMPARE(t->recordCount(), 7);
    }

    void autoIncrementNumbersNewRecords()
    {
        TableDef def;
        def.fields = {{"num", FieldKind::AutoInc}, {"texto", FieldKind::Memo}};
        fx->make("TbSeq", def, {{QVariant(), "00123"}, {QVariant(), "segundo"}, {10, "dado"}, {QVariant(), "depois"}});
        Table t;
        t.setDirectory(fx->dir());
        t.setTableName("TbSeq");
        t.open();
        QList<qlonglong> numbers;
        for (t.first(); !t.eof(); t.next())
            numbers << t.asInt("num");
        QCOMPARE(numbers, (QList<qlonglong>{1, 2, 10, 11}));
        t.first();
        QCOMPARE(t.value("texto"), QVariant(QStringLiteral("00123"))); // a memo of digits stays text
    }

    void editPostAndCancel()
    {
        auto t = openClients();
        QVERIFY(t->locate("cod_cli", {3}));
        t->edit();
        t->setValue("nom_cli", "ZULU CARLOS");
        t->post();
        QCOMPARE(t->asInt("cod_cli"), 3);
        QCOMPARE(t->recordNumber(), 6); // moved in the name order
        t->edit();
        t->setValue("cid_cli", "MARINGA");
        QCOMPARE(t->asString("cid_cli"), QStringLiteral("MARINGA"));
        t->cancel();
        QCOMPARE(t->asString("cid_cli"), QStringLiteral("SAO PAULO"));
        t->refresh();
        QCOMPARE(t->asString("nom_cli"), QStringLiteral("ZULU CARLOS"));
        QCOMPARE(t->asString("cid_cli"), QStringLiteral("SAO PAULO"));

        // Moving away from a changed record keeps the change.
        t->edit();
        t->setValue("Uf_cli", "MT");
        t->first();
        QVERIFY(t->locate("cod_cli", {3}));
        QCOMPARE(t->asString("Uf_cli"), QStringLiteral("MT"));

        t->remove();
        QCOMPARE(t->recordCount(), 6);
        QVERIFY(!t->locate("cod_cli", {3}));
    }

    void beforeEventsAbandonSilently()
    {
        auto t = openClients();
        QStringList log;
        bool allow = false;
        t->beforeInsert = [&](Table &) { log << "beforeInsert"; return allow; };
        t->afterInsert = [&](Table &) { log << "afterInsert"; };
        t->beforeEdit = [&](Table &) { log << "beforeEdit"; return allow; };
        t->afterEdit = [&](Table &) { log << "afterEdit"; };
        t->beforePost = [&](Table &table) { log << "beforePost"; return table.asString("nom_cli") != "RECUSADO"; };
        t->afterPost = [&](Table &) { log << "afterPost"; };
        t->beforeCancel = [&](Table &) { log << "beforeCancel"; return true; };
        t->afterCancel = [&](Table &) { log << "afterCancel"; };
        t->beforeDelete = [&](Table &) { log << "beforeDelete"; return allow; };
        t->afterDelete = [&](Table &) { log << "afterDelete"; };

        t->append();
        t->edit();
        t->remove();
        QCOMPARE(t->state(), Table::State::Browse);
        QCOMPARE(t->recordCount(), 7);
        QCOMPARE(log, (QStringList{"beforeInsert", "beforeEdit", "beforeDelete"}));

        log.clear();
        allow = true;
        t->edit();
        t->setValue("nom_cli", "RECUSADO");
        t->post(); // refused: still editing, nothing written
        QCOMPARE(t->state(), Table::State::Edit);
        t->cancel();
        QVERIFY(!t->locate("nom_cli", {"RECUSADO"}));
        t->remove();
        QCOMPARE(log, (QStringList{"beforeEdit", "afterEdit", "beforePost", "beforeCancel", "afterCancel", "beforeDelete", "afterDelete"}));
        QCOMPARE(t->recordCount(), 6);

        bool opened = false;
        Table again;
        again.afterOpen = [&](Table &table) { opened = table.isOpen(); table.setDisplayFormat("cod_cli", "000"); };
        again.setDirectory(fx->dir());
        again.setTableName("TbCli");
        again.open();
        QVERIFY(opened);
        QCOMPARE(again.displayText("cod_cli"), QStringLiteral("001"));
    }

    void twoCursorsInOneProcessConflict()
    {
        auto a = openClients();
        auto b = openClients();
        QVERIFY(a->locate("cod_cli", {2}));
        QVERIFY(b->locate("cod_cli", {2}));
        a->edit();
        // What b's before-events took (a semaphore lock) is given back when
        // the record lock refuses it.
        int taken = 0;
        b->beforeEdit = b->beforeDelete = [&](Table &) { ++taken; return true; };
        b->afterCancel = [&](Table &) { --taken; };
        QVERIFY_THROWS_EXCEPTION(RecordLockedError, b->edit());
        QVERIFY_THROWS_EXCEPTION(RecordLockedError, b->remove());
        QCOMPARE(taken, 0);
        b->beforeEdit = b->beforeDelete = nullptr;
        b->afterCancel = nullptr;
        QCOMPARE(b->state(), Table::State::Browse);
        QVERIFY(b->locate("cod_cli", {1}));
        b->edit(); // another record is free
        b->cancel();
        a->setValue("bai_cli", "AHU");
        a->post();
        QVERIFY(b->locate("cod_cli", {2}));
        b->edit(); // released by the post, and b reads the record as posted
        QCOMPARE(b->asString("bai_cli"), QStringLiteral("AHU"));
        b->cancel();
        a->edit();
        a->close(); // closing releases too
        b->edit();
        b->cancel();
    }

    void lockRefusedToAnotherProcessUntilItDies()
    {
        QProcess holder;
        QCOMPARE(peer("hold", 5, &holder), QStringLiteral("LOCKED"));
        auto t = openClients();
        QVERIFY(t->locate("cod_cli", {5}));
        try {
            t->edit();
            QFAIL("edit granted while another process holds the record");
        } catch (const RecordLockedError &error) {
            QVERIFY(error.message().contains("TbCli.db"));
        }
        QCOMPARE(peer("try", 5), QStringLiteral("REFUSED"));
        QCOMPARE(peer("try", 6), QStringLiteral("OK"));

        holder.kill();
        QVERIFY(holder.waitForFinished(10000));
        t->edit();
        QCOMPARE(t->state(), Table::State::Edit);
        QCOMPARE(peer("try", 5), QStringLiteral("REFUSED")); // and now the lock is ours
        t->cancel();
        QCOMPARE(peer("try", 5), QStringLiteral("OK"));
    }

    void fileBusyPastTheTimeoutFailsThePostCleanly()
    {
        auto t = openClients();
        QVERIFY(t->locate("cod_cli", {2}));
        t->edit();
        t->setValue("bai_cli", "MERCES");
        QProcess busy;
        QCOMPARE(peer("busy", 0, &busy), QStringLiteral("BUSY"));
        try {
            t->post();
            QFAIL("posted into a file another process is writing");
        } catch (const DbError &error) {
            QVERIFY2(error.message().contains("TbCli.db"), qPrintable(error.message()));
        }
        QCOMPARE(t->state(), Table::State::Edit);
        busy.kill();
        QVERIFY(busy.waitForFinished(10000));
        t->post();
        QCOMPARE(peer("read", 2), QStringLiteral("SILVEIRA ANA"));
        QVERIFY(t->locate("cod_cli", {2}));
        QCOMPARE(t->asString("bai_cli"), QStringLiteral("MERCES"));
    }

    void postedRowIsSeenByAnotherProcessAtOnce()
    {
        auto t = openClients();
        t->append();
        t->setValue("cod_cli", 42);
        t->setValue("nom_cli", QString::fromUtf8("JOÃO DA SILVA"));
        t->post();
        QCOMPARE(peer("read", 42), QString::fromUtf8("JOÃO DA SILVA"));
        QVERIFY(t->locate("cod_cli", {42}));
        t->edit();
        t->setValue("nom_cli", "OUTRO NOME");
        t->post();
        t->flush();
        QCOMPARE(peer("read", 42), QStringLiteral("OUTRO NOME"));
        t->remove();
        QCOMPARE(peer("read", 42), QStringLiteral("MISSING"));
    }

    void postsKeepTheListInOrder()
    {
        auto t = openClients();
        t->setFilter("est_cli = 'A'");
        t->setFiltered(true);
        QRandomGenerator random(7);
        for (int i = 0; i < 300; ++i) {
            t->append();
            t->setValue("cod_cli", 100 + i);
            if (i % 10 != 0) // some names stay empty
                t->setValue("nom_cli", QString("CLIENTE %1").arg(random.bounded(50)));
            t->setValue("est_cli", i % 3 ? "A" : "I");
            t->post();
            if (i % 3)
                QCOMPARE(t->asInt("cod_cli"), 100 + i); // the new record is current
        }
        for (int i = 0; i < 40; ++i) {
            QVERIFY(t->locate("cod_cli", {101 + 3 * i}));
            t->edit();
            t->setValue("nom_cli", QString("ALTERADO %1").arg(random.bounded(20)));
            if (i % 4 == 0)
                t->setValue("est_cli", "I"); // leaves the filter
            t->post();
        }
        auto fresh = openClients();
        fresh->setFilter("est_cli = 'A'");
        fresh->setFiltered(true);
        QCOMPARE(t->recordCount(), fresh->recordCount());
        for (fresh->first(), t->first(); !fresh->eof(); fresh->next(), t->next())
            QCOMPARE(t->bookmark(), fresh->bookmark());
    }

    void refreshSeesOtherCursorsChanges()
    {
        auto a = openClients();
        auto b = openClients();
        a->append();
        a->setValue("cod_cli", 9);
        a->setValue("nom_cli", "AAA PRIMEIRO");
        a->post();
        QCOMPARE(b->recordCount(), 7);
        QVERIFY(b->locate("cod_cli", {9})); // a locate finds records posted since the last read
        QCOMPARE(b->recordCount(), 8);
        QVERIFY(b->locate("cod_cli", {1}));
        a->remove(); // a stands on 9
        b->refresh();
        QCOMPARE(b->recordCount(), 7);
        QCOMPARE(b->asInt("cod_cli"), 1);
    }
};

REMETIX_TEST(TableEditTest)
#include "TableEditTest.moc"
