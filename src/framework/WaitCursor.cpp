#include "framework/WaitCursor.h"

#include <QApplication>

namespace {
bool windowed() { return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr; }
} // namespace

WaitCursor::WaitCursor() { again(); }

WaitCursor::~WaitCursor() { restore(); }

void WaitCursor::restore()
{
    if (shown_)
        QApplication::restoreOverrideCursor();
    shown_ = false;
}

void WaitCursor::again()
{
    if (!shown_ && windowed()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        shown_ = true;
    }
}
