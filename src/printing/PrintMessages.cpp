#include "printing/PrintMessages.h"

#include <cstdio>

namespace {

class StderrPrintMessages : public PrintMessages
{
public:
    Answer ask(Icon, Buttons buttons, const QString &text) override
    {
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        std::fprintf(stderr, "%s\n", shown.toUtf8().constData());
        std::fflush(stderr);
        return buttons == Ok ? AnswerOk : AnswerYes;
    }
};

PrintMessages *&installed()
{
    static PrintMessages *messages = nullptr;
    return messages;
}

} // namespace

PrintMessages &PrintMessages::current()
{
    static StderrPrintMessages fallback;
    return installed() ? *installed() : fallback;
}

PrintMessages *PrintMessages::install(PrintMessages *messages)
{
    PrintMessages *previous = installed();
    installed() = messages;
    return previous;
}
