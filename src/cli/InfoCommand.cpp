#include "CliCommand.h"

#include "framework/Installation.h"

namespace {

int info(const CliContext &context, const QStringList &arguments)
{
    if (!arguments.isEmpty()) {
        Cli::err(QStringLiteral("usage: remetix-cli info"));
        return 2;
    }
    Installation installation(context.programPath());
    const bool started = installation.start();
    if (started) {
        Cli::out(QStringLiteral("version: ") + QStringLiteral(REMETIX_VERSION));
        Cli::out(QStringLiteral("exe-dir: ") + installation.exeDir());
        Cli::out(QStringLiteral("config-file: ") + installation.configFile());
        Cli::out(QStringLiteral("program-dir: ") + installation.programDir());
        Cli::out(QStringLiteral("locking: ") + (installation.lockingActive() ? QStringLiteral("ATIVO") : QStringLiteral("INATIVO")));
    }
    installation.finish();
    return started ? 0 : 1;
}

const CliCommand::Registration registration("info", "info", info);

} // namespace
