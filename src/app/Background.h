#pragma once

#include <QBrush>
#include <QSize>
#include <QString>

class Table;

// The main window's fill, from the operator's appearance fields.
class Background
{
public:
    struct Look
    {
        QString tpf, csl, esl, cid, cfd, esd, ima, eim;
        static Look fromOperator(const Table &operators); // the current record
    };

    // The brush that fills an area of size; Qt::NoBrush for no fill.
    static QBrush brush(const Look &look, const QSize &size);

    static Qt::BrushStyle solidPattern(const QString &esl);
};
