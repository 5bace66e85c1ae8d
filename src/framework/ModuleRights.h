#pragma once

#include "framework/Seam.h"

#include <QString>

class Table;

// The supervisor override: another operator's password releases a refused
// right on the spot. The start-up fills this with its window; until then a
// refused right stays refused.
class SupervisorOverride
{
public:
    virtual ~SupervisorOverride() = default;
    virtual bool release(int position, const QString &module) = 0;
};
template <> SupervisorOverride &Seam<SupervisorOverride>::fallback();

namespace ModuleRights {

// Right position 1 insert, 2 change, 3 delete, 4 search, for module code
// (e.g. "CAD_CLI"), for the logged-in operator's level.
bool moduleRight(int position, const QString &module);

// A backup or restore is running ("Trava.bkp" in the global or the working
// company's directory); the user has been told.
bool backupRunning();

// Some index of the table orders by exactly this field (a grid title click
// may then sort by it).
bool columnHasIndex(Table &table, const QString &fieldName);

} // namespace ModuleRights
