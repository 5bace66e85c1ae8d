#include "CliCommand.h"

#include "framework/Installation.h"
#include "framework/InstallationBuilder.h"

#include <QDir>

namespace {

int init(const CliContext &context, const QStringList &args)
{
    QStringList arguments = args;
    QString dataRoot;
    if (!Cli::takeOption(arguments, QStringLiteral("--data-root"), &dataRoot) || !arguments.isEmpty()) {
        Cli::err(QStringLiteral("usage: remetix-cli init --data-root DIR"));
        return 2;
    }
    // The private directory and single-copy guard, as at any start; the data
    // root itself does not exist yet.
    Installation installation(context.programPath());
    QDir().mkpath(installation.privateDir());
    SingleCopyGuard guard;
    QString blocked;
    if (!guard.acquire(installation.privateDir(), &blocked)) {
        Cli::err(QStringLiteral("Outra cópia da aplicação está em uso neste computador: ") + blocked);
        return 1;
    }
    QString error;
    if (!InstallationBuilder::build(dataRoot, &error)) {
        Cli::err(error);
        return 1;
    }
    Cli::out(QStringLiteral("installed: ") + QDir(dataRoot).absoluteFilePath(QStringLiteral("Tabelas")));
    return 0;
}

const CliCommand::Registration registration("init", "init --data-root DIR", init);

} // namespace
