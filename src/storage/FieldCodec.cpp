#include "storage/FieldCodec.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace FieldCodec {

namespace {

const char *const isoDate = "yyyy-MM-dd";
const char *const isoTime = "HH:mm:ss";
const char *const isoStamp = "yyyy-MM-dd HH:mm:ss";

std::optional<double> toDouble(const QVariant &value)
{
    bool ok = false;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        double d = QLocale::c().toDouble(text, &ok);
        if (!ok)
            d = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(text, &ok);
        return ok ? std::optional<double>(d) : std::nullopt;
    }
    const double d = value.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

std::optional<qlonglong> toInteger(const QVariant &value)
{
    bool ok = false;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        if (d != qRound64(d))
            return std::nullopt;
        return qRound64(d);
    }
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    const qlonglong n = value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok) : value.toLongLong(&ok);
    return ok ? std::optional<qlonglong>(n) : std::nullopt;
}

QDate toDate(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    const QString text = value.toString().trimmed();
    QDate d = QDate::fromString(text.left(10), QLatin1String(isoDate));
    if (!d.isValid())
        d = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    return d;
}

QTime toTime(const QVariant &value)
{
    if (value.typeId() == QMetaType::QTime)
        return value.toTime();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().time();
    const QString text = value.toString().trimmed();
    QTime t = QTime::fromString(text, QLatin1String(isoTime));
    if (!t.isValid())
        t = QTime::fromString(text, QStringLiteral("HH:mm"));
    return t;
}

QDateTime toStamp(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    const QString text = value.toString().trimmed();
    QDateTime s = QDateTime::fromString(text, QLatin1String(isoStamp));
    if (!s.isValid())
        s = QDateTime::fromString(text, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    if (!s.isValid() && toDate(value).isValid())
        s = QDateTime(toDate(value), QTime(0, 0));
    return s;
}

std::optional<bool> toBool(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed().toUpper();
        if (t == QLatin1String("TRUE") || t == QLatin1String("T") || t == QLatin1String("S") || t == QLatin1String("1"))
            return true;
        if (t == QLatin1String("FALSE") || t == QLatin1String("F") || t == QLatin1String("N") || t == QLatin1String("0"))
            return false;
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    return ok ? std::optional<bool>(n != 0) : std::nullopt;
}

} // namespace

QString declaredType(const FieldDef &field)
{
    switch (field.kind) {
    case FieldKind::Text: return QStringLiteral("TEXT(%1)").arg(field.size > 0 ? field.size : 255);
    case FieldKind::Integer: return QStringLiteral("INTEGER");
    case FieldKind::AutoInc: return QStringLiteral("AUTOINC");
    case FieldKind::Number: return QStringLiteral("DOUBLE");
    case FieldKind::Currency: return QStringLiteral("CURRENCY");
    case FieldKind::Date: return QStringLiteral("DATE");
    case FieldKind::Time: return QStringLiteral("TIME");
    case FieldKind::Timestamp: return QStringLiteral("TIMESTAMP");
    // "TEXT" gives the column text affinity, so a memo holding digits stays text.
    case FieldKind::Memo: return QStringLiteral("MEMO TEXT");
    case FieldKind::Logical: return QStringLiteral("LOGICAL");
    case FieldKind::Blob: return QStringLiteral("BLOB");
    }
    return QStringLiteral("TEXT");
}

FieldDef fromDeclared(const QString &name, const QString &declaredType)
{
    static const QRegularExpression textType(QStringLiteral("^\\s*(?:VAR)?(?:TEXT|CHAR)\\s*\\(\\s*(\\d+)\\s*\\)"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QString type = declaredType.trimmed().toUpper();
    FieldDef field{name, FieldKind::Text, 0};
    if (const auto m = textType.match(type); m.hasMatch())
        field.size = m.captured(1).toInt();
    else if (type == QLatin1String("INTEGER") || type == QLatin1String("INT") || type == QLatin1String("SMALLINT"))
        field.kind = FieldKind::Integer;
    else if (type == QLatin1String("AUTOINC"))
        field.kind = FieldKind::AutoInc;
    else if (type == QLatin1String("DOUBLE") || type == QLatin1String("REAL") || type == QLatin1String("NUMBER") || type == QLatin1String("FLOAT"))
        field.kind = FieldKind::Number;
    else if (type == QLatin1String("CURRENCY"))
        field.kind = FieldKind::Currency;
    else if (type == QLatin1String("DATE"))
        field.kind = FieldKind::Date;
    else if (type == QLatin1String("TIME"))
        field.kind = FieldKind::Time;
    else if (type == QLatin1String("TIMESTAMP"))
        field.kind = FieldKind::Timestamp;
    else if (type.startsWith(QLatin1String("MEMO")))
        field.kind = FieldKind::Memo;
    else if (type == QLatin1String("LOGICAL"))
        field.kind = FieldKind::Logical;
    else if (type == QLatin1String("BLOB"))
        field.kind = FieldKind::Blob;
    return field;
}

std::optional<QVariant> toStorage(const FieldDef &field, const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    if (value.typeId() == QMetaType::QString && value.toString().isEmpty())
        return QVariant();
    switch (field.kind) {
    case FieldKind::Text: {
        const QString text = value.toString();
        return QVariant(field.size > 0 ? text.left(field.size) : text);
    }
    case FieldKind::Memo:
        return QVariant(value.toString());
    case FieldKind::Integer:
    case FieldKind::AutoInc:
        if (const auto n = toInteger(value))
            return QVariant(*n);
        return std::nullopt;
    case FieldKind::Number:
    case FieldKind::Currency:
        if (const auto d = toDouble(value))
            return QVariant(*d);
        return std::nullopt;
    case FieldKind::Date:
        if (const QDate d = toDate(value); d.isValid())
            return QVariant(d.toString(QLatin1String(isoDate)));
        return std::nullopt;
    case FieldKind::Time:
        if (const QTime t = toTime(value); t.isValid())
            return QVariant(t.toString(QLatin1String(isoTime)));
        return std::nullopt;
    case FieldKind::Timestamp:
        if (const QDateTime s = toStamp(value); s.isValid())
            return QVariant(s.toString(QLatin1String(isoStamp)));
        return std::nullopt;
    case FieldKind::Logical:
        if (const auto b = toBool(value))
            return QVariant(qlonglong(*b ? 1 : 0));
        return std::nullopt;
    case FieldKind::Blob:
        return QVariant(value.toByteArray());
    }
    return std::nullopt;
}

QVariant fromStorage(FieldKind kind, const QVariant &stored)
{
    if (stored.isNull())
        return QVariant();
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Memo: return stored.toString();
    case FieldKind::Integer:
    case FieldKind::AutoInc: return stored.toLongLong();
    case FieldKind::Number:
    case FieldKind::Currency: return stored.toDouble();
    case FieldKind::Date: return QDate::fromString(stored.toString(), QLatin1String(isoDate));
    case FieldKind::Time: return QTime::fromString(stored.toString(), QLatin1String(isoTime));
    case FieldKind::Timestamp: return QDateTime::fromString(stored.toString(), QLatin1String(isoStamp));
    case FieldKind::Logical: return stored.toLongLong() != 0;
    case FieldKind::Blob: return stored.toByteArray();
    }
    return stored;
}

bool isNumeric(FieldKind kind)
{
    return kind == FieldKind::Integer || kind == FieldKind::AutoInc || kind == FieldKind::Number || kind == FieldKind::Currency;
}

} // namespace FieldCodec
