#pragma once

#include "framework/Seam.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ProcessResult
{
    bool started = false;
    bool finished = false;   // false when not waited for, or killed
    int exitCode = -1;
    QByteArray output;       // standard output, when waited for
    QByteArray errorOutput;  // standard error, when waited for
    QString errorText;       // why it could not be started or did not finish
};

// Runs outside programs (7-Zip, the spool copy). Tests may install a runner
// that records the calls instead.
class ProcessRunner
{
public:
    virtual ~ProcessRunner() = default;
    // wait: block until the program ends (pending window events still run);
    // otherwise start it detached and return at once.
    virtual ProcessResult run(const QString &program, const QStringList &arguments,
                              const QString &workingDir, bool wait) = 0;
};
template <> ProcessRunner &Seam<ProcessRunner>::fallback();

namespace Processes {
ProcessResult run(const QString &program, const QStringList &arguments,
                  const QString &workingDir = {}, bool wait = true);
}

class SystemProcessRunner : public ProcessRunner
{
public:
    ProcessResult run(const QString &program, const QStringList &arguments,
                      const QString &workingDir, bool wait) override;
};
