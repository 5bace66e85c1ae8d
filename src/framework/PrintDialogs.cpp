#include "framework/PrintDialogs.h"

#include <QPrintDialog>

template <>
PrintDialogService &Seam<PrintDialogService>::fallback()
{
    static WidgetPrintDialogService service;
    return service;
}

bool WidgetPrintDialogService::choose(QPrinter *printer, QWidget *parent)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
