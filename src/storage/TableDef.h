#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The kinds of column a table file holds. Empty is always NULL, whatever the kind.
enum class FieldKind { Text, Integer, AutoInc, Number, Currency, Date, Time, Timestamp, Memo, Logical, Blob };

struct FieldDef
{
    QString name;
    FieldKind kind = FieldKind::Text;
    int size = 0; // characters, for Text only
};

struct IndexDef
{
    QString name;
    QStringList fields;
    bool primary = false;
    bool unique = false;
};

struct TableDef
{
    QString name;
    QList<FieldDef> fields;
    QList<IndexDef> indexes;
};
