#include "testsupport/CliRun.h"

#include "testsupport/TempInstallation.h"

#include <QProcess>

CliRun runCli(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(binaryPath(QStringLiteral("remetix-cli")), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("timed out")};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
