#pragma once

#include "storage/DbError.h"

// Another cursor, in this process or another one, holds the record in edit.
class RecordLockedError : public DbError
{
public:
    using DbError::DbError;
};
