#include "framework/ListingReport.h"

#include "storage/Table.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

ListingReport::ListingReport(const QString &name, const QString &title, const QString &company, const QDate &date,
                             const QList<Column> &columns)
    : name_(name), title_(title), company_(company), date_(date), columns_(columns)
{
}

void ListingReport::readRows(Table &table)
{
    rows_.clear();
    QList<int> fields;
    for (const Column &c : columns_)
        fields << table.fieldIndex(c.field);
    for (int row = 0; row < table.recordCount(); ++row) {
        QStringList line;
        for (int f : fields)
            line << (f < 0 ? QString() : table.displayTextAt(row, f).trimmed());
        rows_ << line;
    }
}

void ListingReport::paint(QPrinter *printer)
{
    QPainter painter;
    pages_ = 0;
    if (!painter.begin(printer))
        return;
    const QRectF area = printer->pageLayout().paintRectPixels(printer->resolution()).translated(
        -printer->pageLayout().paintRectPixels(printer->resolution()).topLeft());
    QFont body(QStringLiteral("Sans Serif"), 8);
    QFont bold = body;
    bold.setBold(true);
    QFont big = bold;
    big.setPointSize(12);
    painter.setFont(body);
    const qreal line = QFontMetricsF(body, printer).height() * 1.25;
    const qreal headerHeight = QFontMetricsF(big, printer).height() * 2 + line * 3;
    const qreal footHeight = line * 2;
    const int perPage = qMax(1, int((area.height() - headerHeight - footHeight) / line));
    const int pageCount = qMax(1, int((rows_.size() + perPage - 1) / perPage));

    int totalWeight = 0;
    for (const Column &c : columns_)
        totalWeight += c.weight;
    QList<qreal> xs;
    qreal x = area.left();
    for (const Column &c : columns_) {
        xs << x;
        x += area.width() * c.weight / qMax(1, totalWeight);
    }
    xs << area.right();

    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            printer->newPage();
        qreal y = area.top();
        painter.setFont(big);
        painter.drawText(QRectF(area.left(), y, area.width(), line * 1.6), Qt::AlignLeft | Qt::AlignVCenter, title_);
        painter.setFont(body);
        painter.drawText(QRectF(area.left(), y, area.width(), line * 1.6), Qt::AlignRight | Qt::AlignVCenter,
                         date_.toString(QStringLiteral("dd/MM/yyyy")));
        y += line * 1.8;
        painter.drawText(QRectF(area.left(), y, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter, company_);
        y += line * 1.5;
        painter.setFont(bold);
        for (int i = 0; i < columns_.size(); ++i)
            painter.drawText(QRectF(xs[i], y, xs[i + 1] - xs[i] - 4, line), Qt::AlignLeft | Qt::AlignVCenter,
                             columns_[i].title);
        y += line;
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        y += line * 0.3;
        painter.setFont(body);
        const int end = qMin(int(rows_.size()), (page + 1) * perPage);
        for (int r = page * perPage; r < end; ++r) {
            for (int i = 0; i < columns_.size() && i < rows_[r].size(); ++i)
                painter.drawText(QRectF(xs[i], y, xs[i + 1] - xs[i] - 4, line), Qt::AlignLeft | Qt::AlignVCenter,
                                 rows_[r][i]);
            y += line;
        }
        const qreal foot = area.bottom() - line;
        painter.drawLine(QPointF(area.left(), foot - line * 0.3), QPointF(area.right(), foot - line * 0.3));
        painter.drawText(QRectF(area.left(), foot, area.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Página %1 de %2").arg(page + 1).arg(pageCount));
        ++pages_;
    }
    painter.end();
}
