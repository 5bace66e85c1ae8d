#pragma once

#include "companies/CompanyForm.h"
#include "companies/CompanyOptions.h"
#include "companies/CompanyRules.h"
#include "framework/RegisterWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class Table;

// "Cadastro de Empresas": the companies of the installation, and the choice
// of the working company.
class TForEmp : public RegisterWindow
{
    Q_OBJECT
public:
    explicit TForEmp(QWidget *parent = nullptr);
    ~TForEmp() override;

    // The window's tables could be opened; without them it must not be shown.
    bool ready() const { return ready_; }
    QString box(const QString &name) const;
    void setBox(const QString &name, const QString &text);

    // Published handlers of the buttons.
    void BtEmp1Click();
    void BtEmp2Click();
    void BtEmp3Click();
    void BtEmp4Click();
    void BtEmp5Click();
    void BtEmp6Click();
    void BtEmp7Click();
    void BtEmp8Click();

    // The checks that run when a box is left with Enter or Tab.
    bool Ed_CodigoExit();
    bool Ed_MatrizExit();
    bool Ed_CentralExit();
    bool Ed_NivelExit();
    bool Ed_ContabilistaExit();
    bool Ed_CgcExit();
    bool Ed_CpfExit();
    bool Ed_CPFRepExit();
    void cbTipoEmpresaExit();

protected:
    bool canLeaveFicha() override;

private:
    void buildFicha();
    void buildComplemento();
    QLineEdit *addEdit(QWidget *page, const QString &name, int maxLength, bool upper = false);
    void setEditing(bool on);
    void setActionButtons(bool browse);
    void clearBoxes();
    void loadRecord();
    CompanyForm readForm() const;
    void backToBrowse();
    void afterWorkingCompanyChange(const CompanyOptions &before, const QString &oldType, int oldCentral,
                                   const CompanyForm &form);
    void closeOtherChildren();
    void focusBox(const QString &name);
    void applyTypeRules();

    Table &companies_;
    CompanyRules rules_;
    bool ready_ = false;
    bool loading_ = false;
    int changingCode_ = 0;
    CompanyOptions stored_ = CompanyOptions::forNewCompany();
    QPixmap logo_;
    QByteArray logoBytes_;
    QLabel *logoView_ = nullptr;
    QComboBox *type_ = nullptr;
    QComboBox *issqn_ = nullptr;
    QComboBox *ipi_ = nullptr;
    QComboBox *signer_ = nullptr;
    QCheckBox *codCli_ = nullptr;
    QPlainTextEdit *obs_ = nullptr;
    QWidget *complementoPage_ = nullptr;
};
