#include "app/UniDesligar.h"

#include "app/Logout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForDesligar::TForDesligar(QWidget *parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("ForDesligar"));
    setWindowTitle(QStringLiteral("Sair do Sistema"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("O que deseja fazer?"), this));
    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("Rd_Desligar"));
    auto *groupLayout = new QVBoxLayout(group);
    Rd_Desligar = new QButtonGroup(this);
    const QStringList choices{QStringLiteral("&Sair do Sistema"), QStringLiteral("&Reiniciar o Computador"),
                              QStringLiteral("&Desligar o Computador")};
    for (int i = 0; i < choices.size(); ++i) {
        auto *radio = new QRadioButton(choices[i], group);
        Rd_Desligar->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    layout->addWidget(group);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    for (QPushButton *b : {BtOk, BtCancelar}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(BtOk, &QPushButton::clicked, this, &TForDesligar::BtOkClick);
    connect(BtCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TForDesligar::activate()
{
    hook_.install([this](QKeyEvent *key) { return filterKey(key); });
}

void TForDesligar::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Rd_Desligar->button(0)->setChecked(true);
    Rd_Desligar->button(0)->setFocus();
    activate();
}

void TForDesligar::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activate();
}

bool TForDesligar::filterKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BtOk->click();
        return true;
    case Qt::Key_Escape:
        if (QApplication::activeWindow() && !QApplication::activeWindow()->objectName().isEmpty()) {
            BtCancelar->click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void TForDesligar::BtOkClick()
{
    // The backup reminder of the working company comes in here, before the
    // choice is taken, once the backup subsystem offers it.
    static const char *const letters[] = {"S", "R", "D"};
    const int index = Rd_Desligar->checkedId();
    if (index < 0 || index > 2)
        return;
    choice_ = QString::fromLatin1(letters[index]);
    confirmed_ = true;
    accept();
}

void TForDesligar::done(int result)
{
    hook_.release();
    if (confirmed_)
        Logout::run();
    QDialog::done(result);
}
