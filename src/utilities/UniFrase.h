#pragma once

#include "framework/KeyHook.h"

#include <QDialog>
#include <QList>
#include <QRandomGenerator>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

// "Frase do Dia": a random saying with its author, a walk forward to new
// ones and back through those already seen, and the operator's choice of
// seeing it at start.
class TForFrase : public QDialog
{
    Q_OBJECT
public:
    explicit TForFrase(QWidget *parent = nullptr);

    QLabel *Label_Frase;
    QLabel *Label_Autor;
    QPushButton *Bot_Prox;
    QPushButton *Bot_Ant;
    QPushButton *Bot_Sair;
    QCheckBox *Cb_Inicio;

    int rowCount() const { return int(rows_.size()); }
    const QList<int> &history() const { return history_; }
    int currentOffset() const { return current_; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void done(int result) override;

private:
    void FormShow();
    void Bot_ProxClick();
    void Bot_AntClick();
    void Cb_InicioClick();
    void showRow(int offset);
    bool filterKey(QKeyEvent *event);

    QStringList rows_;
    QList<int> history_;
    int position_ = 0;
    int current_ = 0;
    QRandomGenerator random_;
    KeyHookHold hook_;
};
