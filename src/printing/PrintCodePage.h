#pragma once

#include <QByteArray>
#include <QString>

// Printer bytes, the command log and the plain copy are Windows code page
// 1252, whatever the process's own encoding.
namespace PrintCodePage {
// Characters the code page lacks become '?'.
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);
} // namespace PrintCodePage
