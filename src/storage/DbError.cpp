#include "storage/DbError.h"

DbError::DbError(const QString &message)
    : message_(message), utf8_(message.toUtf8())
{
}
