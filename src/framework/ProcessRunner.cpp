#include "framework/ProcessRunner.h"

#include <QCoreApplication>
#include <QProcess>

template <>
ProcessRunner &Seam<ProcessRunner>::fallback()
{
    static SystemProcessRunner runner;
    return runner;
}

ProcessResult Processes::run(const QString &program, const QStringList &arguments,
                             const QString &workingDir, bool wait)
{
    return Seam<ProcessRunner>::get().run(program, arguments, workingDir, wait);
}

ProcessResult SystemProcessRunner::run(const QString &program, const QStringList &arguments,
                                       const QString &workingDir, bool wait)
{
    ProcessResult result;
    if (!wait) {
        result.started = QProcess::startDetached(program, arguments, workingDir);
        if (!result.started)
            result.errorText = QStringLiteral("não foi possível executar ") + program;
        return result;
    }
    QProcess process;
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        result.errorText = process.errorString();
        return result;
    }
    result.started = true;
    // Poll so that a window that waits for the program keeps repainting.
    while (!process.waitForFinished(50)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    result.errorOutput = process.readAllStandardError();
    if (!result.finished)
        result.errorText = process.errorString();
    return result;
}
