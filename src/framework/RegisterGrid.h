#pragma once

#include <QTableView>

class DataDictionary;
class QMenu;
class Table;
class TableModel;

// A register's "Tabela" grid: the chosen columns of a table, ordered by a
// click on a column title when the table has an index on that column, the
// ordering column's title in bold, and the pop-up "Ordenar por:" with the
// table's indexes by their dictionary descriptions.
class RegisterGrid : public QTableView
{
    Q_OBJECT
public:
    explicit RegisterGrid(QWidget *parent = nullptr);

    void setTable(Table *table, const QStringList &fields, const QStringList &titles);
    Table *table() const { return table_; }
    TableModel *tableModel() const { return model_; }

    // The items of Idx_Menu, one per index: "Índice por " + its description.
    void fillIndexMenu(const DataDictionary &dictionary, const QString &dictionaryTable);
    QMenu *indexMenu() const { return menu_; }

    // A click on title column: true when the grid now orders by it.
    bool orderByColumn(int column);
    QString currentField() const;
    QString currentTitle() const;

private:
    Table *table_ = nullptr;
    TableModel *model_ = nullptr;
    QMenu *menu_ = nullptr;
};
