#include "CliCommand.h"

#include <QDir>

#include <cstdio>

namespace {
QList<CliCommand::Entry> &registry()
{
    static QList<CliCommand::Entry> entries;
    return entries;
}
} // namespace

QString CliContext::programPath() const { return QDir(exeDir).filePath(QStringLiteral("remetix")); }

CliCommand::Registration::Registration(const char *name, const char *usage, Handler handler)
{
    registry().append(Entry{QString::fromUtf8(name), QString::fromUtf8(usage), std::move(handler)});
}

const QList<CliCommand::Entry> &CliCommand::all() { return registry(); }

const CliCommand::Entry *CliCommand::find(const QString &name)
{
    for (const Entry &entry : registry())
        if (entry.name == name)
            return &entry;
    return nullptr;
}

namespace Cli {

void out(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void err(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

bool takeOption(QStringList &arguments, const QString &name, QString *value)
{
    const qsizetype at = arguments.indexOf(name);
    if (at < 0 || at + 1 >= arguments.size())
        return false;
    *value = arguments.at(at + 1);
    arguments.remove(at, 2);
    return true;
}

QStringList takeOptions(QStringList &arguments, const QString &name)
{
    QStringList values;
    QString value;
    while (takeOption(arguments, name, &value))
        values << value;
    return values;
}

bool takeFlag(QStringList &arguments, const QString &name)
{
    return arguments.removeAll(name) > 0;
}

} // namespace Cli
