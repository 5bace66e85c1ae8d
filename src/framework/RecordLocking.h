#pragma once

#include "storage/Table.h"

#include <QString>
#include <QStringList>

// The program's own locks between computers: per table name in the shared
// file "Semaforo.trv" of the table's directory, and the edit stamp ass_opr
// of a record. Both apply only while locking is on for this computer.
namespace RecordLocking {

enum class ConflictMode { Change = 0, Delete = 1, DeleteConfirmed = 2, StampTest = 3 };
enum class Conflict { Proceed = 0, Reload = 1, Cancel = 2 };

// The semaphore file for a table name, by the directory rule; empty when the
// name cannot be placed (the user has then been told).
QString semaphoreFile(const QString &tableName);

bool lock(const QStringList &names);
bool unlock(const QStringList &names);

// The 21-byte record of the file for name and operator code.
QByteArray record(const QString &name, int operatorCode);

// The data modules' table events: lock name before, unlock it after (a
// refused lock abandons the operation that asked for it).
Table::BeforeEvent lockEvent(const QString &name);
Table::AfterEvent unlockEvent(const QString &name);

Conflict editConflict(Table &table, ConflictMode mode);
bool clearStamp(Table &table);

// "pelo usuário NAME", or "por outro usuário." when no operator has the code.
QString stampOperatorText(int code);

constexpr int recordSize = 21;
constexpr int attempts = 50;

} // namespace RecordLocking
