#include "companies/CompanyRegister.h"

#include "companies/UniEmp.h"
#include "framework/MdiChild.h"
#include "framework/ModuleRights.h"

#include <QMdiArea>
#include <QMdiSubWindow>

TForEmp *openCompanyRegister(QMdiArea *area)
{
    if (!ModuleRights::moduleRight(4, QStringLiteral("CAD_EMP")) || ModuleRights::backupRunning())
        return nullptr;
    for (QMdiSubWindow *frame : area->subWindowList())
        if (auto *open = qobject_cast<TForEmp *>(frame->widget())) {
            MdiChild::activate(open);
            return open;
        }
    auto *window = new TForEmp;
    if (!window->ready()) {
        delete window;
        return nullptr;
    }
    QMdiSubWindow *frame = area->addSubWindow(window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->showNormal();
    return window;
}
