#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

class Table;

// A grid's view of a Table: one row per record in the cursor's view, read
// only when the grid shows it. It follows the cursor (currentRowChanged) and
// tells which column holds the cursor's first order field, so the grid can
// mark the sorted column.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TableModel(Table *table, QObject *parent = nullptr);

    Table *table() const { return table_; }
    // The columns to show, by field name, with their titles (the field names
    // when titles are missing); all fields in table order until set.
    void setColumns(const QStringList &fields, const QStringList &titles = {});
    QString columnField(int column) const;
    int orderColumn() const;
    int currentRow() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void currentRowChanged(int row);
    void orderColumnChanged(int column);

private:
    void resetFromTable();
    QStringList shownFields() const;

    QPointer<Table> table_;
    QStringList fields_;
    QStringList titles_;
    QList<int> fieldIndexes_;
    int orderColumn_ = -1;
};
