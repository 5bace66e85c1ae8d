#pragma once

#include <QChar>
#include <QColor>
#include <QString>

// The program's common routines, used by every subsystem.
namespace Kernix {

// Colours as the operator records keep them: a classic colour name ("clBlue")
// when the colour has one, otherwise "$00BBGGRR". StrToColor reads those forms,
// the system colour names, decimal values and "#RRGGBB"; anything else gives an
// invalid colour. "clNone"/"clDefault" stand for no colour (invalid QColor).
QString ColorToStr(const QColor &color);
QColor StrToColor(const QString &text);

// The value made fit to stand between two separators of an export line: the
// separator, line breaks and tabs become blanks. The caller trims the result.
QString Subst(const QString &text, QChar separator);

QString PrimeiraLetraMaiuscula(const QString &text);

// The number the text holds, as currency scaled by 10 000 ("8,50" -> 85 000),
// or def when it holds none. Decimal comma, with "." as thousands separator;
// a lone "." is taken as the decimal point. More than four decimals round
// half away from zero.
qint64 StrToFloatDef(const QString &text, qint64 def = 0);

// True when the text is not a whole number (lookups then search by name).
bool EString(const QString &text);

// True when the text, as typed in a "99/99/9999" box, is a real calendar date.
bool TestaData(const QString &text);

// Reports message followed by the error's own text, as an error box.
void TrataErro(const QString &message, const QString &errorText);

// Keystroke filter of a number box: the character to accept for typed (a "."
// becomes ","), or a null character to refuse it. cursor is where the
// character goes (-1: at the end).
QChar Numerico(const QString &current, QChar typed, int decimals, int cursor = -1);

// Waits ms milliseconds while window events run, through the clock.
void Delay(int ms);

// The stored form of a password: one-way, the same for the same input,
// length characters long (the program keeps 8).
QString Converte(const QString &password, int length = 8);

} // namespace Kernix
