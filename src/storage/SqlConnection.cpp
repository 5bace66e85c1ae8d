#include "storage/SqlConnection.h"

#include "storage/DbError.h"

#include <QAtomicInteger>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace {
QAtomicInteger<quint64> connectionCounter;
}

SqlConnection::SqlConnection(const QString &path, Mode mode)
    : path_(path), name_(QStringLiteral("remetix-storage-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (mode == Mode::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db_.setConnectOptions(options);
    try {
        if (!db_.open())
            fail(db_.lastError(), QString());
        if (mode == Mode::ReadWrite) {
            exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            exec(QStringLiteral("PRAGMA synchronous=FULL"));
        }
    } catch (...) {
        release();
        throw;
    }
}

SqlConnection::~SqlConnection()
{
    release();
}

void SqlConnection::release() noexcept
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

void SqlConnection::exec(const QString &sql)
{
    QSqlQuery query(db_);
    if (!query.exec(sql))
        fail(query.lastError(), sql);
}

QSqlQuery SqlConnection::prepare(const QString &sql)
{
    QSqlQuery query(db_);
    if (!query.prepare(sql))
        fail(query.lastError(), sql);
    return query;
}

void SqlConnection::run(QSqlQuery &query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec())
        fail(query.lastError(), query.lastQuery());
}

QVector<qint64> SqlConnection::integers(const QString &sql, const QVariantList &values)
{
    const QVariant handle = db_.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("Conexão SQLite indisponível (arquivo %1)").arg(path_));
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    const auto engineFailure = [&] {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(statement);
        throw DbError(QStringLiteral("%1 (arquivo %2)\nSQL: %3").arg(message, path_, sql));
    };
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        engineFailure();
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &v = values.at(i);
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(statement, i + 1);
        } else if (v.typeId() == QMetaType::Double) {
            rc = sqlite3_bind_double(statement, i + 1, v.toDouble());
        } else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::Bool) {
            rc = sqlite3_bind_int64(statement, i + 1, v.toLongLong());
        } else if (v.typeId() == QMetaType::QByteArray) {
            const QByteArray bytes = v.toByteArray();
            rc = sqlite3_bind_blob(statement, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        } else {
            const QByteArray utf8 = v.toString().toUtf8();
            rc = sqlite3_bind_text(statement, i + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            engineFailure();
    }
    QVector<qint64> result;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        result.append(sqlite3_column_int64(statement, 0));
    if (rc != SQLITE_DONE)
        engineFailure();
    sqlite3_finalize(statement);
    return result;
}

QVariant SqlConnection::scalar(const QString &sql, const QVariantList &values)
{
    QSqlQuery query = prepare(sql);
    run(query, values);
    return query.next() ? query.value(0) : QVariant();
}

void SqlConnection::begin()
{
    exec(QStringLiteral("BEGIN IMMEDIATE"));
}

void SqlConnection::commit()
{
    exec(QStringLiteral("COMMIT"));
}

void SqlConnection::rollback() noexcept
{
    QSqlQuery query(db_);
    query.exec(QStringLiteral("ROLLBACK"));
}

void SqlConnection::fail(const QSqlError &error, const QString &sql) const
{
    QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    text += QStringLiteral(" (arquivo ") + path_ + QLatin1Char(')');
    if (!sql.isEmpty())
        text += QStringLiteral("\nSQL: ") + sql;
    throw DbError(text);
}
