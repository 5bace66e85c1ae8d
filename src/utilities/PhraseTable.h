#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// The rows of the phrase of the day: "phrase|author" each, from the phrase
// file when it can be read, else the program's own collection.
namespace PhraseTable {

constexpr int kColumnWidth = 293;
constexpr int kLineLimit = 4096;

// The file's rows: a header line naming the columns (TAB between them), then
// one row a line up to the first empty line. Empty when the file is missing,
// unreadable, has no "Frase" column or no rows.
QStringList readFile(const QString &path);
// ProgramDir + "Tabelas/Frases.txt" when usable, else builtIn().
QStringList load(const QString &programDir);
const QStringList &builtIn();

// The offset of a newly drawn row: 1 .. n-1, never the first row; with a
// single row, 1.
int draw(int rowCount, QRandomGenerator &random);
// The row reached from the first by moving offset rows forward (the last
// row when that runs past the end).
QString rowAt(const QStringList &rows, int offset);

struct Parts
{
    QString phrase;
    QString author;
};
// Text before the first "|" and text after it; a row without "|" is all author.
Parts split(const QString &row);

} // namespace PhraseTable
