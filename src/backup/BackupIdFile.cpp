#include "backup/BackupIdFile.h"

#include <QFileInfo>

namespace {
const QString Header = QStringLiteral("CABECALHO");
const QString List = QStringLiteral("LISTA");

QString threeDigits(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }

QString withoutExtension(const QString &file)
{
    const QString suffix = QFileInfo(file).suffix();
    return suffix.isEmpty() ? file : file.left(file.size() - suffix.size() - 1);
}
} // namespace

BackupIdFile::BackupIdFile(const QString &path) : ini_(path) {}

QString BackupIdFile::sevenZipName(const QString &archive) { return withoutExtension(archive) + QStringLiteral(".ID"); }

QString BackupIdFile::volumeName(const QString &backupFile, int volume)
{
    return withoutExtension(backupFile) + threeDigits(volume) + QStringLiteral(".ID");
}

void BackupIdFile::setHeader(int volume, const QDateTime &made, const QString &operatorName, int dictionaryVersion)
{
    ini_.setValue(Header, QStringLiteral("Disco"), threeDigits(volume));
    ini_.setValue(Header, QStringLiteral("Data"), made.toString(QStringLiteral("dd/MM/yyyy")));
    ini_.setValue(Header, QStringLiteral("Hora"), made.toString(QStringLiteral("HH:mm:ss")));
    ini_.setValue(Header, QStringLiteral("Operador"), operatorName);
    ini_.setValue(Header, QStringLiteral("VersaoStr"), QString::number(dictionaryVersion));
}

void BackupIdFile::setLines(const QList<QPair<int, QString>> &lines)
{
    ini_.removeSection(List);
    for (const auto &[number, text] : lines)
        ini_.setValue(List, threeDigits(number), text);
}

void BackupIdFile::setLines(const QStringList &lines)
{
    QList<QPair<int, QString>> numbered;
    for (int i = 0; i < lines.size(); ++i)
        numbered.append({i, lines[i]});
    setLines(numbered);
}

QString BackupIdFile::date() const { return ini_.value(Header, QStringLiteral("Data")); }
QString BackupIdFile::time() const { return ini_.value(Header, QStringLiteral("Hora")); }
QString BackupIdFile::operatorName() const { return ini_.value(Header, QStringLiteral("Operador")); }
int BackupIdFile::dictionaryVersion() const { return ini_.intValue(Header, QStringLiteral("VersaoStr"), 0); }

QStringList BackupIdFile::sevenZipLines() const
{
    QStringList lines;
    for (int key = 0; key <= 999; ++key) {
        const QString text = ini_.value(List, threeDigits(key));
        if (!text.isEmpty())
            lines << text;
    }
    return lines;
}

QStringList BackupIdFile::olderKindLines() const
{
    QStringList lines;
    for (const QString &key : ini_.keys(List))
        lines << (key + QLatin1Char('=') + ini_.value(List, key)).mid(4);
    return lines;
}
