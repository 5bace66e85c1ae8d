#include "framework/StructureBuilder.h"

#include "framework/DictionaryText.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

namespace {

QString tabelas(const QString &programDir) { return PathCase::resolve(programDir, QStringLiteral("Tabelas")); }

QString targetName(const QString &dictName, const QString &fileName, bool deletedCopy)
{
    const QString base = fileName.trimmed().isEmpty() ? dictName.trimmed() : fileName.trimmed();
    return deletedCopy ? base + QStringLiteral("_X") : base;
}

} // namespace

TableDef StructureBuilder::definition(const QString &dictName, const QString &programDir)
{
    const QString key = dictName.trimmed().toUpper();
    Table rows;
    rows.setDirectory(tabelas(programDir));
    rows.setTableName(QStringLiteral("TbStrD"));
    rows.open();
    rows.setIndexFieldNames(QStringLiteral("Tab_Str;Tip_Str;ord_str"));
    rows.setRange({key}, {key});

    TableDef def;
    def.name = dictName.trimmed();
    QList<QPair<QString, IndexDef>> indexRows;
    for (rows.first(); !rows.eof(); rows.next()) {
        const QString type = rows.asString(QStringLiteral("Tip_Str")).trimmed().toUpper();
        const QString name = rows.asString(QStringLiteral("Cam_Str")).trimmed();
        const QString kindWord = rows.asString(QStringLiteral("Tip_Cam")).trimmed();
        if (type == QLatin1String("C")) {
            FieldDef field;
            field.name = name;
            if (!FieldKinds::fromWord(kindWord, &field.kind))
                throw DbError(QStringLiteral("Dicionário de dados: tipo de campo desconhecido \"%1\" em %2.%3")
                                  .arg(kindWord, key, name));
            field.size = int(rows.asInt(QStringLiteral("Tam_Cam")));
            if (field.kind == FieldKind::Text && field.size < 1)
                throw DbError(QStringLiteral("Dicionário de dados: campo texto sem tamanho em %1.%2").arg(key, name));
            def.fields.append(field);
        } else if (type == QLatin1String("I")) {
            IndexDef index;
            index.fields = name.split(QLatin1Char(';'), Qt::SkipEmptyParts);
            index.primary = kindWord.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0;
            index.unique = index.primary || kindWord.compare(QLatin1String("U"), Qt::CaseInsensitive) == 0;
            indexRows.append({name, index});
        }
    }
    if (def.fields.isEmpty())
        throw DbError(QStringLiteral("Dicionário de dados não descreve a tabela ") + key);
    // Index rows hold their field lists in upper case; the file gets the
    // fields' own names.
    for (auto &[list, index] : indexRows) {
        for (QString &f : index.fields) {
            bool known = false;
            for (const FieldDef &field : def.fields)
                if (field.name.compare(f, Qt::CaseInsensitive) == 0) {
                    f = field.name;
                    known = true;
                }
            if (!known)
                throw DbError(QStringLiteral("Dicionário de dados: índice %1 de %2 sobre campo inexistente").arg(list, key));
        }
        def.indexes.append(index);
    }
    return def;
}

TableDef StructureBuilder::deletedCopyOf(const TableDef &definition)
{
    TableDef copy = definition;
    for (IndexDef &index : copy.indexes)
        index.primary = index.unique = false;
    return copy;
}

bool StructureBuilder::create(const QString &dictName, const QString &dir, const QString &programDir,
                              const QString &fileName, bool deletedCopy, QString *error)
{
    return apply(dictName, dir, programDir, fileName, deletedCopy, error, &TableFile::create);
}

bool StructureBuilder::update(const QString &dictName, const QString &dir, const QString &programDir,
                              const QString &fileName, bool deletedCopy, QString *error)
{
    return apply(dictName, dir, programDir, fileName, deletedCopy, error, &TableFile::restructure);
}

bool StructureBuilder::apply(const QString &dictName, const QString &dir, const QString &programDir,
                             const QString &fileName, bool deletedCopy, QString *error, FileOperation operation)
{
    try {
        TableDef def = definition(dictName, programDir);
        if (deletedCopy)
            def = deletedCopyOf(def);
        def.name = targetName(dictName, fileName, deletedCopy);
        operation(dir, def.name, def);
        return true;
    } catch (const DbError &e) {
        if (error)
            *error = e.message();
        return false;
    }
}
