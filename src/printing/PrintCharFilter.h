#pragma once

#include <QByteArray>
#include <QString>

// Text-mode printers know no accents: accented letters print as their plain
// letter, the marks that would print on their own become blanks.
namespace PrintCharFilter {
// ampersandAsIs: the '&' is kept ("CaracterEspecial" "S"); otherwise it
// prints as the letter 'e'. The answer is code page 1252.
QByteArray apply(const QString &text, bool ampersandAsIs);
} // namespace PrintCharFilter
