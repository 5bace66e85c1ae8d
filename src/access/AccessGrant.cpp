#include "access/AccessGrant.h"

#include "framework/UniKernix.h"
#include "framework/UniTabPadroes.h"

namespace AccessGrant {

Result check(const QString &name, const QString &typedPassword, int position, const QString &module)
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global)
        return Result::WrongPassword;
    Table &operators = global->TbOpr;
    const QString stored = Kernix::Converte(typedPassword.toUpper(), 8).left(8);
    operators.setIndexFieldNames(QStringLiteral("nom_opr;sen_opr"));
    if (!operators.locate(QStringLiteral("nom_opr;sen_opr"), {name, stored}))
        return Result::WrongPassword;
    const int level = int(operators.asInt(QStringLiteral("niv_opr")));
    if (level == 0)
        return Result::Granted;
    Table &levels = global->TbNiv;
    levels.setFiltered(false);
    levels.setIndexFieldNames(QStringLiteral("cod_niv;mod_niv"));
    if (levels.locate(QStringLiteral("cod_niv;mod_niv"), {level, module})) {
        const QString rights = levels.asString(QStringLiteral("ace_niv"));
        if (position >= 1 && position <= rights.size() && rights[position - 1] == QLatin1Char('S'))
            return Result::Granted;
    }
    return Result::NotAllowed;
}

} // namespace AccessGrant
