#include "StorageBench.h"

#include "storage/DbError.h"
#include "storage/Query.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <sqlite3.h>

#include <cstdio>
#include <vector>

namespace {

const char *const cities[] = {"CURITIBA", "SAO PAULO", "RIO DE JANEIRO", "BELO HORIZONTE", "PORTO ALEGRE", "SALVADOR", "RECIFE",
                              "FORTALEZA", "MANAUS", "BELEM", "GOIANIA", "CAMPINAS", "LONDRINA", "MARINGA", "JOINVILLE",
                              "FLORIANOPOLIS", "BLUMENAU", "CASCAVEL", "PONTA GROSSA", "SANTOS"};
const char *const syllables[] = {"SIL", "VA", "SAN", "TOS", "OLI", "VEI", "RA", "SOU", "ZA", "PER", "EI", "LI", "MA", "CO",
                                 "STA", "AL", "MEI", "DA", "RO", "DRI", "GUES", "FER", "NAN", "DES", "GO", "MES", "BAR", "BO"};

QString randomName(QRandomGenerator &random)
{
    QString name;
    while (name.size() < 60) {
        const int parts = 2 + random.bounded(3);
        for (int i = 0; i < parts; ++i)
            name += QLatin1String(syllables[random.bounded(int(std::size(syllables)))]);
        name += QLatin1Char(' ');
    }
    return name.left(60).trimmed();
}

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
}

const char *const labelSql = "Select D.cod_cli, D.nom_cli, D.end_cli,\n"
                             "       D.num_cli, D.com_cli, D.cid_cli,\n"
                             "       D.Uf_cli,  D.cep_cli, d.con_cli,\n"
                             "       D.bai_cli, d1.* \n"
                             "From \"TbCli2.db\" d1 RIGHT JOIN \"TbCli.db\" D\n"
                             "     ON d1.Cod_cli = d.Cod_cli\n"
                             "Where ( d.cod_cli > 0 ) \n"
                             "and d.cid_cli= :Cidade\n"
                             "Order by d.nom_cli";

} // namespace

StorageBench::StorageBench(const QString &dir, int rows)
    : dir_(dir), rows_(rows)
{
}

void StorageBench::build()
{
    TableDef cli;
    cli.name = QStringLiteral("TbCli");
    cli.fields = {{"cod_cli", FieldKind::Integer}, {"nom_cli", FieldKind::Text, 60}, {"end_cli", FieldKind::Text, 60},
                  {"num_cli", FieldKind::Text, 10}, {"com_cli", FieldKind::Text, 20}, {"bai_cli", FieldKind::Text, 30},
                  {"cid_cli", FieldKind::Text, 30}, {"Uf_cli", FieldKind::Text, 2}, {"cep_cli", FieldKind::Text, 9},
                  {"con_cli", FieldKind::Text, 40}, {"ani_cli", FieldKind::Date}, {"lim_cli", FieldKind::Currency}};
    cli.indexes = {{QString(), {"cod_cli"}, true, true}, {"ind_nome", {"nom_cli"}, false, false}};
    TableDef cli2;
    cli2.name = QStringLiteral("TbCli2");
    cli2.fields = {{"cod_cli", FieldKind::Integer}, {"C01_cli", FieldKind::Text, 20}};
    cli2.indexes = {{QString(), {"cod_cli"}, true, true}};
    for (const char *name : {"TbCli.db", "TbCli2.db"})
        QFile::remove(dir_ + QLatin1Char('/') + QLatin1String(name));
    TableFile::create(dir_, QStringLiteral("TbCli"), cli);
    TableFile::create(dir_, QStringLiteral("TbCli2"), cli2);

    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    check(sqlite3_open(TableFile::path(dir_, QStringLiteral("TbCli")).toUtf8().constData(), &db), db);
    const QByteArray second = TableFile::path(dir_, QStringLiteral("TbCli2")).toUtf8();
    check(sqlite3_exec(db, ("ATTACH DATABASE '" + second + "' AS x").constData(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt *insert = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO TbCli VALUES (?1, ?2, ?3, ?4, NULL, ?5, ?6, ?7, ?8, NULL, ?9, ?10)", -1, &insert, nullptr), db);
    sqlite3_stmt *insert2 = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO x.TbCli2 VALUES (?1, ?2)", -1, &insert2, nullptr), db);
    QRandomGenerator random(2026);
    for (int i = 1; i <= rows_; ++i) {
        const QByteArray name = randomName(random).toUtf8();
        const QByteArray street = ("RUA " + randomName(random).left(30)).toUtf8();
        const int city = random.bounded(int(std::size(cities)));
        const QByteArray cep = QStringLiteral("%1-%2").arg(random.bounded(10000, 99999)).arg(random.bounded(1000), 3, 10, QLatin1Char('0')).toUtf8();
        const QByteArray birth = QStringLiteral("%1-%2-%3").arg(1940 + random.bounded(70)).arg(1 + random.bounded(12), 2, 10, QLatin1Char('0'))
                                     .arg(1 + random.bounded(28), 2, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_int64(insert, 1, i);
        sqlite3_bind_text(insert, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, street.constData(), int(street.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 4, random.bounded(2000));
        sqlite3_bind_text(insert, 5, "CENTRO", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 6, cities[city], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 7, "PR", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 8, cep.constData(), int(cep.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 9, birth.constData(), int(birth.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 10, random.bounded(100000) / 100.0);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
        if (i % 10 == 0) {
            sqlite3_bind_int64(insert2, 1, i);
            sqlite3_bind_text(insert2, 2, "VIP", -1, SQLITE_STATIC);
            check(sqlite3_step(insert2), db);
            sqlite3_reset(insert2);
        }
    }
    sqlite3_finalize(insert);
    sqlite3_finalize(insert2);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    report("build", double(timer.elapsed()), 0);
}

// The statement straight through SQLite on the same files: every row stepped
// and its columns read, as the cursor has to.
double StorageBench::reference(const QString &sql, const QStringList &texts, bool attach) const
{
    sqlite3 *db = nullptr;
    QElapsedTimer timer;
    timer.start();
    const QString main = attach ? QStringLiteral(":memory:") : TableFile::path(dir_, QStringLiteral("TbCli"));
    check(sqlite3_open(main.toUtf8().constData(), &db), db);
    if (attach) {
        const QByteArray t1 = TableFile::path(dir_, QStringLiteral("TbCli2")).toUtf8();
        const QByteArray t2 = TableFile::path(dir_, QStringLiteral("TbCli")).toUtf8();
        check(sqlite3_exec(db, ("ATTACH '" + t1 + "' AS t1; ATTACH '" + t2 + "' AS t2").constData(), nullptr, nullptr, nullptr), db);
    }
    sqlite3_stmt *stmt = nullptr;
    check(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr), db);
    std::vector<QByteArray> keep;
    for (int i = 0; i < texts.size(); ++i) {
        keep.push_back(texts.at(i).toUtf8());
        sqlite3_bind_text(stmt, i + 1, keep.back().constData(), -1, SQLITE_STATIC);
    }
    std::vector<sqlite3_int64> ids;
    qint64 bytes = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ids.push_back(sqlite3_column_int64(stmt, 0));
        for (int c = 1; c < sqlite3_column_count(stmt); ++c)
            bytes += sqlite3_column_bytes(stmt, c);
    }
    check(rc, db);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return timer.nsecsElapsed() / 1e6;
}

void StorageBench::report(const char *step, double ms, double referenceMs, const QString &extra) const
{
    QString line = QStringLiteral("{\"step\":\"%1\",\"rows\":%2,\"ms\":%3").arg(QLatin1String(step)).arg(rows_).arg(ms, 0, 'f', 3);
    if (referenceMs > 0)
        line += QStringLiteral(",\"sqlite_ms\":%1,\"ratio\":%2").arg(referenceMs, 0, 'f', 3).arg(ms / referenceMs, 0, 'f', 2);
    line += extra + QLatin1Char('}');
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

int StorageBench::run()
{
    build();
    QElapsedTimer timer;

    // Best of three for both, so neither pays alone for a cold file cache.
    double refOpen = 0;
    double open = 0;
    qint64 grown = 0;
    Table table;
    table.setDirectory(dir_);
    table.setTableName(QStringLiteral("TbCli"));
    table.setIndexFieldNames(QStringLiteral("nom_cli"));
    for (int round = 0; round < 3; ++round) {
        const double ref = reference(QStringLiteral("SELECT rowid FROM TbCli ORDER BY nom_cli, rowid"));
        refOpen = round == 0 ? ref : qMin(refOpen, ref);
        table.close();
        const qint64 before = residentKb();
        timer.start();
        table.open();
        const double ms = timer.nsecsElapsed() / 1e6;
        open = round == 0 ? ms : qMin(open, ms);
        if (round == 0)
            grown = residentKb() - before;
    }
    report("open_ordered", open, refOpen,
           QStringLiteral(",\"records\":%1,\"rss_growth_bytes_per_row\":%2").arg(table.recordCount()).arg(grown * 1024.0 / qMax(1, rows_), 0, 'f', 1));

    // Prefixes of existing names, so each locate lands somewhere in the middle.
    QRandomGenerator random(11);
    QStringList prefixes;
    for (int i = 0; i < 200; ++i) {
        table.moveTo(random.bounded(table.recordCount()));
        prefixes << table.asString(QStringLiteral("nom_cli")).left(4 + random.bounded(6));
    }
    timer.start();
    int found = 0;
    for (const QString &prefix : prefixes)
        found += table.locate(QStringLiteral("nom_cli"), {prefix}, {false, true}) ? 1 : 0;
    const double locate = timer.nsecsElapsed() / 1e6 / prefixes.size();
    double refLocate = 0;
    for (const QString &prefix : prefixes)
        refLocate += reference(QStringLiteral("SELECT rowid FROM TbCli WHERE nom_cli >= ?1 AND substr(nom_cli, 1, %1) = ?1 ORDER BY nom_cli, rowid LIMIT 1")
                                   .arg(prefix.size()),
                               {prefix});
    report("locate_prefix", locate, refLocate / prefixes.size(), QStringLiteral(",\"found\":%1,\"of\":%2").arg(found).arg(prefixes.size()));

    timer.start();
    qint64 chars = 0;
    for (table.first(); !table.eof(); table.next())
        chars += table.asString(QStringLiteral("nom_cli")).size();
    const double walk = timer.nsecsElapsed() / 1e6;
    report("walk_all", walk, reference(QStringLiteral("SELECT rowid, * FROM TbCli ORDER BY nom_cli, rowid")),
           QStringLiteral(",\"chars\":%1").arg(chars));

    const QString city = QStringLiteral("MARINGA");
    timer.start();
    table.setFilter(QStringLiteral("cid_cli = '%1'").arg(city));
    table.setFiltered(true);
    const double filter = timer.nsecsElapsed() / 1e6;
    report("filter_city", filter, reference(QStringLiteral("SELECT rowid FROM TbCli WHERE cid_cli = ?1 ORDER BY nom_cli, rowid"), {city}),
           QStringLiteral(",\"records\":%1").arg(table.recordCount()));
    table.close();

    Query query;
    query.setDirectory(dir_);
    query.setSql(QLatin1String(labelSql));
    query.bindValue(QStringLiteral("Cidade"), city);
    timer.start();
    query.open();
    int labels = 0;
    for (; !query.eof(); query.next())
        labels += query.value(0).isNull() ? 0 : 1;
    const double label = timer.nsecsElapsed() / 1e6;
    QString direct = query.translatedSql();
    direct.replace(QLatin1Char('?'), QStringLiteral("?1"));
    report("label_query", label, reference(direct, {city}, true), QStringLiteral(",\"labels\":%1").arg(labels));
    return 0;
}
