#include "storage/TableModel.h"

#include "storage/FieldCodec.h"
#include "storage/Table.h"

TableModel::TableModel(Table *table, QObject *parent)
    : QAbstractTableModel(parent), table_(table)
{
    connect(table, &Table::rowsReset, this, &TableModel::resetFromTable);
    connect(table, &Table::currentChanged, this, &TableModel::currentRowChanged);
    connect(table, &Table::stateChanged, this, [this] {
        const int row = currentRow();
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    resetFromTable();
}

QStringList TableModel::shownFields() const
{
    if (!fields_.isEmpty() || !table_)
        return fields_;
    QStringList all;
    for (const FieldDef &field : table_->fieldDefs())
        all << field.name;
    return all;
}

void TableModel::setColumns(const QStringList &fields, const QStringList &titles)
{
    fields_ = fields;
    titles_ = titles;
    resetFromTable();
}

void TableModel::resetFromTable()
{
    beginResetModel();
    fieldIndexes_.clear();
    if (table_)
        for (const QString &field : shownFields())
            fieldIndexes_ << table_->fieldIndex(field);
    endResetModel();
    int order = -1;
    if (table_ && table_->isOpen() && !table_->orderFields().isEmpty()) {
        const QString first = table_->orderFields().first();
        const QStringList shown = shownFields();
        for (int i = 0; i < shown.size() && order < 0; ++i)
            if (shown.at(i).compare(first, Qt::CaseInsensitive) == 0)
                order = i;
    }
    if (order != orderColumn_) {
        orderColumn_ = order;
        emit orderColumnChanged(order);
    }
}

QString TableModel::columnField(int column) const
{
    const QStringList shown = shownFields();
    return column >= 0 && column < shown.size() ? shown.at(column) : QString();
}

int TableModel::orderColumn() const
{
    return orderColumn_;
}

int TableModel::currentRow() const
{
    return table_ && table_->isOpen() ? table_->recordNumber() - 1 : -1;
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !table_ || !table_->isOpen() ? 0 : table_->recordCount();
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(fieldIndexes_.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !table_ || !table_->isOpen() || index.column() >= fieldIndexes_.size())
        return {};
    const int field = fieldIndexes_.at(index.column());
    if (field < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole: return table_->displayTextAt(index.row(), field);
    case Qt::EditRole: return table_->valueAt(index.row(), field);
    case Qt::TextAlignmentRole:
        if (FieldCodec::isNumeric(table_->fieldDefs().at(field).kind))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default: return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section >= 0 && section < titles_.size() && !titles_.at(section).isEmpty())
        return titles_.at(section);
    return columnField(section);
}
