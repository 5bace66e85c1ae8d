#include "printing/PrintFileDialogs.h"

namespace {

class NoPrintFileDialogs : public PrintFileDialogs
{
public:
    QString saveFileName(const SaveRequest &) override { return {}; }
};

PrintFileDialogs *&installed()
{
    static PrintFileDialogs *dialogs = nullptr;
    return dialogs;
}

} // namespace

PrintFileDialogs &PrintFileDialogs::current()
{
    static NoPrintFileDialogs fallback;
    return installed() ? *installed() : fallback;
}

PrintFileDialogs *PrintFileDialogs::install(PrintFileDialogs *dialogs)
{
    PrintFileDialogs *previous = installed();
    installed() = dialogs;
    return previous;
}
