#include "storage/SqlDialect.h"

#include "storage/DbError.h"
#include "storage/FieldCodec.h"
#include "storage/SqlText.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isWord(const QString &text, const char *word)
{
    return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString literal(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

SqlDialect::SqlDialect(const QString &sql, const QString &directory)
    : original_(sql), directory_(directory)
{
    tokenize(sql);
    markTables();
    sql_ = render();
}

void SqlDialect::tokenize(const QString &sql)
{
    int i = 0;
    const int n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        const int start = i;
        if (c.isSpace()) {
            while (i < n && sql.at(i).isSpace())
                ++i;
            tokens_.append({Token::Space, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString value;
            ++i;
            bool closed = false;
            while (i < n) {
                if (sql.at(i) == c) {
                    if (i + 1 < n && sql.at(i + 1) == c) {
                        value += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += sql.at(i++);
            }
            if (!closed)
                throw DbError(QStringLiteral("Texto sem aspas de fechamento no SQL:\n%1").arg(original_));
            tokens_.append({c == QLatin1Char('\'') ? Token::Single : Token::Double, value});
        } else if (c == QLatin1Char(':') && i + 1 < n && (sql.at(i + 1).isLetter() || sql.at(i + 1) == QLatin1Char('_'))) {
            ++i;
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == QLatin1Char('_')))
                ++i;
            tokens_.append({Token::Parameter, sql.mid(start + 1, i - start - 1)});
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == QLatin1Char('_') || sql.at(i) == QLatin1Char('$')))
                ++i;
            tokens_.append({Token::Word, sql.mid(start, i - start)});
        } else if (c.isDigit()) {
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == QLatin1Char('.')))
                ++i;
            tokens_.append({Token::Number, sql.mid(start, i - start)});
        } else {
            ++i;
            if (i < n && QStringLiteral("<>=!|").contains(c) && QStringLiteral("<>=|").contains(sql.at(i)))
                ++i;
            tokens_.append({Token::Symbol, sql.mid(start, i - start)});
        }
    }
}

int SqlDialect::nextSignificant(int i) const
{
    for (++i; i < tokens_.size(); ++i)
        if (tokens_.at(i).kind != Token::Space)
            return i;
    return -1;
}

int SqlDialect::previousSignificant(int i) const
{
    for (--i; i >= 0; --i)
        if (tokens_.at(i).kind != Token::Space)
            return i;
    return -1;
}

// A table is named right after FROM, JOIN, UPDATE or INTO, or after a comma
// that follows a table (and its alias) in a FROM list. Inside SubString() and
// extract() FROM is part of the function and names no table.
void SqlDialect::markTables()
{
    QList<int> functionDepths;
    int depth = 0;
    bool tablePosition = false;
    bool inFromList = false;
    int fromDepth = 0;
    for (int i = 0; i < tokens_.size(); ++i) {
        Token &token = tokens_[i];
        if (token.kind == Token::Space)
            continue;
        if (token.kind == Token::Symbol && token.text == QLatin1String("(")) {
            const int before = previousSignificant(i);
            if (before >= 0 && tokens_.at(before).kind == Token::Word
                && (isWord(tokens_.at(before).text, "SUBSTRING") || isWord(tokens_.at(before).text, "EXTRACT")))
                functionDepths.append(depth);
            ++depth;
            tablePosition = false;
            continue;
        }
        if (token.kind == Token::Symbol && token.text == QLatin1String(")")) {
            --depth;
            if (!functionDepths.isEmpty() && functionDepths.last() == depth)
                functionDepths.removeLast();
            if (depth < fromDepth)
                inFromList = false;
            continue;
        }
        const bool inFunction = !functionDepths.isEmpty() && functionDepths.last() == depth - 1;
        if (tablePosition && (token.kind == Token::Double || token.kind == Token::Word)) {
            const int after = nextSignificant(i);
            const bool qualified = after >= 0 && tokens_.at(after).text == QLatin1String(".");
            token.table = !qualified;
            tablePosition = false;
            continue;
        }
        tablePosition = false;
        if (token.kind == Token::Word && !inFunction
            && (isWord(token.text, "FROM") || isWord(token.text, "JOIN") || isWord(token.text, "UPDATE") || isWord(token.text, "INTO"))) {
            tablePosition = true;
            if (isWord(token.text, "FROM")) {
                inFromList = true;
                fromDepth = depth;
            } else if (!isWord(token.text, "JOIN")) {
                inFromList = false;
            }
            continue;
        }
        if (token.kind == Token::Word
            && (isWord(token.text, "WHERE") || isWord(token.text, "ON") || isWord(token.text, "GROUP") || isWord(token.text, "ORDER")
                || isWord(token.text, "SET") || isWord(token.text, "HAVING") || isWord(token.text, "UNION"))) {
            inFromList = false;
            continue;
        }
        if (inFromList && depth == fromDepth && token.kind == Token::Symbol && token.text == QLatin1String(","))
            tablePosition = true;
    }
    for (Token &token : tokens_)
        if (token.table)
            token.text = attach(token.text);
}

QString SqlDialect::attach(const QString &reference)
{
    QString ref = reference;
    ref.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int slash = int(ref.lastIndexOf(QLatin1Char('/')));
    QString dir = slash < 0 ? directory_ : ref.left(slash);
    if (dir.isEmpty())
        dir = QStringLiteral("/");
    else if (QDir::isRelativePath(dir) && slash >= 0)
        dir = QDir(directory_).filePath(dir);
    const QString file = TableFile::path(dir, slash < 0 ? ref : ref.mid(slash + 1));
    const QString canonical = QFileInfo(file).absoluteFilePath();
    for (const Attachment &existing : attachments_)
        if (existing.path == canonical)
            return existing.schema + QLatin1Char('.') + SqlText::quote(existing.definition.name);
    if (!QFileInfo(canonical).isFile())
        throw DbError(QStringLiteral("Tabela não encontrada: %1\nSQL:\n%2").arg(canonical, original_));
    Attachment attachment{QStringLiteral("t%1").arg(attachments_.size() + 1), canonical, {}};
    try {
        attachment.definition = TableFile::readDefinition(canonical);
    } catch (const DbError &error) {
        throw DbError(error.message() + QStringLiteral("\nSQL:\n") + original_);
    }
    attachments_.append(attachment);
    return attachment.schema + QLatin1Char('.') + SqlText::quote(attachment.definition.name);
}

bool SqlDialect::isLogicalColumn(const QString &name) const
{
    const std::optional<FieldKind> kind = kindOf(name);
    return kind && *kind == FieldKind::Logical;
}

std::optional<FieldKind> SqlDialect::kindOf(const QString &column) const
{
    for (const Attachment &attachment : attachments_)
        for (const FieldDef &field : attachment.definition.fields)
            if (field.name.compare(column, Qt::CaseInsensitive) == 0)
                return field.kind;
    return std::nullopt;
}

// The names of the first select list's columns: the alias, else the column
// name without its table; empty for expressions and "t.*".
QStringList SqlDialect::outputNames() const
{
    QStringList names;
    int depth = 0;
    bool inList = false;
    QList<int> item;
    auto close = [&] {
        QString name;
        const int n = int(item.size());
        if (n >= 2 && isWord(tokens_.at(item.at(n - 2)).text, "AS"))
            name = tokens_.at(item.last()).text;
        else if (n == 1 && tokens_.at(item.at(0)).kind == Token::Word)
            name = tokens_.at(item.at(0)).text;
        else if (n == 3 && tokens_.at(item.at(1)).text == QLatin1String(".") && tokens_.at(item.at(2)).kind == Token::Word)
            name = tokens_.at(item.at(2)).text;
        names << name;
        item.clear();
    };
    for (int i = 0; i < tokens_.size(); ++i) {
        const Token &token = tokens_.at(i);
        if (token.kind == Token::Space)
            continue;
        if (token.text == QLatin1String("("))
            ++depth;
        else if (token.text == QLatin1String(")"))
            --depth;
        if (depth == 0 && token.kind == Token::Word && isWord(token.text, "SELECT") && !inList) {
            inList = true;
            continue;
        }
        if (!inList)
            continue;
        if (depth == 0 && token.kind == Token::Word && isWord(token.text, "FROM")) {
            close();
            break;
        }
        if (depth == 0 && token.text == QLatin1String(","))
            close();
        else if (!(depth == 0 && (isWord(token.text, "DISTINCT") || isWord(token.text, "ALL")) && item.isEmpty()))
            item << i;
    }
    return names;
}

QString SqlDialect::render()
{
    // The old engine sorted by an output column named without its table even
    // where the name alone is ambiguous (both tables of a join have it);
    // SQLite needs the column's position for that.
    const QStringList outputs = outputNames();
    int depth = 0;
    bool inOrderBy = false;
    bool orderItemStart = false;
    enum class Open { Plain, SubString, Extract };
    QList<Open> parens;
    QString out;
    int skipUntil = -1;
    for (int i = 0; i < tokens_.size(); ++i) {
        if (i <= skipUntil)
            continue;
        const Token &token = tokens_.at(i);
        const bool insideSub = !parens.isEmpty() && parens.last() == Open::SubString;
        if (token.kind != Token::Space) {
            const bool itemStart = orderItemStart;
            orderItemStart = false;
            if (token.text == QLatin1String("("))
                ++depth;
            else if (token.text == QLatin1String(")"))
                --depth;
            if (depth == 0 && token.kind == Token::Word && isWord(token.text, "BY")) {
                const int before = previousSignificant(i);
                inOrderBy = before >= 0 && isWord(tokens_.at(before).text, "ORDER");
                orderItemStart = inOrderBy;
            } else if (inOrderBy && depth == 0 && token.text == QLatin1String(",")) {
                orderItemStart = true;
            } else if (inOrderBy && depth == 0 && token.kind == Token::Word && isWord(token.text, "LIMIT")) {
                inOrderBy = false;
            } else if (itemStart && token.kind == Token::Word) {
                const int after = nextSignificant(i);
                const bool bare = after < 0 || tokens_.at(after).text == QLatin1String(",") || isWord(tokens_.at(after).text, "ASC")
                                  || isWord(tokens_.at(after).text, "DESC") || isWord(tokens_.at(after).text, "LIMIT");
                int column = -1;
                for (int c = 0; bare && c < outputs.size() && column < 0; ++c)
                    if (outputs.at(c).compare(token.text, Qt::CaseInsensitive) == 0)
                        column = c;
                if (column >= 0) {
                    out += QString::number(column + 1);
                    continue;
                }
            }
        }
        switch (token.kind) {
        case Token::Space:
        case Token::Number:
            out += token.text;
            break;
        case Token::Parameter:
            parameters_ << token.text;
            out += QLatin1Char('?');
            break;
        case Token::Single:
        case Token::Double: {
            if (token.table) {
                out += token.text;
                break;
            }
            const int op = previousSignificant(i);
            const int column = op >= 0 ? previousSignificant(op) : -1;
            const bool logical = (isWord(token.text, "TRUE") || isWord(token.text, "FALSE")) && op >= 0
                                 && (tokens_.at(op).text == QLatin1String("=") || tokens_.at(op).text == QLatin1String("<>"))
                                 && column >= 0 && tokens_.at(column).kind == Token::Word && isLogicalColumn(tokens_.at(column).text);
            out += logical ? (isWord(token.text, "TRUE") ? QStringLiteral("1") : QStringLiteral("0")) : literal(token.text);
            break;
        }
        case Token::Word: {
            if (token.table) {
                out += token.text;
                break;
            }
            const int after = nextSignificant(i);
            const bool call = after >= 0 && tokens_.at(after).text == QLatin1String("(");
            if (call && isWord(token.text, "SUBSTRING")) {
                out += QStringLiteral("substr(");
                parens.append(Open::SubString);
                skipUntil = after;
            } else if (call && isWord(token.text, "EXTRACT")) {
                const int unit = nextSignificant(after);
                const int from = unit >= 0 ? nextSignificant(unit) : -1;
                if (from < 0 || !isWord(tokens_.at(from).text, "FROM"))
                    throw DbError(QStringLiteral("extract sem FROM no SQL:\n%1").arg(original_));
                const QString part = tokens_.at(unit).text.toUpper();
                const char *format = part == QLatin1String("DAY") ? "%d" : part == QLatin1String("MONTH") ? "%m" : part == QLatin1String("YEAR") ? "%Y" : nullptr;
                if (!format)
                    throw DbError(QStringLiteral("extract de \"%1\" não suportado no SQL:\n%2").arg(tokens_.at(unit).text, original_));
                out += QStringLiteral("CAST(strftime('%1', ").arg(QLatin1String(format));
                parens.append(Open::Extract);
                skipUntil = from;
            } else if (insideSub && (isWord(token.text, "FROM") || isWord(token.text, "FOR"))) {
                out += QLatin1Char(',');
            } else {
                out += token.text;
            }
            break;
        }
        case Token::Symbol:
            if (token.text == QLatin1String("(")) {
                parens.append(Open::Plain);
                out += token.text;
            } else if (token.text == QLatin1String(")")) {
                const Open kind = parens.isEmpty() ? Open::Plain : parens.takeLast();
                out += kind == Open::Extract ? QStringLiteral(") AS INTEGER)") : QStringLiteral(")");
            } else {
                out += token.text;
            }
            break;
        }
    }
    return out;
}
