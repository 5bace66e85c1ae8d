#include "framework/TChecaCPF.h"

namespace {

int checkDigit(int sum)
{
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

} // namespace

bool TChecaCPF::Valida(const QString &input) const
{
    QString text = input;
    const qsizetype hyphen = text.indexOf(QLatin1Char('-'));
    if (hyphen >= 0)
        text.remove(hyphen, 1);
    if (text.size() != 11)
        return false;
    int digits[10];
    for (int i = 0; i < 9; ++i) {
        if (!text[i].isDigit() || text[i].unicode() > '9')
            return false;
        digits[i] = text[i].digitValue();
    }
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += digits[i] * (10 - i);
    digits[9] = checkDigit(sum);
    sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += digits[i] * (11 - i);
    const int second = checkDigit(sum);
    return QString::number(digits[9]) + QString::number(second) == text.right(2);
}
