#include "framework/InputBox.h"

#include <QApplication>
#include <QInputDialog>

template <>
InputBoxService &Seam<InputBoxService>::fallback()
{
    static WidgetInputBoxService service;
    return service;
}

QString WidgetInputBoxService::ask(const QString &caption, const QString &prompt, const QString &proposal, bool *ok)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), caption, prompt, QLineEdit::Normal,
                                                 proposal, &accepted);
    if (ok)
        *ok = accepted;
    return accepted ? answer : proposal;
}

namespace InputBox {

QString ask(const QString &caption, const QString &prompt, const QString &proposal, bool *ok)
{
    bool accepted = false;
    QString answer = Seam<InputBoxService>::get().ask(caption, prompt, proposal, &accepted);
    if (ok)
        *ok = accepted;
    return answer;
}

} // namespace InputBox
