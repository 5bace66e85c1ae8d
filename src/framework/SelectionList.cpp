#include "framework/SelectionList.h"

#include "storage/Table.h"
#include "storage/TableModel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

SelectionList::SelectionList(const QString &caption, Table &table, const QStringList &fields,
                             const QStringList &titles, bool several, const QString &keyField, QWidget *parent)
    : QDialog(parent), table_(table), keyField_(keyField)
{
    setObjectName(QStringLiteral("ForSelecao"));
    setWindowTitle(caption);
    if (table.isOpen() && !table.isEmpty())
        bookmark_ = table.bookmark();
    auto *layout = new QVBoxLayout(this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("Grade_Selecao"));
    model_ = new TableModel(&table, this);
    model_->setColumns(fields, titles);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(several ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setMinimumSize(460, 300);
    if (model_->rowCount() > 0)
        view_->selectRow(0);
    layout->addWidget(view_);
    auto *box = new QDialogButtonBox(this);
    box->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    box->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(view_, &QTableView::doubleClicked, this, &QDialog::accept);
}

SelectionList::~SelectionList()
{
    if (bookmark_ >= 0 && table_.isOpen())
        table_.gotoBookmark(bookmark_);
}

QVariantList SelectionList::chosenKeys() const
{
    const int key = table_.fieldIndex(keyField_);
    if (key < 0)
        return {};
    QList<int> rows;
    for (const QModelIndex &index : view_->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QVariantList keys;
    for (int row : rows)
        keys << table_.valueAt(row, key);
    return keys;
}

QVariantList SelectionListService::select(const QString &caption, Table &table, const QStringList &fields,
                                          const QStringList &titles, bool several, const QString &keyField)
{
    SelectionList list(caption, table, fields, titles, several, keyField, QApplication::activeWindow());
    if (list.exec() != QDialog::Accepted)
        return {};
    return list.chosenKeys();
}
