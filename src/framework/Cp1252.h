#pragma once

#include <QByteArray>
#include <QString>

// Windows code page 1252: printer bytes, CSV exports, text reports and INI
// files written on the old computers.
namespace Cp1252 {
QString decode(const QByteArray &bytes);
// Characters the code page lacks become replacement.
QByteArray encode(const QString &text, char replacement = '?');
// True when bytes are well-formed UTF-8 (so not to be read as cp1252).
bool isUtf8(const QByteArray &bytes);
} // namespace Cp1252
