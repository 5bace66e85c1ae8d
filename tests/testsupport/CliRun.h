#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of the real remetix-cli, as a user or a support script would make it.
struct CliRun
{
    int exitCode = -1; // -1 when it did not finish in time
    QString out;
    QString err;
};

CliRun runCli(const QStringList &arguments,
              const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
