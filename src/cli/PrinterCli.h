#pragma once

#include <QString>
#include <QStringList>

class TPrintFast;

// What the printer commands share: the printing library's boxes shown
// through the program's message service, and the printer named on the
// command line.
class PrinterCli
{
public:
    // Routes the printing library's boxes to the message service for the
    // object's lifetime; save dialogs choose nothing on the command line.
    PrinterCli();
    ~PrinterCli();
    PrinterCli(const PrinterCli &) = delete;
    PrinterCli &operator=(const PrinterCli &) = delete;

    // Takes "--printer NAME --address ADDR" out of arguments and sets the
    // engine up; false (usage told on stderr) when either is missing or the
    // name is not in the model list.
    static bool configure(TPrintFast &engine, QStringList &arguments, const QString &usage);

private:
    struct Adapters;
    Adapters *adapters_;
};
