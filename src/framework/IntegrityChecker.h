#pragma once

#include <QString>
#include <QStringList>

// Checks one table file for damage before it is used, while an integrity
// check is pending. Findings go to "<code>IntDB.log" in ExeDir, which the
// result window shows after login.
class IntegrityChecker
{
public:
    static QString reportPath(const QString &appCode = QStringLiteral("RX"));

    // true when the table may be used. A file that is missing passes (the
    // structure check creates it); damaged indexes are rebuilt and the file
    // checked again; any other damage, or a file that is not a table, fails.
    static bool CheckTable(const QString &tablePath, const QString &programDir, const QString &appCode = QStringLiteral("RX"));
};
