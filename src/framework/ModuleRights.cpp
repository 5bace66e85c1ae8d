#include "framework/ModuleRights.h"

#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UniTabPadroes.h"
#include "storage/PathCase.h"
#include "storage/Table.h"

#include <QFileInfo>

namespace {
class NoOverride : public SupervisorOverride
{
public:
    bool release(int, const QString &) override { return false; }
};
} // namespace

template <>
SupervisorOverride &Seam<SupervisorOverride>::fallback()
{
    static NoOverride none;
    return none;
}

namespace ModuleRights {

bool moduleRight(int position, const QString &module)
{
    TTabPadroes *global = TTabPadroes::instance();
    bool known = false;
    if (global) {
        global->TbMod.setIndexFieldNames(QStringLiteral("cod_mod"));
        known = global->TbMod.locate(QStringLiteral("cod_mod"), {module});
    }
    if (!known) {
        Messages::error(QStringLiteral("Módulo não disponível.\r\nAcesso negado."));
        return false;
    }
    const int level = Session::values().OperatorLevel;
    if (level == 0)
        return true;
    Table &levels = global->TbNiv;
    levels.setFiltered(false);
    levels.setIndexFieldNames(QStringLiteral("cod_niv;mod_niv"));
    if (levels.locate(QStringLiteral("cod_niv;mod_niv"), {level, module})) {
        const QString rights = levels.asString(QStringLiteral("ace_niv"));
        if (position >= 1 && position <= rights.size() && rights[position - 1] == QLatin1Char('S'))
            return true;
    }
    return Seam<SupervisorOverride>::get().release(position, module);
}

bool backupRunning()
{
    const SessionValues &session = Session::values();
    const QString global = PathCase::resolve(PathCase::resolve(session.ProgramDir, QStringLiteral("Tabelas")),
                                             QStringLiteral("Trava.bkp"));
    const bool running = QFileInfo::exists(global)
        || (!session.CompanyDir.isEmpty() && QFileInfo::exists(PathCase::resolve(session.CompanyDir, QStringLiteral("Trava.bkp"))));
    if (running)
        Messages::warning(QStringLiteral("Backup está sendo processado. Acesso não disponível!"));
    return running;
}

bool columnHasIndex(Table &table, const QString &fieldName)
{
    table.refresh();
    const QString wanted = fieldName.toUpper();
    for (const IndexDef &index : table.indexDefs())
        if (index.fields.join(QLatin1Char(';')).toUpper() == wanted)
            return true;
    return false;
}

} // namespace ModuleRights
