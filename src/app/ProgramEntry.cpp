#include "app/ProgramEntry.h"

#include "access/UniPer.h"
#include "app/AppLifetime.h"
#include "app/SessionMarker.h"
#include "app/UniApr.h"
#include "app/UniLiberar.h"
#include "app/UniPri.h"
#include "app/UniTrava.h"
#include "companies/UniEmp.h"
#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UniTabEmpresa.h"
#include "framework/UniTabPadroes.h"

#include <QApplication>

ProgramEntry::ProgramEntry(const QString &executablePath, const QStringList &arguments)
    : arguments_(arguments), installation_(executablePath)
{
    AppLifetime::reset();
}

ProgramEntry::~ProgramEntry()
{
    delete opening_.data();
    main_.reset();
    TTabEmpresa::replace(nullptr);
    global_.reset();
    Seam<SupervisorOverride>::install(previousOverride_);
    installation_.finish();
}

int ProgramEntry::exitCode() const { return AppLifetime::exitCode(); }

void ProgramEntry::registerWindows()
{
    main_->registerWindow(QStringLiteral("Cld_Arq"), [] { return new TForPer; });
    main_->registerWindow(QStringLiteral("EmpArq"), []() -> QWidget * {
        auto *window = new TForEmp;
        if (window->ready())
            return window;
        delete window;
        return nullptr;
    });
    const QString config = installation_.configFile();
    main_->registerWindow(QStringLiteral("Trv_con"), [config] { return new TForTrava(config); });
}

bool ProgramEntry::start()
{
    if (!installation_.start()) {
        AppLifetime::requestEnd(1);
        return false;
    }
    previousOverride_ = Seam<SupervisorOverride>::install(&override_);

    main_ = std::make_unique<TForPri>();
    registerWindows();
    main_->hide();

    SessionValues &session = Session::values();
    session.LiberarSwitch = !arguments_.isEmpty() && arguments_.first().toUpper() == QLatin1String("LIBERAR");
    session.IntegrityCheckMode = session.LiberarSwitch ? 1 : 0;

    if (SessionMarker::exists() && session.IntegrityCheckMode == 0) {
        auto *dialog = new TForLiberar;
        dialog->exec();
    } else if (!SessionMarker::create()) {
        Messages::error(QStringLiteral("Impossível criar arquivo de log de sessão:\r\n") + SessionMarker::path()
                        + QStringLiteral("\r\n") + QStringLiteral("Aplicação será encerrada."));
        AppLifetime::requestEnd(1);
        return false;
    }
    QCoreApplication::processEvents();
    if (AppLifetime::endRequested())
        return false;

    opening_ = new TForApr(main_.get());
    opening_->show();
    opening_->repaint();

    global_ = std::make_unique<TTabPadroes>();
    const bool created = global_->create();
    session.OperatorName.clear();
    session.OperatorPassword.clear();
    if (!created) {
        global_.reset();
        AppLifetime::requestEnd(1);
        return false;
    }
    opening_->showPasswordPanel();
    return !AppLifetime::endRequested();
}
