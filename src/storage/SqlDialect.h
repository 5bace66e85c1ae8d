#pragma once

#include "storage/TableDef.h"

#include <QStringList>

#include <optional>

// The program's local SQL written for the old engine, in SQLite's terms:
// - table references ("TbCli.db", "dir\TBCLI.db" or a bare TBMOD after FROM,
//   JOIN, UPDATE or INTO) become tables of attached files of the directory;
// - SubString(x from a for n) becomes substr(x, a, n);
// - extract(day|month|year from d) reads the part of the ISO date as a number;
// - other double-quoted texts are string literals, and "TRUE"/"FALSE"
//   compared with a logical column become 1/0;
// - named parameters (:Cliente) become positional, bound by name without case.
class SqlDialect
{
public:
    struct Attachment
    {
        QString schema;
        QString path;
        TableDef definition;
    };

    // Throws DbError (naming the file and quoting the statement) when a
    // referenced table file does not exist or is not a table.
    SqlDialect(const QString &sql, const QString &directory);

    const QString &sql() const { return sql_; }
    const QStringList &parameters() const { return parameters_; }
    const QList<Attachment> &attachments() const { return attachments_; }
    // The kind of a result column by its name, looked up in the referenced tables.
    std::optional<FieldKind> kindOf(const QString &column) const;

private:
    struct Token
    {
        enum Kind { Space, Word, Single, Double, Number, Parameter, Symbol } kind;
        QString text;
        bool table = false;
    };

    void tokenize(const QString &sql);
    void markTables();
    QString attach(const QString &reference);
    bool isLogicalColumn(const QString &name) const;
    QStringList outputNames() const;
    QString render();
    int nextSignificant(int i) const;
    int previousSignificant(int i) const;

    QString original_;
    QString directory_;
    QList<Token> tokens_;
    QString sql_;
    QStringList parameters_;
    QList<Attachment> attachments_;
};
