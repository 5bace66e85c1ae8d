#include "CliCommand.h"

#include "framework/Installation.h"
#include "framework/InstallationBuilder.h"

#include <QDir>

namespace {

int init(const CliContext &context, const QStringList &args)
{
    QStringList arguments = args;
    QString dataRoot;
    const bool withDemo = Cli::takeFlag(arguments, QStringLiteral("--demo"));
    if (!Cli::takeOption(arguments, QStringLiteral("--data-root"), &dataRoot) || !arguments.isEmpty()) {
        Cli::err(QStringLiteral("usage: remetix-cli init [--demo] --data-root DIR"));
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
    if (!withDemo)
        return 0;
    // The demo data is written by its own command, with the single-copy
    // guard of this one released first.
    guard.release();
    return CliCommand::find(QStringLiteral("demo"))->handler(context, {QStringLiteral("--data-root"), dataRoot});
}

const CliCommand::Registration registration("init", "init [--demo] --data-root DIR", init);

} // namespace
