#include "app/UniTrava.h"

#include "framework/IniFile.h"
#include "framework/MdiChild.h"
#include "framework/Messages.h"
#include "framework/Session.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForTrava::TForTrava(const QString &configFile, QWidget *parent) : QWidget(parent), configFile_(configFile)
{
    setObjectName(QStringLiteral("ForTrava"));
    setWindowTitle(QStringLiteral("Configuração de travamento"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(QStringLiteral("Travamento de tabelas"), this);
    auto *groupLayout = new QVBoxLayout(group);
    auto *text = new QLabel(QStringLiteral("O travamento implica no bloqueio temporário das tabelas do sistema a cada gravação feita por "
                                           "algum usuário permitindo uma maior integridade das tabelas uma vez que somente um "
                                           "usuário por vez poderá bloquear uma tabela para fazer a gravação dos seus dados."),
                            group);
    text->setWordWrap(true);
    text->setMinimumWidth(360);
    groupLayout->addWidget(text);
    Cb_Travamento = new QCheckBox(QStringLiteral("Ativar travamento"), group);
    Cb_Travamento->setObjectName(QStringLiteral("Cb_Travamento"));
    groupLayout->addWidget(Cb_Travamento);
    layout->addWidget(group);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtSair = new QPushButton(QStringLiteral("&Sair"), this);
    buttons->addWidget(BtOk);
    buttons->addWidget(BtSair);
    layout->addLayout(buttons);

    IniFile config(configFile_);
    config.load();
    Cb_Travamento->setChecked(config.value(QStringLiteral("CONFIG"), QStringLiteral("TRAVAMENTO"), QStringLiteral("INATIVO")).trimmed()
                              == QLatin1String("ATIVO"));
    connect(BtOk, &QPushButton::clicked, this, &TForTrava::BtOkClick);
    connect(BtSair, &QPushButton::clicked, this, [this] { MdiChild::close(this); });
}

void TForTrava::BtOkClick()
{
    IniFile config(configFile_);
    // A file that exists but cannot be read is not rewritten: that would
    // replace all its other settings with this one key.
    if (!config.load() && config.exists()) {
        Messages::error(QStringLiteral("Não foi possível gravar a configuração:\r\n") + config.errorText());
        return;
    }
    const bool on = Cb_Travamento->isChecked();
    config.setValue(QStringLiteral("CONFIG"), QStringLiteral("TRAVAMENTO"), on ? QStringLiteral("ATIVO") : QStringLiteral("INATIVO"));
    if (!config.save()) {
        Messages::error(QStringLiteral("Não foi possível gravar a configuração:\r\n") + config.errorText());
        return;
    }
    Session::values().LockingActive = on;
    MdiChild::close(this);
}
