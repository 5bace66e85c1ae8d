#include "app/UniVerResult.h"

#include "framework/IntegrityChecker.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>

TForVerResult::TForVerResult(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ForVerResult"));
    setWindowTitle(QStringLiteral("Resultado da Verificação"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 380);
    auto *layout = new QVBoxLayout(this);
    Memo = new QPlainTextEdit(this);
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont small = Memo->font();
    small.setPointSize(qMax(6, small.pointSize() - 2));
    Memo->setFont(small);
    layout->addWidget(Memo, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BtLimpar = new QPushButton(QStringLiteral("&Limpar"), this);
    BtSair = new QPushButton(QStringLiteral("&Sair"), this);
    buttons->addWidget(BtLimpar);
    buttons->addWidget(BtSair);
    layout->addLayout(buttons);
    connect(BtSair, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtLimpar, &QPushButton::clicked, this, &TForVerResult::BtLimparClick);
}

void TForVerResult::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Read once: a later activation (after a message box) must not append
    // the report a second time.
    if (loaded_)
        return;
    loaded_ = true;
    QFile file(IntegrityChecker::reportPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    while (!in.atEnd())
        Memo->appendPlainText(in.readLine());
}

void TForVerResult::BtLimparClick()
{
    QFile::remove(IntegrityChecker::reportPath());
    Memo->clear();
}
