#pragma once

#include "framework/KeyHook.h"
#include "framework/ModuleRights.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// "Liberação de Acesso": another operator's name and password release a
// right the logged-in operator's level lacks, for one action.
class TForDireito : public QDialog
{
    Q_OBJECT
public:
    TForDireito(int position, const QString &module, QWidget *parent = nullptr);

    bool granted() const { return granted_; }

    QComboBox *Ed_Nome;
    QLineEdit *Ed_senha;
    QPushButton *BtSen1;
    QPushButton *BtSen2;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void FormActivate();
    void BtSen1Click();
    bool filterKey(QKeyEvent *event);

    int position_;
    QString module_;
    bool granted_ = false;
    KeyHookHold hook_;
};

// The override the module right check asks for; the main window installs it.
class DireitoOverride : public SupervisorOverride
{
public:
    bool release(int position, const QString &module) override;
};
