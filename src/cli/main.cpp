#include "CliCommand.h"

#include "framework/Messages.h"
#include "framework/ProgressText.h"

#include <QCoreApplication>
#include <QDir>

namespace {

int usage()
{
    Cli::err(QStringLiteral("usage: remetix-cli [--exe-dir DIR] COMMAND ..."));
    for (const CliCommand::Entry &entry : CliCommand::all())
        Cli::err(QStringLiteral("  ") + entry.usage);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Remetix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(REMETIX_VERSION));

    // No dialog on the command line: texts go to stderr, progress to stdout.
    StderrMessageService messages;
    ScopedSeam<MessageService> messageSeam(messages);
    StdoutProgressTarget progress;
    ScopedSeam<ProgressTarget> progressSeam(progress);

    QStringList arguments = QCoreApplication::arguments().mid(1);
    CliContext context;
    context.exeDir = QCoreApplication::applicationDirPath();
    QString exeDir;
    if (Cli::takeOption(arguments, QStringLiteral("--exe-dir"), &exeDir))
        context.exeDir = QDir(exeDir).absolutePath();
    if (arguments.isEmpty())
        return usage();
    const CliCommand::Entry *command = CliCommand::find(arguments.takeFirst());
    if (!command)
        return usage();
    return command->handler(context, arguments);
}
