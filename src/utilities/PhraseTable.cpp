#include "utilities/PhraseTable.h"

#include "framework/Cp1252.h"
#include "storage/PathCase.h"

#include <QFile>

namespace PhraseTable {

QStringList readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QString text = Cp1252::isUtf8(bytes) ? QString::fromUtf8(bytes) : Cp1252::decode(bytes);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        line.truncate(kLineLimit);
    }
    if (lines.isEmpty())
        return {};
    const QStringList header = lines.first().split(QLatin1Char('\t'));
    int column = -1;
    for (int i = 0; i < header.size(); ++i)
        if (header[i].trimmed().compare(QLatin1String("Frase"), Qt::CaseInsensitive) == 0)
            column = i;
    if (column < 0)
        return {};
    QStringList rows;
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            break;
        const QStringList values = lines[i].split(QLatin1Char('\t'));
        rows << (column < values.size() ? values[column] : QString()).left(kColumnWidth);
    }
    return rows;
}

QStringList load(const QString &programDir)
{
    const QString tabelas = PathCase::resolve(programDir, QStringLiteral("Tabelas"));
    const QStringList rows = readFile(PathCase::resolve(tabelas, QStringLiteral("Frases.txt")));
    return rows.isEmpty() ? builtIn() : rows;
}

int draw(int rowCount, QRandomGenerator &random)
{
    const int m = rowCount - 1;
    return (m > 0 ? int(random.bounded(m)) : 0) + 1;
}

QString rowAt(const QStringList &rows, int offset)
{
    if (rows.isEmpty())
        return {};
    return rows.at(qBound(0, offset, int(rows.size()) - 1));
}

Parts split(const QString &row)
{
    const int bar = int(row.indexOf(QLatin1Char('|')));
    if (bar < 0)
        return {QString(), row};
    return {row.left(bar), row.mid(bar + 1)};
}

} // namespace PhraseTable

namespace PhraseTable {

const QStringList &builtIn()
{
    static const QStringList rows = [] {
        QFile file(QStringLiteral(":/utilities/Frases.txt"));
        QStringList list;
        if (file.open(QIODevice::ReadOnly))
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
                if (!line.trimmed().isEmpty())
                    list << line.trimmed();
        return list;
    }();
    return rows;
}

} // namespace PhraseTable
