#include "framework/UniTabEmpresa.h"

#include "framework/GlobalStructure.h"
#include "framework/ProgressText.h"
#include "framework/RecordLocking.h"
#include "framework/Session.h"
#include "framework/SessionEvents.h"
#include "framework/UniTabPadroes.h"
#include "framework/WaitCursor.h"

#include <memory>

namespace {

std::unique_ptr<TTabEmpresa> &current()
{
    static std::unique_ptr<TTabEmpresa> module;
    return module;
}

QString codeDir(const QString &tabelas, int code)
{
    return tabelas + QStringLiteral("%1/").arg(code, 3, 10, QLatin1Char('0'));
}

using RecordLocking::lockEvent;
using RecordLocking::unlockEvent;

} // namespace

TTabEmpresa::TTabEmpresa()
{
    const QList<QPair<Table *, const char *>> tables{
        {&TbCli, "TbCli"}, {&TbCli2, "TbCli2"}, {&TbSitua, "TbSitua"},
        {&TbFor, "TbFor"}, {&TbTit, "TbTit"}, {&TbLog, "TbLog"},
    };
    for (const auto &[table, name] : tables) {
        table->setObjectName(QString::fromLatin1(name));
        table->setTableName(QString::fromLatin1(name));
    }
    attachEvents();
}

TTabEmpresa::~TTabEmpresa() = default;

TTabEmpresa *TTabEmpresa::instance() { return current().get(); }

void TTabEmpresa::replace(TTabEmpresa *module)
{
    current().reset();
    current().reset(module);
}

bool TTabEmpresa::create(int code, int central)
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return false;
    const QString tabelas = global->tabelasDir();
    companyDir_ = codeDir(tabelas, code);
    centralDir_ = central >= 1 ? codeDir(tabelas, central) : companyDir_;
    for (Table *t : {&TbCli, &TbCli2, &TbSitua, &TbFor})
        t->setDirectory(centralDir_);
    for (Table *t : {&TbTit, &TbLog})
        t->setDirectory(companyDir_);

    WaitCursor cursor;
    GlobalStructure structure(global->Dictionary, Session::values().ProgramDir);
    if (!structure.checkCompanyTables(companyDir_, centralDir_))
        return false;
    emit SessionEvents::instance().companyModuleCreated();
    Progress::show(QString());
    return true;
}

void TTabEmpresa::attachEvents()
{
    TbCli.beforeEdit = TbCli.beforeDelete = lockEvent(QStringLiteral("TbCli"));
    TbCli.afterPost = TbCli.afterCancel = TbCli.afterDelete = unlockEvent(QStringLiteral("TbCli"));
    TbCli.afterOpen = [](Table &t) {
        for (const FieldDef &field : t.fieldDefs()) {
            if ((field.kind == FieldKind::Number || field.kind == FieldKind::Currency)
                && field.name.compare(QLatin1String("COD_CLI"), Qt::CaseInsensitive) != 0)
                t.setDisplayFormat(field.name, QStringLiteral("#,0.00"));
            else if (field.kind == FieldKind::Date || field.kind == FieldKind::Timestamp)
                t.setDisplayFormat(field.name, QStringLiteral("dd/mm/yyyy"));
        }
    };
    TbTit.beforeInsert = TbTit.beforeEdit = lockEvent(QStringLiteral("TbTit"));
    TbTit.afterPost = TbTit.afterCancel = unlockEvent(QStringLiteral("TbTit"));
    TbLog.beforeInsert = TbLog.beforeEdit = TbLog.beforeDelete = lockEvent(QStringLiteral("TbLog"));
    TbLog.afterPost = TbLog.afterCancel = TbLog.afterDelete = unlockEvent(QStringLiteral("TbLog"));
    TbSitua.beforeEdit = lockEvent(QStringLiteral("TbSitua"));
    TbSitua.afterPost = TbSitua.afterCancel = unlockEvent(QStringLiteral("TbSitua"));
}
