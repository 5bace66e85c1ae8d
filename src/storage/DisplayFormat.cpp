#include "storage/DisplayFormat.h"

#include "storage/FieldCodec.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace DisplayFormat {

namespace {

const QLocale &brazil()
{
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

QString number(double value, const QString &format)
{
    const QString section = format.section(QLatin1Char(';'), 0, 0);
    const int point = section.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? section : section.left(point);
    const QString decimalPart = point < 0 ? QString() : section.mid(point + 1);
    const int minDecimals = int(decimalPart.count(QLatin1Char('0')));
    const int maxDecimals = minDecimals + int(decimalPart.count(QLatin1Char('#')));
    const int minDigits = int(integerPart.count(QLatin1Char('0')));
    const bool grouping = integerPart.contains(QLatin1Char(','));

    QString digits = QString::number(std::fabs(value), 'f', maxDecimals);
    QString whole = digits.section(QLatin1Char('.'), 0, 0);
    QString fraction = digits.section(QLatin1Char('.'), 1, 1);
    while (fraction.size() > minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (whole == QLatin1String("0") && minDigits == 0 && !fraction.isEmpty())
        whole.clear();
    while (whole.size() < minDigits)
        whole.prepend(QLatin1Char('0'));
    if (grouping)
        for (int i = int(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char('.'));
    QString result = fraction.isEmpty() ? whole : whole + QLatin1Char(',') + fraction;
    const bool negative = value < 0 && result.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative ? QLatin1Char('-') + result : result;
}

// The registers' date notation in Qt's: m is the month, n the minute.
QString qtDateFormat(const QString &format)
{
    QString result;
    for (const QChar c : format) {
        if (c == QLatin1Char('m') || c == QLatin1Char('M'))
            result += QLatin1Char('M');
        else if (c == QLatin1Char('n') || c == QLatin1Char('N'))
            result += QLatin1Char('m');
        else if (c == QLatin1Char('D') || c == QLatin1Char('Y') || c == QLatin1Char('H') || c == QLatin1Char('S'))
            result += c.toLower();
        else
            result += c;
    }
    return result;
}

} // namespace

QString text(const QVariant &value, FieldKind kind, const QString &format)
{
    if (value.isNull() || !value.isValid())
        return QString();
    if (FieldCodec::isNumeric(kind)) {
        if (!format.isEmpty())
            return number(value.toDouble(), format);
        if (kind == FieldKind::Integer || kind == FieldKind::AutoInc)
            return QString::number(value.toLongLong());
        QLocale locale = brazil();
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(value.toDouble(), 'g', 15);
    }
    switch (kind) {
    case FieldKind::Date:
        return value.toDate().toString(format.isEmpty() ? QStringLiteral("dd/MM/yyyy") : qtDateFormat(format));
    case FieldKind::Time:
        return value.toTime().toString(format.isEmpty() ? QStringLiteral("HH:mm:ss") : qtDateFormat(format));
    case FieldKind::Timestamp:
        return value.toDateTime().toString(format.isEmpty() ? QStringLiteral("dd/MM/yyyy HH:mm:ss") : qtDateFormat(format));
    case FieldKind::Logical:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::Blob:
        return QStringLiteral("(Blob)");
    default:
        return value.toString();
    }
}

} // namespace DisplayFormat
