#pragma once

#include <QStringList>

// Builds a client table of a given size and times the cursor and the local SQL
// against the same statements run straight through SQLite on the same file.
// Prints one JSON line per step.
class StorageBench
{
public:
    StorageBench(const QString &dir, int rows);
    int run();

private:
    void build();
    void report(const char *step, double ms, double referenceMs, const QString &extra = QString()) const;
    double reference(const QString &sql, const QStringList &texts = {}, bool attach = false) const;

    QString dir_;
    int rows_;
};
