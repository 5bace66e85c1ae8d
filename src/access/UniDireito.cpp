#include "access/UniDireito.h"

#include "access/PasswordForm.h"
#include "access/AccessGrant.h"
#include "framework/ComputerUser.h"
#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UniTabPadroes.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForDireito::TForDireito(int position, const QString &module, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), position_(position), module_(module)
{
    setObjectName(QStringLiteral("ForDireito"));
    setWindowTitle(QStringLiteral("Liberação de Acesso"));
    const PasswordForm::Fields form = PasswordForm::build(this, QStringLiteral("&Cancela"));
    Ed_Nome = form.name;
    Ed_senha = form.password;
    BtSen1 = form.ok;
    BtSen2 = form.other;
    connect(BtSen1, &QPushButton::clicked, this, &TForDireito::BtSen1Click);
    connect(BtSen2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForDireito::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TForDireito::FormActivate()
{
    hook_.install([this](QKeyEvent *key) { return filterKey(key); });
    Ed_Nome->clear();
    Ed_senha->clear();
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return;
    Table &operators = global->TbOpr;
    operators.refresh();
    operators.first();
    const QString user = ComputerUser::name().toUpper();
    int selected = 0;
    for (; !operators.eof(); operators.next()) {
        const QString name = operators.asString(QStringLiteral("nom_opr"));
        if (!user.isEmpty() && name.toUpper() == user)
            selected = Ed_Nome->count();
        Ed_Nome->addItem(name);
    }
    Ed_Nome->setCurrentIndex(Ed_Nome->count() ? selected : -1);
    const SessionValues &s = Session::values();
    operators.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
    if (!operators.locate(QStringLiteral("nom_opr;sen_opr"), {s.OperatorName, s.OperatorPassword}))
        Messages::plain(QStringLiteral("Não foi possível encontrar o operador atual!"));
    Ed_senha->setFocus();
}

bool TForDireito::filterKey(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab) {
        KeyHook::sendEnter();
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        BtSen2->click();
        return true;
    }
    return false;
}

void TForDireito::BtSen1Click()
{
    switch (AccessGrant::check(Ed_Nome->currentText(), Ed_senha->text(), position_, module_)) {
    case AccessGrant::Result::WrongPassword:
        Messages::plain(QStringLiteral("Senha Inválida!"));
        Ed_senha->clear();
        Ed_senha->setFocus();
        return;
    case AccessGrant::Result::NotAllowed:
        Messages::plain(QStringLiteral("Acesso não permitido para este nível de senha!"));
        return;
    case AccessGrant::Result::Granted:
        granted_ = true;
        accept();
        return;
    }
}

void TForDireito::done(int result)
{
    hook_.release();
    QDialog::done(result);
}

bool DireitoOverride::release(int position, const QString &module)
{
    TForDireito window(position, module, QApplication::activeWindow());
    window.exec();
    return window.granted();
}
