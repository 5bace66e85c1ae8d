#include "storage/FilterExpression.h"

#include "storage/DbError.h"
#include "storage/FieldCodec.h"
#include "storage/SqlText.h"

FilterExpression::FilterExpression(const QString &text, const QList<FieldDef> &fields)
    : text_(text), fields_(fields)
{
    tokenize(text);
    if (peek().kind == Token::End)
        return;
    sql_ = parseOr();
    if (peek().kind != Token::End)
        fail(QStringLiteral("texto inesperado \"%1\"").arg(peek().text));
}

void FilterExpression::tokenize(const QString &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            const int start = i;
            while (i < n && (text.at(i).isLetterOrNumber() || text.at(i) == QLatin1Char('_')))
                ++i;
            tokens_.append({Token::Name, text.mid(start, i - start)});
        } else if (c.isDigit() || (c == QLatin1Char('-') && i + 1 < n && text.at(i + 1).isDigit())) {
            const int start = i++;
            while (i < n && (text.at(i).isDigit() || text.at(i) == QLatin1Char('.')))
                ++i;
            tokens_.append({Token::Number, text.mid(start, i - start)});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString value;
            ++i;
            for (;;) {
                if (i >= n)
                    fail(QStringLiteral("texto sem aspas de fechamento"));
                if (text.at(i) == c) {
                    if (i + 1 < n && text.at(i + 1) == c) {
                        value += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text.at(i++);
            }
            tokens_.append({Token::Text, value});
        } else {
            static const QStringList twoChar{QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("!=")};
            const QString pair = text.mid(i, 2);
            if (twoChar.contains(pair)) {
                tokens_.append({Token::Symbol, pair});
                i += 2;
            } else if (QStringLiteral("=<>()").contains(c)) {
                tokens_.append({Token::Symbol, QString(c)});
                ++i;
            } else {
                fail(QStringLiteral("caractere inesperado \"%1\"").arg(c));
            }
        }
    }
    tokens_.append({Token::End, QString()});
}

bool FilterExpression::acceptWord(const char *word)
{
    if (peek().kind == Token::Name && peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) {
        ++pos_;
        return true;
    }
    return false;
}

bool FilterExpression::acceptSymbol(const char *symbol)
{
    if (peek().kind == Token::Symbol && peek().text == QLatin1String(symbol)) {
        ++pos_;
        return true;
    }
    return false;
}

QString FilterExpression::parseOr()
{
    QString left = parseAnd();
    while (acceptWord("OR"))
        left = QStringLiteral("(%1 OR %2)").arg(left, parseAnd());
    return left;
}

QString FilterExpression::parseAnd()
{
    QString left = parseUnary();
    while (acceptWord("AND"))
        left = QStringLiteral("(%1 AND %2)").arg(left, parseUnary());
    return left;
}

QString FilterExpression::parseUnary()
{
    if (acceptWord("NOT"))
        return QStringLiteral("(NOT %1)").arg(parseUnary());
    if (acceptSymbol("(")) {
        const QString inner = parseOr();
        if (!acceptSymbol(")"))
            fail(QStringLiteral("falta \")\""));
        return inner;
    }
    return parseComparison();
}

QString FilterExpression::parseComparison()
{
    if (peek().kind != Token::Name)
        fail(peek().kind == Token::End ? QStringLiteral("expressão incompleta") : QStringLiteral("esperado nome de campo em \"%1\"").arg(peek().text));
    const QString name = tokens_.at(pos_++).text;
    const FieldDef *field = nullptr;
    for (const FieldDef &candidate : fields_)
        if (candidate.name.compare(name, Qt::CaseInsensitive) == 0)
            field = &candidate;
    if (!field)
        fail(QStringLiteral("campo \"%1\" não existe").arg(name));
    if (peek().kind != Token::Symbol || peek().text == QLatin1String("(") || peek().text == QLatin1String(")"))
        fail(QStringLiteral("esperado operador após \"%1\"").arg(name));
    QString op = tokens_.at(pos_++).text;
    if (op == QLatin1String("!="))
        op = QStringLiteral("<>");
    const QVariant raw = parseValue();
    const std::optional<QVariant> stored = FieldCodec::toStorage(*field, raw);
    if (!stored)
        fail(QStringLiteral("valor \"%1\" inválido para o campo %2").arg(raw.toString(), field->name));
    const QString column = SqlText::quote(field->name);
    if (stored->isNull()) {
        // Empty is stored as NULL, so "= ''" means "is empty".
        if (op == QLatin1String("="))
            return column + QLatin1String(" IS NULL");
        if (op == QLatin1String("<>"))
            return column + QLatin1String(" IS NOT NULL");
        fail(QStringLiteral("comparação \"%1\" com valor vazio").arg(op));
    }
    values_ << *stored;
    return QStringLiteral("%1 %2 ?").arg(column, op);
}

QVariant FilterExpression::parseValue()
{
    if (acceptSymbol("(")) {
        const QVariant inner = parseValue();
        if (!acceptSymbol(")"))
            fail(QStringLiteral("falta \")\""));
        return inner;
    }
    const Token token = peek();
    if (token.kind == Token::Text) {
        ++pos_;
        return token.text;
    }
    if (token.kind == Token::Number) {
        ++pos_;
        if (token.text.contains(QLatin1Char('.')))
            return token.text.toDouble();
        return token.text.toLongLong();
    }
    if (acceptWord("TRUE"))
        return true;
    if (acceptWord("FALSE"))
        return false;
    if (acceptWord("NULL"))
        return QVariant();
    fail(QStringLiteral("esperado valor"));
}

void FilterExpression::fail(const QString &why) const
{
    throw DbError(QStringLiteral("Erro no filtro \"%1\": %2").arg(text_, why));
}
