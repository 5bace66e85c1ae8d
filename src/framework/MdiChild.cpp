#include "framework/MdiChild.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace MdiChild {

void close(QWidget *window)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        frame->close();
    else
        window->close();
}

void activate(QWidget *window)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    if (!frame)
        return;
    if (frame->isMinimized() || frame->isMaximized())
        frame->showNormal();
    if (QMdiArea *area = frame->mdiArea())
        area->setActiveSubWindow(frame);
}

} // namespace MdiChild
