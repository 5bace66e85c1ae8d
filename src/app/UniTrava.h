#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;

// "Configuração de travamento": this computer's locking setting, key
// TRAVAMENTO of section CONFIG in the configuration file.
class TForTrava : public QWidget
{
    Q_OBJECT
public:
    explicit TForTrava(const QString &configFile, QWidget *parent = nullptr);

    QCheckBox *Cb_Travamento;
    QPushButton *BtOk;
    QPushButton *BtSair;

private:
    void BtOkClick();

    QString configFile_;
};
