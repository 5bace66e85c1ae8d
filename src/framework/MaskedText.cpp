#include "framework/MaskedText.h"

#include "framework/UniKernix.h"

#include <QLineEdit>

namespace {

QString pattern(const QString &mask)
{
    QString body = mask.section(QLatin1Char(';'), 0, 0);
    if (body.startsWith(QLatin1Char('!')))
        body.remove(0, 1);
    return body;
}

bool isSlot(QChar c) { return c == QLatin1Char('9') || c == QLatin1Char('0') || c == QLatin1Char('#'); }

} // namespace

namespace MaskedText {

QString inputMask(const QString &mask)
{
    QString out;
    for (QChar c : pattern(mask)) {
        if (c == QLatin1Char('9') || c == QLatin1Char('#'))
            out += QLatin1Char('0');
        else if (c == QLatin1Char('0'))
            out += QLatin1Char('9');
        else if (QStringLiteral("AaNnXxHhBb>!<{}[]\\").contains(c))
            out += QLatin1Char('\\') + QString(c);
        else
            out += c;
    }
    const QString blank = mask.section(QLatin1Char(';'), 2, 2);
    return out + QLatin1Char(';') + (blank.isEmpty() ? QStringLiteral("_") : blank.left(1));
}

QString stored(const QString &text, const QString &mask)
{
    // A masked box's text drops its blanks, so positions do not line up with
    // the mask: any character that is not one of the mask's literals was typed.
    const QString body = pattern(mask);
    const QString blank = mask.section(QLatin1Char(';'), 2, 2).left(1);
    for (QChar c : text) {
        const bool literal = !isSlot(c) && body.contains(c);
        if (!literal && !c.isSpace() && (blank.isEmpty() || c != blank.at(0)))
            return text;
    }
    return {};
}

QDate storedDate(const QString &text)
{
    const QString value = stored(text, date());
    if (value.isEmpty() || !Kernix::TestaData(value))
        return {};
    return QDate::fromString(value, QStringLiteral("dd/MM/yyyy"));
}

void apply(QLineEdit *box, const QString &mask)
{
    const QString current = box->text();
    box->setInputMask(inputMask(mask));
    box->setText(current);
}

} // namespace MaskedText
