#pragma once

#include "framework/RegisterServices.h"

#include <QDialog>

class QTableView;
class Table;
class TableModel;

// The modal list from which the user picks one record, or several: the
// table's records with the given columns and titles. The table's own
// position is given back as it was.
class SelectionList : public QDialog
{
    Q_OBJECT
public:
    SelectionList(const QString &caption, Table &table, const QStringList &fields, const QStringList &titles,
                  bool several, const QString &keyField, QWidget *parent = nullptr);
    ~SelectionList() override;

    QTableView *view() const { return view_; }
    // The key values of the rows chosen now, in the table's order.
    QVariantList chosenKeys() const;

private:
    Table &table_;
    QString keyField_;
    qint64 bookmark_ = -1;
    QTableView *view_;
    TableModel *model_;
};

// The selection dialog as the registers reach it (Seam<SelectionDialog>).
class SelectionListService : public SelectionDialog
{
public:
    QVariantList select(const QString &caption, Table &table, const QStringList &fields, const QStringList &titles,
                        bool several, const QString &keyField) override;
};
