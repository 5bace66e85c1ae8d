#pragma once

#include "storage/SqlDialect.h"

#include <QHash>
#include <QStringList>
#include <QVariantList>

#include <memory>

class SqlConnection;
class QSqlQuery;

// Local SQL over the table files of one directory, in the program's old
// dialect (see SqlDialect), with named parameters. open() runs a select and
// stands on its first row; rows are read forward as the cursor moves, so a
// large result is never held whole. execSql() runs an update or delete.
// Failures throw DbError carrying the engine's message and the statement as
// written (originalSql(), for the SQL error log).
class Query
{
public:
    Query();
    ~Query();
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;

    void setDirectory(const QString &dir);
    const QString &directory() const { return directory_; }
    // Closes the query and forgets the values bound so far.
    void setSql(const QString &sql);
    // The statement as written, with its lines as given.
    const QString &originalSql() const { return sql_; }
    // The statement as SQLite runs it (empty before the first open or execSql).
    const QString &translatedSql() const { return translated_; }

    // Parameter names are matched without case; a parameter named twice takes
    // one value.
    void bindValue(const QString &name, const QVariant &value);

    void open();
    void close();
    bool isOpen() const { return open_; }
    // Rows changed by the statement.
    int execSql();

    void first();
    void next();
    bool eof() const { return eof_; }
    QStringList columnNames() const { return columns_; }
    QVariant value(const QString &column) const;
    QVariant value(int column) const;
    // Every row of the result, read anew from the first.
    QList<QVariantList> rows();
    int recordCount();

private:
    void prepare();
    void run(QSqlQuery &query);
    void readRow();
    [[noreturn]] void fail(const QString &engineMessage) const;

    QString directory_;
    QString sql_;
    QString translated_;
    QHash<QString, QVariant> values_;
    std::unique_ptr<SqlDialect> dialect_;
    std::unique_ptr<SqlConnection> db_;
    std::unique_ptr<QSqlQuery> query_;
    QStringList columns_;
    QList<std::optional<FieldKind>> kinds_;
    QVariantList row_;
    bool open_ = false;
    bool eof_ = true;
    int rowIndex_ = -1;
};
