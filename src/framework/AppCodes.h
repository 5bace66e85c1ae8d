#pragma once

#include <QSet>
#include <QString>

// The short codes by which the applications of the family sharing one
// installation name their files and presence records.
namespace AppCodes {

// "RX" for this program; the code of a sibling's executable name ("Ledger.exe",
// with or without extension or path, any case); any other name as given.
QString codeFor(const QString &executableName);

// This program's own code.
inline QString own() { return QStringLiteral("RX"); }

} // namespace AppCodes

// The applications an installation lists as its own: one code a line in
// "Aplicativos.txt" of the global tables directory ("Tabelas").
class InstalledApplications
{
public:
    static QString fileName() { return QStringLiteral("Aplicativos.txt"); }

    // Reads the list; a missing file lists this program alone.
    static InstalledApplications load(const QString &tabelasDir);
    // Writes the list, this program's code first.
    static bool write(const QString &tabelasDir, const QStringList &codes, QString *error = nullptr);

    bool contains(const QString &code) const { return codes_.contains(code.toUpper()); }

    // The list ApplicationInstalled consults: set by the global data module
    // while it exists, null otherwise.
    static void setCurrent(const InstalledApplications *list);
    static const InstalledApplications *current();

private:
    QSet<QString> codes_;
};

// Whether the application of that executable belongs to this installation;
// false while no global data module exists.
bool ApplicationInstalled(const QString &executableName);
