#include "framework/WorkingCompany.h"

#include "framework/Messages.h"
#include "framework/OpenTableRegister.h"
#include "framework/Session.h"
#include "framework/SessionEvents.h"
#include "framework/UniTabEmpresa.h"
#include "framework/UniTabPadroes.h"
#include "framework/WaitCursor.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"

#include <QDir>
#include <QFileInfo>

namespace WorkingCompany {

namespace {

QString code3(int code) { return QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0')); }

void clearCompany()
{
    SessionValues &s = Session::values();
    s.CompanyCode = s.CentralCode = 0;
    s.CompanyDir.clear();
    s.CentralDir.clear();
}

bool hasBackupMarker(const QString &dir) { return QFileInfo::exists(PathCase::resolve(dir, QStringLiteral("Trava.bkp"))); }

// Writes emp_opr of the current operator record; false when the record
// refuses the edit (another computer holds it).
bool storeChoice(Table &operators, int code)
{
    try {
        operators.edit();
        if (operators.state() != Table::State::Edit)
            return false;
        operators.setValue(QStringLiteral("emp_opr"), code);
        operators.post();
        operators.flush();
        return true;
    } catch (const DbError &) {
        if (operators.state() == Table::State::Edit)
            operators.cancel();
        return false;
    }
}

} // namespace

QString statusText(int code, const QString &name) { return code3(code) + QStringLiteral(" - ") + name; }

QString companyDir(int code)
{
    return PathCase::resolve(Session::values().ProgramDir, QStringLiteral("Tabelas")) + QLatin1Char('/') + code3(code);
}

bool LocateSessionOperator()
{
    TTabPadroes *global = TTabPadroes::instance();
    const SessionValues &s = Session::values();
    if (global) {
        global->TbOpr.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
        if (global->TbOpr.locate(QStringLiteral("nom_opr;sen_opr"), {s.OperatorName, s.OperatorPassword}))
            return true;
    }
    Messages::plain(QStringLiteral("Operador não encontrado : ") + s.OperatorName);
    return false;
}

bool SelectCurrentCompany(const RegisterSteps *steps)
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return false;
    Table &companies = global->TbEmp;
    SessionValues &s = Session::values();
    if (steps && companies.asInt(QStringLiteral("cod_emp")) == s.CompanyCode && !companies.isEmpty()) {
        Messages::plain(QStringLiteral("Esta empresa já está selecionada!"));
        return false;
    }
    companies.refresh();
    global->TbOpr.refresh();
    if (companies.isEmpty()) {
        Messages::plain(QStringLiteral("Não há empresas para selecionar!"));
        clearCompany();
        emit SessionEvents::instance().companyChanged(QString());
        return false;
    }
    const int code = int(companies.asInt(QStringLiteral("cod_emp")));
    const int cen = int(companies.asInt(QStringLiteral("cen_emp")));
    const int central = cen == 0 ? code : cen;
    const QString name = companies.asString(QStringLiteral("nom_emp")).trimmed();
    const QString ownDir = companyDir(code);
    const QString centralDir = companyDir(central);

    if (central >= 1 && !QFileInfo(centralDir).isDir())
        QDir().mkpath(centralDir);
    if (!QFileInfo(ownDir).isDir())
        QDir().mkpath(ownDir);
    if (!QFileInfo(ownDir).isDir()) {
        Messages::plain(QStringLiteral("Não foi possível criar o diretório da empresa!"));
        return false;
    }
    if (hasBackupMarker(ownDir)) {
        Messages::plain(QStringLiteral("Empresa está em processo de backup. Seleção não disponível!"));
        return false;
    }
    if (steps && steps->setWindowEnabled)
        steps->setWindowEnabled(false);
    WaitCursor cursor;

    s.CompanyCode = code;
    s.CentralCode = central;
    s.CompanyDir = ownDir;
    s.CentralDir = centralDir;
    OpenTableRegister::renew();
    TTabEmpresa::replace(nullptr);
    auto *module = new TTabEmpresa;
    TTabEmpresa::replace(module);
    const bool opened = module->create(code, cen);
    OpenTableRegister::renew();
    if (steps && steps->setWindowEnabled)
        steps->setWindowEnabled(true);
    if (!opened)
        return false;

    // The new company's tables are open from here on, whatever becomes of
    // the operator's remembered choice: the status panel says so.
    emit SessionEvents::instance().companyChanged(statusText(code, name));
    // Without the operator's own record the choice is not remembered: it
    // must never land in another operator's record.
    if (!LocateSessionOperator())
        return true;
    return storeChoice(global->TbOpr, code);
}

bool SelectFromRegister(const std::function<void()> &beforeSwitch, const RegisterSteps &steps)
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return false;
    Table &companies = global->TbEmp;
    if (companies.asInt(QStringLiteral("cod_emp")) != Session::values().CompanyCode) {
        if (!LocateSessionOperator())
            return false;
        if (!levelAllows(int(global->TbOpr.asInt(QStringLiteral("niv_opr"))), int(companies.asInt(QStringLiteral("niv_emp"))))) {
            Messages::plain(QStringLiteral("Operador com Nível não permitido para acessar esta empresa!"));
            return false;
        }
        if (beforeSwitch)
            beforeSwitch();
    }
    return SelectCurrentCompany(&steps);
}

bool RestoreOperatorCompany()
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return false;
    SessionValues &s = Session::values();
    Table &companies = global->TbEmp;
    Table &operators = global->TbOpr;
    s.CompanyDir.clear();
    s.CentralDir.clear();
    bool restored = false;
    const int stored = int(operators.asInt(QStringLiteral("emp_opr")));
    if (stored != 0) {
        companies.setIndexFieldNames(QStringLiteral("cod_emp"));
        if (!companies.locate(QStringLiteral("cod_emp"), {stored})) {
            Messages::information(QStringLiteral("Empresa selecionada não encontrada!\r\nSelecione outra para trabalho."));
        } else {
            const int code = int(companies.asInt(QStringLiteral("cod_emp")));
            const int cen = int(companies.asInt(QStringLiteral("cen_emp")));
            s.CompanyCode = code;
            QDir().mkpath(companyDir(code));
            s.CentralCode = cen;
            if (cen >= 1)
                QDir().mkpath(companyDir(cen));
            else
                s.CentralCode = code;
            if (QFileInfo(companyDir(code)).isDir()) {
                if (hasBackupMarker(companyDir(code))) {
                    Messages::warning(QStringLiteral("A empresa selecionada está em processo de backup!\r\n"
                                                     "Empresa temporariamente não disponível."));
                } else {
                    s.CompanyDir = companyDir(code);
                    s.CentralDir = companyDir(s.CentralCode);
                    emit SessionEvents::instance().companyChanged(
                        statusText(code, companies.asString(QStringLiteral("nom_emp")).trimmed()));
                    restored = true;
                }
            }
        }
    }
    if (!SelectCurrentCompany())
        return false;
    if (!restored) {
        clearCompany();
        emit SessionEvents::instance().companyChanged(QString());
        if (!LocateSessionOperator() || !storeChoice(operators, 0))
            return false;
    }
    return true;
}

} // namespace WorkingCompany
