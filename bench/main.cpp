// remetix-bench storage --rows N [--dir DIR]
#include "StorageBench.h"

#include "storage/DbError.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int rows = 100000;
    QString dir;
    bool ok = args.size() >= 2 && args.at(1) == QLatin1String("storage");
    for (int i = 2; ok && i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--rows") && i + 1 < args.size())
            rows = args.at(++i).toInt(&ok);
        else if (args.at(i) == QLatin1String("--dir") && i + 1 < args.size())
            dir = args.at(++i);
        else
            ok = false;
    }
    if (!ok || rows <= 0) {
        std::fprintf(stderr, "usage: remetix-bench storage [--rows N] [--dir DIR]\n");
        return 2;
    }
    QTemporaryDir scratch;
    if (dir.isEmpty())
        dir = scratch.path();
    try {
        return StorageBench(dir, rows).run();
    } catch (const DbError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
