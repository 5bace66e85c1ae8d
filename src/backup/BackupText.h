#pragma once

#include <QByteArray>
#include <QString>

// Titles and file names inside a backup. The old computers wrote them in
// code page 1252; names it cannot hold are written as UTF-8, and a reader
// tells the two apart by whether the bytes are well-formed UTF-8.
namespace BackupText {
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);
} // namespace BackupText
