#include "app/UniLiberar.h"

#include "app/AppLifetime.h"
#include "app/SessionMarker.h"
#include "framework/Session.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForLiberar::TForLiberar(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ForLiberar"));
    setWindowTitle(QStringLiteral("Sistema não encerrado corretamente"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(520);
    auto *layout = new QVBoxLayout(this);

    auto *title = new QLabel(QStringLiteral("ATENÇÃO:"), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    title->setFont(bold);
    title->setStyleSheet(QStringLiteral("color: #c00000;"));
    layout->addWidget(title);

    lb_encerrado = new QLabel(QStringLiteral("O sistema não foi encerrado corretamente na sessão iniciada em ")
                                  + SessionMarker::startTime(), this);
    lb_encerrado->setObjectName(QStringLiteral("lb_encerrado"));
    lb_encerrado->setWordWrap(true);
    layout->addWidget(lb_encerrado);

    for (const QString &text : {QStringLiteral("Caso isto aconteça com freqüência, verifique se seu equipamento está em condições "
                                               "adequadas de uso (instalação do Windows,  rede local, rede elétrica) e "
                                               "certifique-se de encerrar o sistema pela opção Arquivos / Sair."),
                                QStringLiteral("É recomendável que se faça uma verificação de integridade dos arquivos do sistema. "
                                               "Para isto, feche todos os aplicativos que estejam em execução e peça para todos "
                                               "os usuários que estejam no sistema abandoná-lo.")}) {
        auto *label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }

    auto *group = new QGroupBox(QStringLiteral("O que deseja fazer?"), this);
    group->setObjectName(QStringLiteral("Rd_Liberar"));
    auto *groupLayout = new QVBoxLayout(group);
    Rd_Liberar = new QButtonGroup(this);
    const QStringList choices{QStringLiteral("&Verificar arquivos e Entrar "), QStringLiteral("Verificar arquivos e &Abandonar"),
                              QStringLiteral("&Entrar sem verificar arquivos"), QStringLiteral("&Encerrar execução")};
    for (int i = 0; i < choices.size(); ++i) {
        auto *radio = new QRadioButton(choices[i], group);
        Rd_Liberar->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    layout->addWidget(group);

    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtOk->setAutoDefault(false);
    layout->addWidget(BtOk, 0, Qt::AlignRight);
    connect(BtOk, &QPushButton::clicked, this, &TForLiberar::BtOkClick);
}

void TForLiberar::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Rd_Liberar->button(0)->setChecked(true);
    Rd_Liberar->button(0)->setFocus();
    hook_.install([this](QKeyEvent *key) { return filterKey(key); });
}

bool TForLiberar::filterKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accepted_ = true;
        BtOk->click();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        // Typed characters would reach the radio buttons' mnemonics.
        return !event->text().isEmpty();
    }
}

void TForLiberar::BtOkClick()
{
    accepted_ = true;
    SessionValues &session = Session::values();
    switch (Rd_Liberar->checkedId()) {
    case 0:
        session.IntegrityCheckMode = 1;
        break;
    case 1:
        session.IntegrityCheckMode = 2;
        break;
    case 2:
        session.IntegrityCheckMode = 0;
        break;
    default:
        accepted_ = false;
        break;
    }
    accept();
}

void TForLiberar::done(int result)
{
    hook_.release();
    if (!accepted_)
        AppLifetime::requestEnd(0);
    QDialog::done(result);
}
