#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "Sobre o Sistema": the program's name and version.
class TForSob : public QDialog
{
    Q_OBJECT
public:
    explicit TForSob(QWidget *parent = nullptr);

    QLabel *Texto;
    QPushButton *BtOk;
};
