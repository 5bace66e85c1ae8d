#pragma once

#include <QString>
#include <QStringList>

// A source path as a backup stores it: written on Windows with backslashes
// and in any letter case ("C:\REMETIX\TABELAS\001\TBCLI.DB"), or here with
// slashes. Both separators count.
class StoredPath
{
public:
    explicit StoredPath(const QString &stored);

    QString fileName() const;
    // The folder part, as stored (without the file name).
    QString folder() const;
    // The path from its last "Tabelas" folder on (or, without one, from its
    // last "Reports" folder), "/"-separated, case as stored; empty when it has
    // neither or when what follows could leave that folder ("..", ".").
    QString relativeName() const;

    // The folder filter: the stored folder's last three characters equal
    // those of one of the listed folders ("Tabelas" takes every folder ending
    // in "las", "Tabelas\001" company 001), without regard to case.
    bool inFolders(const QStringList &folders) const;

    // Never backed up nor restored: postal code tables and leftovers of restores.
    static bool isExcludedName(const QString &fileName);
    // The data dictionary's own tables.
    static bool isDictionaryName(const QString &fileName);

private:
    QStringList parts_;
};
