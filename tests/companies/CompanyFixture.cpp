#include "CompanyFixture.h"

#include "framework/OpenTableRegister.h"
#include "framework/Session.h"
#include "framework/UniKernix.h"
#include "framework/UniTabEmpresa.h"
#include "framework/WorkingCompany.h"
#include "storage/Table.h"
#include "testsupport/ScriptedMessages.h"

CompanyFixture::CompanyFixture() : inst_(std::make_unique<TempInstallation>()) {}

CompanyFixture::~CompanyFixture()
{
    TTabEmpresa::replace(nullptr);
    OpenTableRegister::renew();
    global_.reset();
    Session::reset();
}

bool CompanyFixture::start()
{
    if (!inst_->initData())
        return false;
    Session::reset();
    SessionValues &s = Session::values();
    s.ExeDir = inst_->exeDir();
    s.ProgramDir = inst_->dataRoot();
    // A new installation says its operators were created again.
    ScriptedMessages startUp;
    global_ = std::make_unique<TTabPadroes>();
    if (!global_->create())
        return false;
    s.OperatorName = QStringLiteral("MASTER");
    s.OperatorPassword = Kernix::Converte(QStringLiteral("ZELNOK"), 8).left(8);
    s.OperatorCode = 1;
    s.OperatorLevel = 0;
    return true;
}

void CompanyFixture::addCompany(int code, const QString &name, int headOffice, int central)
{
    Table &t = global_->TbEmp;
    t.append();
    t.setValue(QStringLiteral("cod_emp"), code);
    t.setValue(QStringLiteral("nom_emp"), name);
    t.setValue(QStringLiteral("mat_emp"), headOffice);
    t.setValue(QStringLiteral("cen_emp"), central);
    t.setValue(QStringLiteral("niv_emp"), 9);
    t.setValue(QStringLiteral("tip_emp"), QStringLiteral("G"));
    t.post();
}

bool CompanyFixture::work(int code)
{
    Table &t = global_->TbEmp;
    t.refresh();
    return t.locate(QStringLiteral("cod_emp"), {code}) && WorkingCompany::SelectCurrentCompany();
}

QString CompanyFixture::companyDir(int code) const
{
    return inst_->tabelasDir() + QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
}

QVariant CompanyFixture::stored(int code, const QString &field) const
{
    Table t;
    t.setDirectory(inst_->tabelasDir());
    t.setTableName(QStringLiteral("TbEmp"));
    t.open();
    return t.locate(QStringLiteral("cod_emp"), {code}) ? t.value(field) : QVariant();
}

bool CompanyFixture::companyExists(int code) const
{
    Table t;
    t.setDirectory(inst_->tabelasDir());
    t.setTableName(QStringLiteral("TbEmp"));
    t.open();
    return t.locate(QStringLiteral("cod_emp"), {code});
}
