#pragma once

#include "printing/PrintFileDialogs.h"

// The printing library's save dialog, through the program's file dialogs.
class PrintFileDialogsAdapter : public PrintFileDialogs
{
public:
    QString saveFileName(const SaveRequest &request) override;

    // "Texto|*.txt|Todos|*.*" as the dialogs write it, the selected kind
    // first: "Texto (*.txt);;Todos (*.*)".
    static QString dialogFilter(const QString &filter, int selected);
};
