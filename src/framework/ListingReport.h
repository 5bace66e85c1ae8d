#pragma once

#include "framework/PreviewReport.h"

#include <QDate>
#include <QList>
#include <QStringList>

class Table;

// A register's rows as a printed list: title, company and date on every
// page, the chosen columns, and "Página n de m" at the foot.
class ListingReport : public PreviewReport
{
public:
    struct Column
    {
        QString field;
        QString title;
        int weight; // share of the page width
    };

    ListingReport(const QString &name, const QString &title, const QString &company, const QDate &date,
                  const QList<Column> &columns);

    // Reads the rows of table in its current order and view; the table stays
    // on the record it was on.
    void readRows(Table &table);
    const QList<QStringList> &rows() const { return rows_; }

    QString name() const override { return name_; }
    QString title() const { return title_; }
    QString company() const { return company_; }
    void paint(QPrinter *printer) override;
    // Pages the last paint produced.
    int pagesPainted() const { return pages_; }

private:
    QString name_;
    QString title_;
    QString company_;
    QDate date_;
    QList<Column> columns_;
    QList<QStringList> rows_;
    int pages_ = 0;
};
