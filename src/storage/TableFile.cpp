#include "storage/TableFile.h"

#include "storage/DbError.h"
#include "storage/FieldCodec.h"
#include "storage/PathCase.h"
#include "storage/SqlConnection.h"
#include "storage/SqlText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const QString primaryMark = QStringLiteral("primary");

QString withExtension(const QString &name)
{
    return name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive) ? name : name + QLatin1String(".db");
}

QString baseName(const QString &fileName)
{
    const QString file = QFileInfo(fileName).fileName();
    return file.endsWith(QLatin1String(".db"), Qt::CaseInsensitive) ? file.chopped(3) : file;
}

QString scratchPath(const QString &finalPath, const char *purpose)
{
    return QStringLiteral("%1.%2-%3.tmp").arg(finalPath, QLatin1String(purpose)).arg(QCoreApplication::applicationPid());
}

void removeWithJournal(const QString &path)
{
    QFile::remove(path);
    QFile::remove(path + QLatin1String("-journal"));
}

void buildSchema(SqlConnection &db, const QString &table, const TableDef &definition)
{
    if (definition.fields.isEmpty())
        throw DbError(QStringLiteral("Definição da tabela %1 sem campos").arg(table));
    QStringList columns;
    for (const FieldDef &field : definition.fields)
        columns << SqlText::quote(field.name) + QLatin1Char(' ') + FieldCodec::declaredType(field);
    db.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(SqlText::quote(table), columns.join(QLatin1String(", "))));
    for (const IndexDef &index : definition.indexes) {
        QStringList fields;
        for (const QString &name : index.fields) {
            // Checked here: SQLite would take an unknown quoted name for a text constant.
            const auto field = std::find_if(definition.fields.cbegin(), definition.fields.cend(),
                                            [&](const FieldDef &f) { return f.name.compare(name, Qt::CaseInsensitive) == 0; });
            if (field == definition.fields.cend())
                throw DbError(QStringLiteral("Índice da tabela %1 usa campo inexistente: %2").arg(table, name));
            fields << SqlText::quote(field->name);
        }
        if (fields.isEmpty())
            throw DbError(QStringLiteral("Índice da tabela %1 sem campos").arg(table));
        db.exec(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                    .arg(index.primary || index.unique ? QStringLiteral("UNIQUE ") : QString(),
                         SqlText::quote(TableFile::storedIndexName(table, index)), SqlText::quote(table), fields.join(QLatin1String(", "))));
    }
}

// Builds the file at scratch and leaves it there; removes it again on failure.
void buildFile(const QString &scratch, const QString &table, const TableDef &definition)
{
    removeWithJournal(scratch);
    try {
        SqlConnection db(scratch);
        db.begin();
        buildSchema(db, table, definition);
        db.commit();
    } catch (...) {
        removeWithJournal(scratch);
        throw;
    }
}

QString tableIn(SqlConnection &db, const QString &schema, const QString &preferred)
{
    QSqlQuery query = db.prepare(QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid").arg(schema));
    db.run(query);
    QString first;
    while (query.next()) {
        const QString name = query.value(0).toString();
        if (name.compare(preferred, Qt::CaseInsensitive) == 0)
            return name;
        if (first.isEmpty())
            first = name;
    }
    if (first.isEmpty())
        throw DbError(QStringLiteral("O arquivo %1 não contém uma tabela").arg(db.path()));
    return first;
}

TableDef readFrom(SqlConnection &db, const QString &schema, const QString &preferred)
{
    TableDef definition;
    definition.name = tableIn(db, schema, preferred);
    const QString table = SqlText::quote(definition.name);
    QSqlQuery columns = db.prepare(QStringLiteral("PRAGMA %1.table_info(%2)").arg(schema, table));
    db.run(columns);
    while (columns.next())
        definition.fields << FieldCodec::fromDeclared(columns.value(1).toString(), columns.value(2).toString());
    QSqlQuery indexes = db.prepare(QStringLiteral("PRAGMA %1.index_list(%2)").arg(schema, table));
    db.run(indexes);
    QList<IndexDef> found;
    while (indexes.next()) {
        IndexDef index;
        const QString stored = indexes.value(1).toString();
        index.unique = indexes.value(2).toInt() != 0;
        if (stored == primaryMark || stored.startsWith(primaryMark + QLatin1Char(':'))) {
            index.primary = true;
            index.name = stored.mid(primaryMark.size() + 1);
        } else {
            index.name = stored;
        }
        QSqlQuery info = db.prepare(QStringLiteral("PRAGMA %1.index_info(%2)").arg(schema, SqlText::quote(stored)));
        db.run(info);
        while (info.next())
            index.fields << info.value(2).toString();
        found.prepend(index); // index_list lists the newest first
    }
    for (const IndexDef &index : found) {
        if (index.primary)
            definition.indexes.prepend(index);
        else
            definition.indexes.append(index);
    }
    return definition;
}

} // namespace

QString TableFile::storedIndexName(const QString &table, const IndexDef &index)
{
    if (index.primary)
        return index.name.isEmpty() ? primaryMark : primaryMark + QLatin1Char(':') + index.name;
    return index.name.isEmpty() ? table + QLatin1Char('_') + index.fields.join(QLatin1Char('_')) : index.name;
}

QString TableFile::path(const QString &dir, const QString &name)
{
    return PathCase::resolve(dir, withExtension(name));
}

bool TableFile::exists(const QString &dir, const QString &name)
{
    return QFileInfo(path(dir, name)).isFile();
}

void TableFile::create(const QString &dir, const QString &fileName, const TableDef &definition)
{
    const QString target = path(dir, fileName);
    if (QFileInfo::exists(target))
        throw DbError(QStringLiteral("A tabela %1 já existe").arg(target));
    if (!QFileInfo(dir).isDir())
        throw DbError(QStringLiteral("Não foi possível criar a tabela %1: o diretório não existe").arg(target));
    const QString scratch = scratchPath(target, "new");
    buildFile(scratch, baseName(target), definition);
    if (!QFile::rename(scratch, target)) {
        removeWithJournal(scratch);
        throw DbError(QStringLiteral("Não foi possível criar a tabela %1").arg(target));
    }
}

TableDef TableFile::readDefinition(const QString &dir, const QString &name)
{
    return readDefinition(path(dir, name));
}

TableDef TableFile::readDefinition(const QString &filePath)
{
    if (!QFileInfo(filePath).isFile())
        throw DbError(QStringLiteral("Tabela não encontrada: %1").arg(filePath));
    SqlConnection db(filePath, SqlConnection::Mode::ReadOnly);
    return readFrom(db, QStringLiteral("main"), baseName(filePath));
}

void TableFile::restructure(const QString &dir, const QString &name, const TableDef &definition)
{
    const QString target = path(dir, name);
    const TableDef old = readDefinition(target);
    const QString table = baseName(target);
    const QString scratch = scratchPath(target, "restructure");
    buildFile(scratch, table, definition);
    try {
        {
            SqlConnection db(scratch);
            QSqlQuery attach = db.prepare(QStringLiteral("ATTACH DATABASE ? AS old"));
            db.run(attach, {target});
            QStringList oldColumns{QStringLiteral("rowid")};
            QStringList newColumns{QStringLiteral("rowid")};
            QList<std::pair<FieldKind, FieldDef>> conversions;
            for (const FieldDef &field : definition.fields) {
                for (const FieldDef &was : old.fields) {
                    if (was.name.compare(field.name, Qt::CaseInsensitive) != 0)
                        continue;
                    oldColumns << SqlText::quote(was.name);
                    newColumns << SqlText::quote(field.name);
                    conversions.append({was.kind, field});
                }
            }
            QStringList marks;
            for (int i = 0; i < newColumns.size(); ++i)
                marks << QStringLiteral("?");
            db.begin();
            QSqlQuery insert = db.prepare(QStringLiteral("INSERT INTO main.%1 (%2) VALUES (%3)")
                                              .arg(SqlText::quote(table), newColumns.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
            QSqlQuery rows = db.prepare(QStringLiteral("SELECT %1 FROM old.%2").arg(oldColumns.join(QLatin1String(", ")), SqlText::quote(old.name)));
            rows.setForwardOnly(true);
            db.run(rows);
            while (rows.next()) {
                QVariantList values{rows.value(0)};
                for (int i = 0; i < conversions.size(); ++i) {
                    const QVariant value = FieldCodec::fromStorage(conversions.at(i).first, rows.value(i + 1));
                    values << FieldCodec::toStorage(conversions.at(i).second, value).value_or(QVariant());
                }
                db.run(insert, values);
            }
            rows.finish();
            db.commit();
        }
        if (std::rename(QFile::encodeName(scratch).constData(), QFile::encodeName(target).constData()) != 0)
            throw DbError(QStringLiteral("Não foi possível substituir a tabela %1: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    } catch (...) {
        removeWithJournal(scratch);
        throw;
    }
}

QStringList TableFile::integrityCheck(const QString &filePath)
{
    if (!QFileInfo(filePath).isFile())
        return {QStringLiteral("%1: arquivo não encontrado").arg(filePath)};
    try {
        SqlConnection db(filePath, SqlConnection::Mode::ReadOnly);
        QSqlQuery check = db.prepare(QStringLiteral("PRAGMA integrity_check"));
        db.run(check);
        QStringList findings;
        while (check.next()) {
            const QString line = check.value(0).toString();
            if (line != QLatin1String("ok"))
                findings << QStringLiteral("%1: %2").arg(filePath, line);
        }
        if (findings.isEmpty())
            tableIn(db, QStringLiteral("main"), baseName(filePath));
        return findings;
    } catch (const DbError &error) {
        return {QStringLiteral("%1: %2").arg(filePath, error.message())};
    }
}
