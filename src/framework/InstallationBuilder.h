#pragma once

#include <QString>

class DictionaryText;

// Builds a new installation's global tables directory from the data the
// program carries: the dictionary tables, the modules, the countries and the
// list of applications; then every global table through the structure check.
class InstallationBuilder
{
public:
    // dataRoot gets "Tabelas". Refuses a data root that already holds a
    // dictionary. false with the reason in error; a directory it made itself
    // is removed again on failure.
    static bool build(const QString &dataRoot, QString *error);

    // Writes TbStr and TbStrD for dictionary into tabelasDir (throws DbError).
    static void writeDictionaryTables(const QString &tabelasDir, const DictionaryText &dictionary);
};
