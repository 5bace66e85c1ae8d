#pragma once

#include <QString>

class QPrinter;

// A report the preview shows, prints and archives: it paints all its pages
// on whatever printer it is given (screen preview, printer, PDF file).
class PreviewReport
{
public:
    virtual ~PreviewReport() = default;
    // The name proposed for its archive file.
    virtual QString name() const = 0;
    virtual void paint(QPrinter *printer) = 0;
};
