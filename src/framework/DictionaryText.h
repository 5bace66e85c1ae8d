#pragma once

#include "storage/TableDef.h"

#include <QList>
#include <QString>
#include <QStringList>

// The dictionary as shipped in data/dictionary.txt: a version line, then one
// block a table:
//   table <TAB_STR> <application> "<description>"
//   field <name> <kind> [size] "<description>"
//   index [primary|unique] <f1;f2> "<sort order name>"
//   end
// From it `remetix-cli init` writes the dictionary tables TbStr and TbStrD.
struct DictionaryTable
{
    QString tabStr;       // upper case
    QString application;  // "REMETIX", "GENERICO", ...
    QString description;  // nom_str
    TableDef definition;  // fields and indexes (index names: the sort-order names)
    QStringList fieldDescriptions; // des_str, parallel to definition.fields
};

struct DictionaryText
{
    int version = 0;
    QList<DictionaryTable> tables;

    const DictionaryTable *find(const QString &tabStr) const;

    // Throws DbError naming the line when the text is not well formed (an
    // unknown kind, a text field without size, an index on a missing field).
    static DictionaryText parse(const QString &text, const QString &sourceName);
    static DictionaryText load(const QString &path);
};

// Kind words as the dictionary writes them ("text", "integer", ...).
namespace FieldKinds {
QString word(FieldKind kind);
bool fromWord(const QString &word, FieldKind *kind);
} // namespace FieldKinds
