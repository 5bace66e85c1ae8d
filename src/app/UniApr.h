#pragma once

#include "app/Login.h"
#include "framework/KeyHook.h"
#include "framework/ProgressText.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TForPri;

// The opening window: progress texts while the global data opens, then the
// login. Stands as the progress target for as long as it exists.
class TForApr : public QWidget, public ProgressTarget
{
    Q_OBJECT
public:
    explicit TForApr(TForPri *mainWindow);
    ~TForApr() override;

    // Shows the password panel with the operators, preselecting the one
    // named as the computer's user.
    void showPasswordPanel();
    void showProgress(const QString &text) override;

    QLabel *Lb_Versao;
    QLabel *Barra;          // the status bar's one panel
    QFrame *Barra_Senha;
    QComboBox *Ed_Nome;
    QLineEdit *Ed_Senha;
    QPushButton *BtSen1;
    QPushButton *BtSen2;

    const Login &login() const { return login_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BtSen1Click();
    void BtSen2Click();
    void endProgram(int exitCode);
    void installKeyFilter();

    TForPri *main_;
    Login login_;
    bool shownOnce_ = false;
    KeyHookHold hook_;
    ProgressTarget *previousProgress_;
};
