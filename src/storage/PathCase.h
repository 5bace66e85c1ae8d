#pragma once

#include <QString>

// Files copied from the old installations carry names in any case ("TBCLI.DB",
// "Tabelas"); on a case-sensitive file system they are found by comparing
// names without regard to case.
namespace PathCase {

// The entry of dir whose name equals name without regard to case; the exact
// name when it exists or nothing matches (so a new file gets the name asked for).
QString entry(const QString &dir, const QString &name);

// entry() as a full path: dir + the matched name.
QString resolve(const QString &dir, const QString &name);

// dir with one trailing "/", as directories are kept in session values.
QString withSeparator(const QString &dir);

} // namespace PathCase
