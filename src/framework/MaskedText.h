#pragma once

#include <QDate>
#include <QString>

class QLineEdit;

// Masked boxes as the records keep them: the value with the mask's literal
// characters ("12345-678"), and nothing at all while only the blank pattern
// shows. Masks are written as the records' layouts give them
// ("!99999-999;1;_": 9 an optional digit, 0 a required one, then whether
// literals are kept and the blank character).
namespace MaskedText {

// The same mask as QLineEdit::setInputMask understands it.
QString inputMask(const QString &mask);

// The value to store for what the box holds (QLineEdit::text() of a masked box).
QString stored(const QString &text, const QString &mask);

// A date box ("99/99/9999"): its date, or an invalid date when only the blank
// pattern shows or the text is not a calendar date.
QDate storedDate(const QString &text);

// Gives box its mask, taking over whatever it holds.
void apply(QLineEdit *box, const QString &mask);

inline const QString cnpj() { return QStringLiteral("!99.999.999/9999-99;1;_"); }
inline const QString cpf() { return QStringLiteral("!999999999-99;1;_"); }
inline const QString cep() { return QStringLiteral("!99999-999;1;_"); }
inline const QString date() { return QStringLiteral("!99/99/9999;1;_"); }

} // namespace MaskedText
