#pragma once

#include "framework/KeyHook.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

// "Operador": another operator takes over the running session, without a
// new start. A child window of the main window, opened from the operators
// register.
class TForSen : public QWidget
{
    Q_OBJECT
public:
    explicit TForSen(QWidget *parent = nullptr);
    ~TForSen() override;

    // Creation found the program unable to go on (the window must not show).
    bool refused() const { return refused_; }

    QComboBox *Ed_Nome;
    QLineEdit *Ed_senha;
    QPushButton *BtSen1;
    QPushButton *BtSen2;

signals:
    // The window is done (the register releases its "&Trocar" button).
    void finished();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormActivate();
    void BtSen1Click();
    void BtSen2Click();
    bool filterKey(QKeyEvent *event);

    bool refused_ = false;
    KeyHookHold hook_;
};
