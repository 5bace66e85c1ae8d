#include "storage/SqlConnection.h"

#include "storage/DbError.h"

#include <QAtomicInteger>
#include <QSqlError>

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
