#include "framework/UniLocaliza.h"

#include "storage/DbError.h"
#include "storage/Table.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The text as a value of the field's kind; invalid when it is not one.
QVariant comparable(const Table &table, const QString &field, const QString &text, bool *partial)
{
    const int i = table.fieldIndex(field);
    if (i < 0)
        return {};
    *partial = false;
    bool ok = false;
    switch (table.fieldDefs().at(i).kind) {
    case FieldKind::Integer:
    case FieldKind::AutoInc: {
        const qlonglong n = text.trimmed().toLongLong(&ok);
        return ok ? QVariant(n) : QVariant();
    }
    case FieldKind::Number:
    case FieldKind::Currency: {
        const double d = QString(text.trimmed()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        return ok ? QVariant(d) : QVariant();
    }
    case FieldKind::Date:
    case FieldKind::Timestamp: {
        const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldKind::Text:
    case FieldKind::Memo:
        *partial = true;
        return text;
    default:
        return {};
    }
}

bool locateValue(Table &table, const QString &field, const QString &text)
{
    bool partial = false;
    const QVariant value = comparable(table, field, text, &partial);
    if (!value.isValid())
        return false;
    LocateOptions options;
    options.partialKey = partial;
    try {
        return table.locate(field, {value}, options);
    } catch (const DbError &) {
        return false;
    }
}

} // namespace

TForLocaliza::TForLocaliza(const QString &caption, const LocateColumn &column, Table &table, QWidget *parent)
    : QDialog(parent), column_(column), table_(table)
{
    setObjectName(QStringLiteral("ForLocaliza"));
    setWindowTitle(QStringLiteral("Localizar"));
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    caption_ = new QLabel(caption, this);
    caption_->setObjectName(QStringLiteral("Lb_Campo"));
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Edit"));
    edit_->setMinimumWidth(280);
    left->addWidget(caption_);
    left->addWidget(edit_);
    layout->addLayout(left, 1);
    exit_ = new QPushButton(QStringLiteral("&Sair"), this);
    exit_->setObjectName(QStringLiteral("BtSair"));
    exit_->setAutoDefault(false);
    layout->addWidget(exit_, 0, Qt::AlignBottom);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int at = edit_->cursorPosition();
            edit_->setText(upper);
            edit_->setCursorPosition(at);
            return;
        }
        if (!text.isEmpty())
            locateText(table_, column_, text);
    });
}

TForLocaliza::~TForLocaliza() = default;

bool TForLocaliza::locateText(Table &table, const LocateColumn &column, const QString &text)
{
    if (text.isEmpty() || !table.isOpen())
        return false;
    switch (column.kind) {
    case LocateColumn::Kind::Data:
        return locateValue(table, column.field, text);
    case LocateColumn::Kind::Calculated:
        return locateValue(table, column.originField, text);
    case LocateColumn::Kind::Lookup: {
        if (!column.lookupTable || !locateValue(*column.lookupTable, column.lookupResultField, text))
            return false;
        const QStringList keys = column.lookupKeyFields.split(QLatin1Char(';'));
        QVariantList values;
        for (const QString &key : keys)
            values << column.lookupTable->value(key);
        try {
            return table.locate(column.keyFields, values);
        } catch (const DbError &) {
            return false;
        }
    }
    }
    return false;
}

void TForLocaliza::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QPointer<TForLocaliza> self(this);
    hook_.install([self](QKeyEvent *e) { return self && self->filterKey(e); });
    edit_->setFocus();
}

void TForLocaliza::done(int result)
{
    hook_.release();
    QDialog::done(result);
}

bool TForLocaliza::filterKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        exit_->click();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    default:
        return false;
    }
}

void LocalizaService::locate(const QString &field, Table &table, const QString &caption)
{
    LocateColumn column;
    column.field = field;
    TForLocaliza window(caption, column, table, QApplication::activeWindow());
    window.exec();
}
