#pragma once

#include "storage/TableDef.h"

#include <QString>

// Makes table files from the field and index rows of the dictionary tables
// (TbStrD of the installation's "Tabelas"), so that a dictionary delivered with
// an update reshapes the files without a new program.
class StructureBuilder
{
public:
    // The definition the dictionary holds for dictName (its tab_str); throws
    // DbError when the dictionary does not describe it or a row is unusable.
    static TableDef definition(const QString &dictName, const QString &programDir);

    // Create the table file (fileName, or dictName when empty; + "_X" for the
    // deleted-records copy) in dir. false with error set on failure.
    static bool create(const QString &dictName, const QString &dir, const QString &programDir,
                       const QString &fileName, bool deletedCopy, QString *error = nullptr);
    // Bring an existing file to the dictionary's structure, keeping its records.
    static bool update(const QString &dictName, const QString &dir, const QString &programDir,
                       const QString &fileName, bool deletedCopy, QString *error = nullptr);

    // The copy keeps every deleted record, so nothing in it may be unique.
    static TableDef deletedCopyOf(const TableDef &definition);

private:
    using FileOperation = void (*)(const QString &dir, const QString &name, const TableDef &definition);
    static bool apply(const QString &dictName, const QString &dir, const QString &programDir, const QString &fileName,
                      bool deletedCopy, QString *error, FileOperation operation);
};
