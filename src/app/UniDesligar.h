#pragma once

#include "framework/KeyHook.h"

#include <QDialog>

class QButtonGroup;
class QPushButton;

// "Sair do Sistema": leave, restart or shut down. Confirming logs the
// operator out and removes the session marker; the main window acts on
// choice() afterwards.
class TForDesligar : public QDialog
{
    Q_OBJECT
public:
    explicit TForDesligar(QWidget *parent = nullptr);

    // "S" leave, "R" restart, "D" shut down, "N" nothing chosen.
    QString choice() const { return choice_; }

    QButtonGroup *Rd_Desligar;
    QPushButton *BtOk;
    QPushButton *BtCancelar;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void done(int result) override;

private:
    void BtOkClick();
    void activate();
    bool filterKey(QKeyEvent *event);

    QString choice_ = QStringLiteral("N");
    bool confirmed_ = false;
    KeyHookHold hook_;
};
