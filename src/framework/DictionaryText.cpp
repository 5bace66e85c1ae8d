#include "framework/DictionaryText.h"

#include "storage/DbError.h"

#include <QFile>

#include <array>

namespace FieldKinds {

namespace {
struct Word
{
    FieldKind kind;
    const char *word;
};
constexpr std::array<Word, 11> kWords{{
    {FieldKind::Text, "text"}, {FieldKind::Integer, "integer"}, {FieldKind::AutoInc, "autoinc"},
    {FieldKind::Number, "number"}, {FieldKind::Currency, "currency"}, {FieldKind::Date, "date"},
    {FieldKind::Time, "time"}, {FieldKind::Timestamp, "timestamp"}, {FieldKind::Memo, "memo"},
    {FieldKind::Logical, "logical"}, {FieldKind::Blob, "blob"},
}};
} // namespace

QString word(FieldKind kind)
{
    for (const Word &w : kWords)
        if (w.kind == kind)
            return QString::fromLatin1(w.word);
    return {};
}

bool fromWord(const QString &text, FieldKind *kind)
{
    for (const Word &w : kWords)
        if (text.compare(QLatin1String(w.word), Qt::CaseInsensitive) == 0) {
            *kind = w.kind;
            return true;
        }
    return false;
}

} // namespace FieldKinds

namespace {

// Splits a line into words, a double-quoted text counting as one word.
QStringList words(const QString &line, bool *ok)
{
    QStringList out;
    QString current;
    bool quoted = false;
    bool inWord = false;
    for (QChar c : line) {
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
                out << current;
                current.clear();
                inWord = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            if (inWord) {
                out << current;
                current.clear();
            }
            quoted = true;
        } else if (c.isSpace()) {
            if (inWord)
                out << current;
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
        }
    }
    if (inWord)
        out << current;
    *ok = !quoted;
    return out;
}

} // namespace

const DictionaryTable *DictionaryText::find(const QString &tabStr) const
{
    for (const DictionaryTable &table : tables)
        if (table.tabStr.compare(tabStr, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

DictionaryText DictionaryText::parse(const QString &text, const QString &sourceName)
{
    DictionaryText dictionary;
    DictionaryTable *open = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const auto fail = [&](const QString &why) {
            throw DbError(QStringLiteral("%1, linha %2: %3\r\n%4").arg(sourceName).arg(n + 1).arg(why, line));
        };
        bool ok = false;
        const QStringList w = words(line, &ok);
        if (!ok)
            fail(QStringLiteral("aspas sem fechamento"));
        const QString verb = w[0].toLower();
        if (verb == QLatin1String("version")) {
            if (w.size() != 2 || (dictionary.version = w[1].toInt(&ok), !ok) || dictionary.version < 1)
                fail(QStringLiteral("versão inválida"));
        } else if (verb == QLatin1String("table")) {
            if (open)
                fail(QStringLiteral("tabela anterior sem \"end\""));
            if (w.size() != 4)
                fail(QStringLiteral("esperado: table NOME APLICACAO \"descrição\""));
            if (dictionary.find(w[1]))
                fail(QStringLiteral("tabela repetida"));
            DictionaryTable table;
            table.tabStr = w[1].toUpper();
            table.application = w[2].toUpper();
            table.description = w[3];
            table.definition.name = w[1];
            dictionary.tables.append(table);
            open = &dictionary.tables.last();
        } else if (verb == QLatin1String("field")) {
            if (!open)
                fail(QStringLiteral("campo fora de tabela"));
            FieldDef field;
            if (w.size() < 4 || !FieldKinds::fromWord(w[2], &field.kind))
                fail(QStringLiteral("tipo de campo desconhecido"));
            field.name = w[1];
            const bool sized = field.kind == FieldKind::Text;
            if (w.size() != (sized ? 5 : 4))
                fail(sized ? QStringLiteral("campo texto sem tamanho") : QStringLiteral("campo mal formado"));
            if (sized && ((field.size = w[3].toInt(&ok)), !ok || field.size < 1 || field.size > 255))
                fail(QStringLiteral("tamanho inválido"));
            for (const FieldDef &other : open->definition.fields)
                if (other.name.compare(field.name, Qt::CaseInsensitive) == 0)
                    fail(QStringLiteral("campo repetido"));
            open->definition.fields.append(field);
            open->fieldDescriptions.append(w.last());
        } else if (verb == QLatin1String("index")) {
            if (!open)
                fail(QStringLiteral("índice fora de tabela"));
            IndexDef index;
            int at = 1;
            if (w.size() > 1 && w[1] == QLatin1String("primary")) {
                index.primary = index.unique = true;
                ++at;
            } else if (w.size() > 1 && w[1] == QLatin1String("unique")) {
                index.unique = true;
                ++at;
            }
            if (w.size() != at + 2)
                fail(QStringLiteral("esperado: index [primary|unique] CAMPOS \"nome\""));
            index.fields = w[at].split(QLatin1Char(';'), Qt::SkipEmptyParts);
            index.name = w[at + 1];
            for (const QString &f : index.fields) {
                bool known = false;
                for (const FieldDef &field : open->definition.fields)
                    known |= field.name.compare(f, Qt::CaseInsensitive) == 0;
                if (!known)
                    fail(QStringLiteral("índice sobre campo inexistente: ") + f);
            }
            if (index.primary)
                for (const IndexDef &other : open->definition.indexes)
                    if (other.primary)
                        fail(QStringLiteral("segunda chave primária"));
            open->definition.indexes.append(index);
        } else if (verb == QLatin1String("end")) {
            if (!open)
                fail(QStringLiteral("\"end\" sem tabela"));
            if (open->definition.fields.isEmpty())
                fail(QStringLiteral("tabela sem campos"));
            open = nullptr;
        } else {
            fail(QStringLiteral("linha não reconhecida"));
        }
    }
    if (open)
        throw DbError(sourceName + QStringLiteral(": tabela ") + open->tabStr + QStringLiteral(" sem \"end\""));
    if (dictionary.version < 1)
        throw DbError(sourceName + QStringLiteral(": sem linha de versão"));
    return dictionary;
}

DictionaryText DictionaryText::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Não foi possível ler ") + path + QStringLiteral(": ") + file.errorString());
    return parse(QString::fromUtf8(file.readAll()), path);
}
