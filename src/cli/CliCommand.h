#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// One verb of remetix-cli. Each command's source file registers itself with a
// static CliCommand::Registration.
struct CliContext
{
    QString exeDir;  // --exe-dir, or the directory of remetix-cli
    QString programPath() const; // the windowed program's path in exeDir
};

class CliCommand
{
public:
    using Handler = std::function<int(const CliContext &, const QStringList &arguments)>;

    struct Registration
    {
        Registration(const char *name, const char *usage, Handler handler);
    };

    struct Entry
    {
        QString name;
        QString usage;
        Handler handler;
    };
    static const QList<Entry> &all();
    static const Entry *find(const QString &name);
};

// Standard output and error of the command line, UTF-8.
namespace Cli {
void out(const QString &line);
void err(const QString &line);
// Pulls "--name value" out of arguments; true when present.
bool takeOption(QStringList &arguments, const QString &name, QString *value);
// Pulls every "--name value" out of arguments.
QStringList takeOptions(QStringList &arguments, const QString &name);
bool takeFlag(QStringList &arguments, const QString &name);
} // namespace Cli
