#include "storage/SqlText.h"

namespace SqlText {

QString quote(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString orderBy(const QStringList &fields)
{
    QStringList parts;
    for (const QString &field : fields)
        parts << quote(field);
    parts << QStringLiteral("rowid");
    return parts.join(QLatin1String(", "));
}

namespace {

struct Piece
{
    QString text;
    QVariantList values;
};

bool isEmptyValue(const QVariant &v)
{
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

// Lexicographic comparison from position i on. With NULL the smallest value,
// "f > NULL" is "f IS NOT NULL" and "f < v" includes a NULL f.
Piece compareFrom(const QStringList &fields, const QVariantList &values, int i, bool greater)
{
    if (i >= values.size() || i >= fields.size())
        return {};
    const QString f = quote(fields.at(i));
    const QVariant &v = values.at(i);
    const Piece rest = compareFrom(fields, values, i + 1, greater);
    Piece piece;
    QString strict;
    QString equal;
    if (isEmptyValue(v)) {
        strict = greater ? f + QLatin1String(" IS NOT NULL") : QStringLiteral("0");
        equal = f + QLatin1String(" IS NULL");
    } else {
        strict = greater ? f + QLatin1String(" > ?") : QStringLiteral("(%1 < ? OR %1 IS NULL)").arg(f);
        equal = f + QLatin1String(" = ?");
        piece.values << v << v;
    }
    if (rest.text.isEmpty()) {
        piece.text = QStringLiteral("(%1 OR %2)").arg(strict, equal);
    } else {
        piece.text = QStringLiteral("(%1 OR (%2 AND %3))").arg(strict, equal, rest.text);
        piece.values << rest.values;
    }
    return piece;
}

} // namespace

QString compareKey(const QStringList &fields, const QVariantList &values, const QString &op, QVariantList &bound)
{
    const bool greater = op.startsWith(QLatin1Char('>'));
    const Piece piece = compareFrom(fields, values, 0, greater);
    if (piece.text.isEmpty())
        return QString();
    // A plain bound on the first field lets SQLite seek in the index instead of
    // testing the whole expression row by row.
    if (!isEmptyValue(values.first())) {
        const QString f = quote(fields.first());
        bound << values.first() << piece.values;
        return (greater ? QStringLiteral("%1 >= ? AND %2") : QStringLiteral("(%1 <= ? OR %1 IS NULL) AND %2")).arg(f, piece.text);
    }
    bound << piece.values;
    return piece.text;
}

QString conjunction(const QStringList &parts)
{
    QStringList kept;
    for (const QString &part : parts)
        if (!part.isEmpty())
            kept << QLatin1Char('(') + part + QLatin1Char(')');
    return kept.join(QLatin1String(" AND "));
}

} // namespace SqlText
