#pragma once

#include "storage/TableDef.h"

#include <QStringList>

// A table file on disk: "<dir>/<Name>.db", one SQLite database holding one
// table named after the file, with its indexes. Column kinds are written as
// the declared column types (TEXT(60), CURRENCY, DATE, LOGICAL, ...), so the
// file alone tells its structure.
class TableFile
{
public:
    // The file for name (with or without ".db") in dir, matched without case;
    // the exact name asked for when no file matches.
    static QString path(const QString &dir, const QString &name);
    static bool exists(const QString &dir, const QString &name);

    // Creates the file; throws DbError when it exists or cannot be made, and
    // then leaves no file behind.
    static void create(const QString &dir, const QString &fileName, const TableDef &definition);
    static TableDef readDefinition(const QString &dir, const QString &name);
    static TableDef readDefinition(const QString &filePath);

    // Gives the file definition's structure keeping every record: fields are
    // matched by name without case, new ones start empty, dropped ones go,
    // values are converted to the new kind where they fit (else left empty).
    // The new file is built beside the old one and renamed over it, so a
    // failure leaves the old file as it was.
    static void restructure(const QString &dir, const QString &name, const TableDef &definition);

    // Findings of SQLite's integrity check, one per line, each naming the file;
    // empty when the file is sound.
    static QStringList integrityCheck(const QString &filePath);

    // How an index is named inside the file (a primary index carries a mark).
    static QString storedIndexName(const QString &table, const IndexDef &index);
};
