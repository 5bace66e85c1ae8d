#pragma once

#include <QString>

// Keeps the text of the last local SQL query that failed to open, for support:
// "ErrosSQL.txt" in the working company's directory, or in the global tables
// directory while no company is open. Rewritten on every failure; a log that
// cannot be written is given up silently.
namespace SqlErrorLog {
QString path();
void write(const QString &queryName, const QString &formName, const QString &sqlText);
} // namespace SqlErrorLog
