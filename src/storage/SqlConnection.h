#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <QVector>

class QSqlError;

// One SQLite connection to one file (or to memory), set up the way every table
// file is used: rollback journal (never WAL: the files live on network shares),
// every commit synced, and a busy timeout so a brief write by another computer
// is waited for. Every failure is thrown as a DbError naming the file.
class SqlConnection
{
public:
    enum class Mode { ReadWrite, ReadOnly };
    static constexpr int busyTimeoutMs = 5000;

    explicit SqlConnection(const QString &path, Mode mode = Mode::ReadWrite);
    ~SqlConnection();
    SqlConnection(const SqlConnection &) = delete;
    SqlConnection &operator=(const SqlConnection &) = delete;

    const QString &path() const { return path_; }
    QSqlDatabase database() const { return db_; }

    void exec(const QString &sql);
    QSqlQuery prepare(const QString &sql);
    // Binds values by position and runs the prepared query.
    void run(QSqlQuery &query, const QVariantList &values = {});
    // The first column of every row as integers, read straight from SQLite:
    // the list of a million-record cursor is read without Qt's cost per row.
    QVector<qint64> integers(const QString &sql, const QVariantList &values = {});
    // exec + the first column of the first row (null without rows).
    QVariant scalar(const QString &sql, const QVariantList &values = {});

    void begin();
    void commit();
    void rollback() noexcept;

    [[noreturn]] void fail(const QSqlError &error, const QString &sql) const;

private:
    void release() noexcept;

    QString path_;
    QString name_;
    QSqlDatabase db_;
};
