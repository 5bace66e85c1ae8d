#pragma once

#include "framework/KeyHook.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QPushButton;

// "Sistema não encerrado corretamente": the previous session left its marker
// behind. The choice sets the session's IntegrityCheckMode; leaving without
// "&Ok" (Esc, close box, "&Encerrar execução") asks the program to end.
class TForLiberar : public QDialog
{
    Q_OBJECT
public:
    explicit TForLiberar(QWidget *parent = nullptr);

    QLabel *lb_encerrado;
    QButtonGroup *Rd_Liberar;
    QPushButton *BtOk;

    bool accepted() const { return accepted_; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void BtOkClick();
    bool filterKey(QKeyEvent *event);

    bool accepted_ = false;
    KeyHookHold hook_;
};
