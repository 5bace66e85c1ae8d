#include "framework/TChecaCGC.h"

namespace {

int reduce(int sum)
{
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

} // namespace

bool TChecaCGC::Valida(const QString &text) const
{
    if (text.size() < 2)
        return false;
    int first = 0;
    int second = 0;
    int k = 0;
    for (qsizetype i = 0; i < text.size() - 2; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('-'))
            continue;
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
        ++k;
        const int digit = c.unicode() - '0';
        first += digit * (k <= 4 ? 6 - k : 14 - k);
        second += digit * (k <= 5 ? 7 - k : 15 - k);
    }
    const int d1 = reduce(first);
    const int d2 = reduce(second + 2 * d1);
    return QString::number(d1) + QString::number(d2) == text.right(2);
}
