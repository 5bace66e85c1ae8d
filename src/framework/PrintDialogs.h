#pragma once

#include "framework/Seam.h"

class QPrinter;
class QWidget;

// The print dialog before a report goes to a printer; tests answer it.
class PrintDialogService
{
public:
    virtual ~PrintDialogService() = default;
    // False when the user gave up.
    virtual bool choose(QPrinter *printer, QWidget *parent) = 0;
};
template <> PrintDialogService &Seam<PrintDialogService>::fallback();

class WidgetPrintDialogService : public PrintDialogService
{
public:
    bool choose(QPrinter *printer, QWidget *parent) override;
};
