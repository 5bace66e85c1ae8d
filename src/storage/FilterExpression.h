#pragma once

#include "storage/TableDef.h"

#include <QVariantList>

// A cursor filter as the registers write it ("MOD_NIV = 'CAD_CLI'",
// "COD_CLI = (3)OR COD_CLI = (7)", with AND, OR, NOT and parentheses), turned
// into an SQL condition whose values are bound, never pasted. Field names are
// matched without case against the table's fields; an unknown field, a value
// the field cannot hold or bad syntax throw a DbError quoting the expression.
class FilterExpression
{
public:
    FilterExpression(const QString &text, const QList<FieldDef> &fields);

    // Empty for a blank expression: every record passes.
    const QString &sql() const { return sql_; }
    const QVariantList &values() const { return values_; }

private:
    struct Token
    {
        enum Kind { End, Name, Text, Number, Symbol } kind = End;
        QString text;
    };

    void tokenize(const QString &text);
    QString parseOr();
    QString parseAnd();
    QString parseUnary();
    QString parseComparison();
    QVariant parseValue();
    const Token &peek() const { return tokens_.at(pos_); }
    bool acceptWord(const char *word);
    bool acceptSymbol(const char *symbol);
    [[noreturn]] void fail(const QString &why) const;

    QString text_;
    QList<FieldDef> fields_;
    QList<Token> tokens_;
    int pos_ = 0;
    QString sql_;
    QVariantList values_;
};
