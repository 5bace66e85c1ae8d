#include "PrinterCli.h"

#include "CliCommand.h"

#include "framework/Messages.h"
#include "printing/PrintFileDialogs.h"
#include "printing/PrintMessages.h"
#include "printing/PrinterModels.h"
#include "printing/TPrintFast.h"

namespace {

class ServiceMessages : public PrintMessages
{
public:
    Answer ask(Icon icon, Buttons buttons, const QString &text) override
    {
        static const MsgIcon icons[] = {MsgIcon::None, MsgIcon::Warning, MsgIcon::Error, MsgIcon::Information,
                                        MsgIcon::Confirmation};
        static const MsgButtons sets[] = {MsgButtons::Ok, MsgButtons::YesNo, MsgButtons::YesCancel};
        switch (Messages::show(icons[icon], sets[buttons], text)) {
        case MsgAnswer::Ok: return AnswerOk;
        case MsgAnswer::Yes: return AnswerYes;
        case MsgAnswer::No: return AnswerNo;
        case MsgAnswer::Cancel: return AnswerCancel;
        }
        return AnswerCancel;
    }
};

class NoDialogs : public PrintFileDialogs
{
public:
    QString saveFileName(const SaveRequest &) override { return {}; }
};

} // namespace

struct PrinterCli::Adapters
{
    ServiceMessages messages;
    NoDialogs dialogs;
    PrintMessages *previousMessages = nullptr;
    PrintFileDialogs *previousDialogs = nullptr;
};

PrinterCli::PrinterCli() : adapters_(new Adapters)
{
    adapters_->previousMessages = PrintMessages::install(&adapters_->messages);
    adapters_->previousDialogs = PrintFileDialogs::install(&adapters_->dialogs);
}

PrinterCli::~PrinterCli()
{
    PrintMessages::install(adapters_->previousMessages);
    PrintFileDialogs::install(adapters_->previousDialogs);
    delete adapters_;
}

bool PrinterCli::configure(TPrintFast &engine, QStringList &arguments, const QString &usage)
{
    QString name;
    QString address;
    const bool named = Cli::takeOption(arguments, QStringLiteral("--printer"), &name);
    const bool addressed = Cli::takeOption(arguments, QStringLiteral("--address"), &address);
    if (!named || !addressed) {
        Cli::err(QStringLiteral("usage: remetix-cli ") + usage);
        return false;
    }
    TPrinterName model = pfNenhuma;
    if (!PrinterModels::modelForName(name, &model)) {
        Cli::err(QStringLiteral("unknown printer \"%1\"; the models are:").arg(name));
        for (const QString &known : PrinterModels::names())
            Cli::err(QStringLiteral("  ") + known);
        return false;
    }
    engine.setPrinterName(model);
    engine.setPrinterAdr(address);
    return true;
}
