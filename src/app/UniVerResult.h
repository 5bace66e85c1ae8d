#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// "Resultado da Verificação": the integrity checker's report, shown after
// the first login while a check was pending.
class TForVerResult : public QDialog
{
    Q_OBJECT
public:
    explicit TForVerResult(QWidget *parent = nullptr);

    QPlainTextEdit *Memo;
    QPushButton *BtSair;
    QPushButton *BtLimpar;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BtLimparClick();
    bool loaded_ = false;
};
