#include "framework/RegisterGrid.h"

#include "framework/DataDictionary.h"
#include "framework/ModuleRights.h"
#include "storage/Table.h"
#include "storage/TableModel.h"

#include <QFont>
#include <QHeaderView>
#include <QMenu>

namespace {

// The header marks the ordering column, which TableModel reports.
class OrderedModel : public TableModel
{
public:
    using TableModel::TableModel;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role == Qt::FontRole && orientation == Qt::Horizontal) {
            QFont font;
            font.setBold(section == orderColumn());
            return font;
        }
        return TableModel::headerData(section, orientation, role);
    }
};

} // namespace

RegisterGrid::RegisterGrid(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    menu_ = new QMenu(QStringLiteral("Ordenar por:"), this);
    menu_->setObjectName(QStringLiteral("Idx_Menu"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { menu_->popup(viewport()->mapToGlobal(at)); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) { orderByColumn(column); });
}

void RegisterGrid::setTable(Table *table, const QStringList &fields, const QStringList &titles)
{
    table_ = table;
    auto *model = new OrderedModel(table, this);
    model->setColumns(fields, titles);
    delete model_;
    model_ = model;
    setModel(model);
    connect(model, &TableModel::orderColumnChanged, this,
            [model] { emit model->headerDataChanged(Qt::Horizontal, 0, model->columnCount() - 1); });
    connect(model, &TableModel::currentRowChanged, this, [this](int row) {
        if (row >= 0 && (!currentIndex().isValid() || currentIndex().row() != row))
            setCurrentIndex(model_->index(row, currentIndex().isValid() ? currentIndex().column() : 0));
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &index) {
        if (index.isValid() && table_ && table_->isOpen() && index.row() != table_->recordNumber() - 1)
            table_->moveTo(index.row());
    });
    if (table->isOpen() && !table->isEmpty())
        setCurrentIndex(model->index(table->recordNumber() - 1, 0));
}

void RegisterGrid::fillIndexMenu(const DataDictionary &dictionary, const QString &dictionaryTable)
{
    menu_->clear();
    menu_->addSection(QStringLiteral("Ordenar por:"));
    if (!table_)
        return;
    for (const IndexDef &index : table_->indexDefs()) {
        const QString fields = index.fields.join(QLatin1Char(';'));
        QString description = dictionary.indexDescription(dictionaryTable, fields);
        if (description.isEmpty())
            description = fields;
        QAction *item = menu_->addAction(QStringLiteral("Índice por ") + description);
        connect(item, &QAction::triggered, this, [this, fields] {
            if (table_)
                table_->setIndexFieldNames(fields);
        });
    }
}

bool RegisterGrid::orderByColumn(int column)
{
    if (!table_ || !model_)
        return false;
    const QString field = model_->columnField(column);
    if (field.isEmpty() || !ModuleRights::columnHasIndex(*table_, field))
        return false;
    table_->setIndexFieldNames(field);
    return true;
}

QString RegisterGrid::currentField() const
{
    if (!model_)
        return {};
    return model_->columnField(currentIndex().isValid() ? currentIndex().column() : 0);
}

QString RegisterGrid::currentTitle() const
{
    if (!model_)
        return {};
    return model_->headerData(currentIndex().isValid() ? currentIndex().column() : 0, Qt::Horizontal).toString();
}
