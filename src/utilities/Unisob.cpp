#include "utilities/Unisob.h"

#include "utilities/ProgramVersion.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForSob::TForSob(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ForSob"));
    setWindowTitle(QStringLiteral("Sobre o Sistema"));
    auto *layout = new QVBoxLayout(this);
    Texto = new QLabel(QCoreApplication::applicationName() + QStringLiteral("\nVersão ") + ProgramVersion::current(), this);
    Texto->setObjectName(QStringLiteral("Texto"));
    Texto->setAlignment(Qt::AlignCenter);
    QFont big = Texto->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    Texto->setFont(big);
    Texto->setMinimumSize(260, 90);
    layout->addWidget(Texto);
    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    layout->addWidget(BtOk, 0, Qt::AlignCenter);
    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);
}
