#include "app/UniSen.h"

#include "access/PasswordForm.h"
#include "app/AppLifetime.h"
#include "app/UniPri.h"
#include "framework/AppCodes.h"
#include "framework/ComputerUser.h"
#include "framework/MdiChild.h"
#include "framework/Messages.h"
#include "framework/RecordLocking.h"
#include "framework/Session.h"
#include "framework/Theme.h"
#include "framework/UniKernix.h"
#include "framework/UniTabPadroes.h"
#include "framework/WorkingCompany.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"
#include "storage/RecordLockedError.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForSen::TForSen(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ForSen"));
    setWindowTitle(QStringLiteral("Operador"));
    const PasswordForm::Fields form = PasswordForm::build(this, QStringLiteral("&Sair"));
    Ed_Nome = form.name;
    Ed_senha = form.password;
    BtSen1 = form.ok;
    BtSen2 = form.other;
    connect(BtSen1, &QPushButton::clicked, this, &TForSen::BtSen1Click);
    connect(BtSen2, &QPushButton::clicked, this, &TForSen::BtSen2Click);
    FormCreate();
}

TForSen::~TForSen() { hook_.release(); }

void TForSen::FormCreate()
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global || !global->TbOpr.isOpen() || !global->TbEmp.isOpen()) {
        refused_ = true;
        AppLifetime::requestEnd(0);
        return;
    }
    const QString tabelas = PathCase::resolve(Session::values().ProgramDir, QStringLiteral("Tabelas"));
    if (QFileInfo::exists(PathCase::resolve(tabelas, QStringLiteral("trava.bkp")))) {
        Messages::plain(QStringLiteral("Atenção. Está sendo processado backup dos arquivos padrões. Acesso negado!"));
        refused_ = true;
        if (TForPri *main = TForPri::instance())
            main->hide();
        AppLifetime::requestEnd(1);
    }
}

void TForSen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormActivate();
}

void TForSen::FormActivate()
{
    hook_.install([this](QKeyEvent *key) { return filterKey(key); });
    if (!WorkingCompany::LocateSessionOperator())
        return;
    const QIcon icon = Theme::windowIcon(QStringLiteral("ForSen"));
    if (!icon.isNull())
        setWindowIcon(icon);
    Table &operators = TTabPadroes::instance()->TbOpr;
    operators.refresh();
    operators.first();
    Ed_Nome->clear();
    Ed_senha->clear();
    const QString user = ComputerUser::name().toUpper();
    int selected = -1;
    for (; !operators.eof(); operators.next()) {
        const QString name = operators.asString(QStringLiteral("nom_opr"));
        if (!user.isEmpty() && name.toUpper() == user)
            selected = Ed_Nome->count();
        Ed_Nome->addItem(name);
    }
    const SessionValues &s = Session::values();
    operators.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
    if (!operators.locate(QStringLiteral("nom_opr;sen_opr"), {s.OperatorName, s.OperatorPassword}))
        Messages::plain(QStringLiteral("Não foi possível encontrar o operador atual!"));
    Ed_Nome->setCurrentIndex(selected >= 0 ? selected : (Ed_Nome->count() ? 0 : -1));
    Ed_senha->setFocus();
}

bool TForSen::filterKey(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab) {
        KeyHook::sendEnter();
        return true;
    }
    if (event->key() == Qt::Key_Escape && QApplication::activeWindow()
        && !QApplication::activeWindow()->objectName().isEmpty()) {
        BtSen2->click();
        return true;
    }
    return false;
}

void TForSen::BtSen1Click()
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return;
    Table &operators = global->TbOpr;
    Table &presence = global->TbOprLog1;
    SessionValues &s = Session::values();
    try {
        const QString stored = Kernix::Converte(Ed_senha->text().toUpper(), 8).left(8);
        operators.refresh();
        operators.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
        if (!operators.locate(QStringLiteral("nom_opr;sen_opr"), {Ed_Nome->currentText(), stored})) {
            Messages::plain(QStringLiteral("Senha Inválida!"));
            Ed_senha->clear();
            Ed_senha->setFocus();
            return;
        }
        const int code = int(operators.asInt(QStringLiteral("cod_opr")));
        // Moving the second cursor releases the operator who took over last.
        if (presence.state() != Table::State::Browse)
            presence.cancel();
        presence.refresh();
        presence.setIndexFieldNames(QStringLiteral("cod_opr;sis_opr"));
        if (!presence.locate(QStringLiteral("cod_opr;sis_opr"), {code, AppCodes::own()})) {
            presence.append();
            presence.setValue(QStringLiteral("cod_opr"), code);
            presence.setValue(QStringLiteral("sis_opr"), AppCodes::own());
            presence.post();
        }
        try {
            presence.edit();
        } catch (const RecordLockedError &) {
            Messages::information(QStringLiteral("Operador já está logado! Acesso negado."));
            Ed_senha->clear();
            Ed_Nome->setFocus();
            return;
        }
        presence.flush();

        RecordLocking::clearStamp(operators);
        operators.edit();
        bool ok = false;
        const int company = s.CompanyDir.right(3).toInt(&ok);
        operators.setValue(QStringLiteral("emp_opr"), s.CompanyDir.isEmpty() || !ok ? QVariant() : QVariant(qAbs(company)));
        operators.post();

        s.OperatorName = operators.asString(QStringLiteral("nom_opr"));
        s.OperatorPassword = operators.asString(QStringLiteral("sen_opr"));
        s.OperatorCode = code;
        s.OperatorLevel = int(operators.asInt(QStringLiteral("niv_opr")));
    } catch (const DbError &e) {
        Kernix::TrataErro(QStringLiteral("Não foi possível trocar o operador."), e.message());
        return;
    }
    emit finished();
    if (TForPri *main = TForPri::instance()) {
        main->panel(2)->setText(s.OperatorName);
        main->setPasswordLevelsEnabled();
    }
    MdiChild::close(this);
    operators.flush();
}

void TForSen::BtSen2Click()
{
    emit finished();
    MdiChild::close(this);
}
