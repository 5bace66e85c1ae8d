#include "app/Logout.h"

#include "app/SessionMarker.h"
#include "framework/AppCodes.h"
#include "framework/Session.h"
#include "framework/UniKernix.h"
#include "framework/UniTabPadroes.h"
#include "storage/DbError.h"

namespace Logout {

void run()
{
    if (TTabPadroes *global = TTabPadroes::instance()) {
        Table &presence = global->TbOprLog;
        try {
            // The record is held in edit by this cursor since the login.
            if (presence.state() == Table::State::Edit || presence.state() == Table::State::Insert)
                presence.cancel();
            presence.setIndexFieldNames(QStringLiteral("cod_opr;sis_opr"));
            if (presence.isOpen()
                && presence.locate(QStringLiteral("cod_opr;sis_opr"), {Session::values().OperatorCode, AppCodes::own()}))
                presence.remove();
        } catch (const DbError &e) {
            Kernix::TrataErro(QStringLiteral("Erro ao desconectar o operador."), e.message());
        }
    }
    SessionMarker::remove();
}

} // namespace Logout
