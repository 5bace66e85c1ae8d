#include "framework/InstallationBuilder.h"

#include "framework/AppCodes.h"
#include "framework/DataDictionary.h"
#include "framework/DictionaryText.h"
#include "framework/GlobalStructure.h"
#include "framework/Session.h"
#include "framework/StructureBuilder.h"
#include "storage/DbError.h"
#include "storage/FieldCodec.h"
#include "storage/SqlConnection.h"
#include "storage/SqlText.h"
#include "storage/PathCase.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QStringList dataLines(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Não foi possível ler ") + resource);
    QStringList lines;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith(QLatin1Char('#')))
            lines << t;
    }
    return lines;
}

void createFrom(const DictionaryText &dictionary, const QString &tabStr, const QString &dir, const QString &fileName)
{
    const DictionaryTable *table = dictionary.find(tabStr);
    if (!table)
        throw DbError(QStringLiteral("Dicionário de dados não descreve a tabela ") + tabStr);
    TableDef def = table->definition;
    def.name = fileName;
    TableFile::create(dir, fileName, def);
}

// Rows of a new table in one transaction: a new installation's hundreds of
// dictionary rows would otherwise wait for a disk sync each.
void appendRows(const QString &dir, const QString &name, const QStringList &fields, const QList<QVariantList> &rows)
{
    const TableDef def = TableFile::readDefinition(dir, name);
    QList<FieldDef> kinds;
    QStringList quoted;
    QStringList marks;
    for (const QString &f : fields) {
        for (const FieldDef &field : def.fields)
            if (field.name.compare(f, Qt::CaseInsensitive) == 0)
                kinds << field;
        quoted << SqlText::quote(f);
        marks << QStringLiteral("?");
    }
    if (kinds.size() != fields.size())
        throw DbError(QStringLiteral("Campo desconhecido em ") + name);
    SqlConnection db(TableFile::path(dir, name));
    db.begin();
    try {
        QSqlQuery insert = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(SqlText::quote(def.name), quoted.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        for (const QVariantList &row : rows) {
            QVariantList stored;
            for (int i = 0; i < row.size(); ++i) {
                const std::optional<QVariant> value = FieldCodec::toStorage(kinds[i], row[i]);
                if (!value)
                    throw DbError(QStringLiteral("Valor inválido para %1 em %2").arg(kinds[i].name, name));
                stored << *value;
            }
            db.run(insert, stored);
        }
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
}

} // namespace

void InstallationBuilder::writeDictionaryTables(const QString &tabelasDir, const DictionaryText &dictionary)
{
    createFrom(dictionary, QStringLiteral("TBSTR"), tabelasDir, QStringLiteral("TbStr"));
    createFrom(dictionary, QStringLiteral("TBSTRD"), tabelasDir, QStringLiteral("TbStrD"));

    QList<QVariantList> headers;
    QList<QVariantList> details;
    for (const DictionaryTable &table : dictionary.tables) {
        headers << QVariantList{table.tabStr, table.description, dictionary.version, table.application};
        const QList<FieldDef> &fields = table.definition.fields;
        for (int i = 0; i < fields.size(); ++i)
            details << QVariantList{table.tabStr, QStringLiteral("C"), i + 1, fields[i].name, table.fieldDescriptions[i],
                                    FieldKinds::word(fields[i].kind),
                                    fields[i].kind == FieldKind::Text ? QVariant(fields[i].size) : QVariant()};
        const QList<IndexDef> &indexes = table.definition.indexes;
        for (int i = 0; i < indexes.size(); ++i)
            details << QVariantList{table.tabStr, QStringLiteral("I"), i + 1, indexes[i].fields.join(QLatin1Char(';')).toUpper(),
                                    QStringLiteral("Índice por ") + indexes[i].name,
                                    indexes[i].primary ? QVariant(QStringLiteral("P"))
                                        : indexes[i].unique ? QVariant(QStringLiteral("U")) : QVariant(),
                                    QVariant()};
    }
    appendRows(tabelasDir, QStringLiteral("TbStr"),
               {QStringLiteral("tab_str"), QStringLiteral("nom_str"), QStringLiteral("ver_str"), QStringLiteral("Apl_Str")}, headers);
    appendRows(tabelasDir, QStringLiteral("TbStrD"),
               {QStringLiteral("Tab_Str"), QStringLiteral("Tip_Str"), QStringLiteral("ord_str"), QStringLiteral("Cam_Str"),
                QStringLiteral("Des_Str"), QStringLiteral("Tip_Cam"), QStringLiteral("Tam_Cam")},
               details);
}

bool InstallationBuilder::build(const QString &dataRootIn, QString *error)
{
    QString dataRoot = QDir(dataRootIn).absolutePath() + QLatin1Char('/');
    const QString existing = PathCase::resolve(dataRoot, QStringLiteral("Tabelas"));
    if (TableFile::exists(existing, QStringLiteral("TbStr"))) {
        *error = QStringLiteral("Já existe uma instalação em ") + existing
            + QStringLiteral("; nada foi alterado.");
        return false;
    }
    const bool madeTabelas = !QFileInfo(existing).isDir();
    const QString tabelas = existing + QLatin1Char('/');
    if (!QDir().mkpath(tabelas)) {
        *error = QStringLiteral("Não foi possível criar o diretório ") + tabelas;
        return false;
    }
    const auto undo = [&]() {
        if (madeTabelas)
            QDir(tabelas).removeRecursively();
    };
    try {
        const DictionaryText dictionary = DictionaryText::load(QStringLiteral(":/data/dictionary.txt"));
        writeDictionaryTables(tabelas, dictionary);

        createFrom(dictionary, QStringLiteral("TBMOD"), tabelas, QStringLiteral("TbMod"));
        QList<QVariantList> moduleRows;
        for (const QString &line : dataLines(QStringLiteral(":/data/modules.txt"))) {
            const qsizetype bar = line.indexOf(QLatin1Char('|'));
            moduleRows << QVariantList{line.left(bar).trimmed(), line.mid(bar + 1).trimmed(), true};
        }
        appendRows(tabelas, QStringLiteral("TbMod"),
                   {QStringLiteral("cod_mod"), QStringLiteral("des_mod"), QStringLiteral("RX_mod")}, moduleRows);

        createFrom(dictionary, QStringLiteral("TBGIAPAI"), tabelas, QStringLiteral("TbGiaPai"));
        QList<QVariantList> countryRows;
        for (const QString &line : dataLines(QStringLiteral(":/data/countries.txt")))
            countryRows << QVariantList{line.toUpper()};
        appendRows(tabelas, QStringLiteral("TbGiaPai"), {QStringLiteral("nom_pai")}, countryRows);

        QString listError;
        if (!InstalledApplications::write(tabelas, {AppCodes::own()}, &listError))
            throw DbError(listError);
    } catch (const DbError &e) {
        *error = e.message();
        undo();
        return false;
    }

    // Every other global table comes from the structure check, as at any start.
    const InstalledApplications apps = InstalledApplications::load(tabelas);
    InstalledApplications::setCurrent(&apps);
    DataDictionary dictionary;
    GlobalStructure structure(dictionary, dataRoot);
    const bool checked = structure.runGlobal();
    InstalledApplications::setCurrent(nullptr);
    if (!checked) {
        *error = QStringLiteral("A verificação das tabelas globais falhou.");
        undo();
        return false;
    }
    return true;
}
