#include "app/Login.h"

#include "app/SessionMarker.h"
#include "framework/AppCodes.h"
#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UniKernix.h"
#include "framework/UniTabPadroes.h"
#include "framework/WorkingCompany.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"
#include "storage/RecordLockedError.h"

#include <QFileInfo>

QString Login::refusal()
{
    const QString tabelas = PathCase::resolve(Session::values().ProgramDir, QStringLiteral("Tabelas"));
    const std::pair<const char *, const char *> markers[] = {
        {"trava.bkp", "Arquivos Padrões em processo de Backup! Acesso negado."},
        {"Web.Ctr", "Arquivos em processo de envio para web! Acesso negado."},
        {"AtualProd.Ctr", "Arquivos em processo de Atualização de Produtos! Acesso negado."},
    };
    for (const auto &[file, message] : markers)
        if (QFileInfo::exists(PathCase::resolve(tabelas, QString::fromLatin1(file))))
            return QString::fromUtf8(message);
    return {};
}

Login::Outcome Login::accept(const QString &operatorName, const QString &typedPassword)
{
    TTabPadroes *global = TTabPadroes::instance();
    SessionValues &session = Session::values();
    if (!global)
        return Outcome::CompanyFailed;
    Table &companies = global->TbEmp;
    Table &operators = global->TbOpr;

    try {
        if (session.CompanyCode != 0) {
            companies.setIndexFieldNames(QStringLiteral("cod_emp"));
            companies.locate(QStringLiteral("cod_emp"), {session.CompanyCode});
        }
        const QString refused = refusal();
        if (!refused.isEmpty()) {
            Messages::information(refused);
            return Outcome::Refused;
        }

        const QString stored = Kernix::Converte(typedPassword.toUpper(), 8).left(8);
        operators.refresh();
        operators.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
        if (!operators.locate(QStringLiteral("nom_opr;sen_opr"), {operatorName, stored})) {
            Messages::information(QStringLiteral("A senha digitada está incorreta! Acesso negado."));
            ++attempts_;
            if (attempts_ > 3) {
                SessionMarker::remove();
                return Outcome::TooManyFailures;
            }
            return Outcome::WrongPassword;
        }

        const int code = int(operators.asInt(QStringLiteral("cod_opr")));
        if (!takePresence(code)) {
            Messages::information(QStringLiteral("Operador já está logado! Acesso negado."));
            return Outcome::AlreadyLoggedIn;
        }

        session.OperatorName = operators.asString(QStringLiteral("nom_opr"));
        session.OperatorPassword = operators.asString(QStringLiteral("sen_opr"));
        session.OperatorCode = code;
        session.OperatorLevel = int(operators.asInt(QStringLiteral("niv_opr")));
        session.CompanyDir.clear();
        session.CentralDir.clear();
    } catch (const DbError &e) {
        Kernix::TrataErro(QStringLiteral("Erro ao efetuar login."), e.message());
        return Outcome::CompanyFailed;
    }

    if (!WorkingCompany::RestoreOperatorCompany()) {
        // A new installation has no company yet: refusing the login there
        // would leave nobody able to register the first one.
        companies.refresh();
        if (!companies.isEmpty())
            return Outcome::CompanyFailed;
    }
    return Outcome::Entered;
}

bool Login::takePresence(int operatorCode)
{
    Table &presence = TTabPadroes::instance()->TbOprLog;
    presence.close();
    presence.open();
    presence.refresh();
    presence.setIndexFieldNames(QStringLiteral("cod_opr;sis_opr"));
    if (!presence.locate(QStringLiteral("cod_opr;sis_opr"), {operatorCode, AppCodes::own()})) {
        presence.append();
        presence.setValue(QStringLiteral("cod_opr"), operatorCode);
        presence.setValue(QStringLiteral("sis_opr"), AppCodes::own());
        presence.post();
    }
    try {
        presence.edit();
    } catch (const RecordLockedError &) {
        return false;
    }
    presence.flush();
    return true;
}
