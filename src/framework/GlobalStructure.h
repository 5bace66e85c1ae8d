#pragma once

#include <QString>
#include <QStringList>

class DataDictionary;

// The structure-check sequences of the data modules: the dictionary tables
// first, then every global table in its fixed order, and the tables of one
// company. Each step shows its own progress text and failure message; false
// means the program must end.
class GlobalStructure
{
public:
    GlobalStructure(DataDictionary &dictionary, const QString &programDir);

    QString tabelasDir() const { return tabelas_; }

    // TbStr and TbStrD must exist; both are opened and V is read.
    bool openDictionary();
    // TbMod must exist (it is opened by its data module, not here).
    bool moduleTablePresent();
    // TbVerEstru is created from the dictionary when missing, then opened.
    bool openVerifiedStructures();
    // The global tables, in order: TbEmp, TbCtd, TbNiv, TbJur, TbEtq, TbGiaPai,
    // TbCep (when its file exists), TbOpr, TbOprLog and the sibling ones.
    bool checkGlobalTables();
    static QStringList globalTableList(const QString &tabelasDir);

    // The company's tables: clients, extras, situations and suppliers in
    // centralDir, titles and the print log in companyDir.
    bool checkCompanyTables(const QString &companyDir, const QString &centralDir);

    // Every step above, in order (what the command line's check runs).
    bool runGlobal();

private:
    bool checkOne(const QString &name, const QString &dir);
    bool dictionaryFileMissing(const QString &file, const QString &what);

    DataDictionary &dictionary_;
    QString programDir_;
    QString tabelas_;
};
