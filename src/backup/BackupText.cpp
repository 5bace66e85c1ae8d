#include "backup/BackupText.h"

#include "framework/Cp1252.h"

namespace BackupText {

QByteArray encode(const QString &text)
{
    const QByteArray ansi = Cp1252::encode(text);
    return Cp1252::decode(ansi) == text ? ansi : text.toUtf8();
}

QString decode(const QByteArray &bytes)
{
    return Cp1252::isUtf8(bytes) ? QString::fromUtf8(bytes) : Cp1252::decode(bytes);
}

} // namespace BackupText
