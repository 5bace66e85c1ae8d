#pragma once

#include "storage/Table.h"

#include <QList>
#include <QString>

// The data dictionary at run time: TbStr and TbStrD of the global tables
// directory, the verified-structures table TbVerEstru, the index descriptions,
// and the structure check that every table passes before it is opened.
class DataDictionary
{
public:
    DataDictionary();

    Table TbStr;
    Table TbStrD;
    Table TbVerEstru;

    // The dictionary version V: ver_str of the first TbStr record.
    int version() const { return version_; }
    void setVersion(int v) { version_ = v; }
    void readVersion();

    // The index descriptions query. On failure its text goes to the SQL
    // error log, the error is reported, and the lookups answer empty.
    static QString indexDescriptionsSql();
    bool loadIndexDescriptions(const QString &tabelasDir);
    bool indexDescriptionsLoaded() const { return indexesLoaded_; }

    QString tableDescription(const QString &name);
    QString indexDescription(const QString &table, const QString &fieldList) const;
    QString indexFields(const QString &table, const QString &description) const;

    // True when the table can be opened; false when the program must end
    // (the user has been told why, or the integrity checker refused it).
    bool checkStructure(const QString &tableName, const QString &dictName, const QString &directory,
                        const QString &programDir);

    // TbVerEstru's key for a file: upper-case directory with trailing
    // separator + upper-case base name + ".DB".
    static QString verifiedKey(const QString &directory, const QString &fileBase);

    // "UPDATE <table> SET ASS_OPR = 0" when the table has an edit stamp.
    static void releaseStamps(const QString &directory, const QString &tableName);

private:
    struct IndexRow
    {
        QString table;
        QString fields;
        QString description;
    };
    bool createTable(const QString &dictName, const QString &directory, const QString &programDir,
                     const QString &tableName, bool copy, const QString &fileBase, const QString &description);
    bool verifyTable(const QString &dictName, const QString &directory, const QString &programDir,
                     const QString &tableName, bool copy, const QString &fileBase, const QString &description);
    bool locateVerified(const QString &key);

    int version_ = 0;
    bool indexesLoaded_ = false;
    QList<IndexRow> indexRows_;
};
