#pragma once

#include <QDateTime>

// The packed 32-bit file date of the old file system: the date in the high
// word (years since 1980, month, day), the local time in the low word (hour,
// minute, seconds halved).
namespace DosDateTime {
quint32 pack(const QDateTime &moment);
// An invalid QDateTime when the fields do not form a date and time.
QDateTime unpack(quint32 packed);
} // namespace DosDateTime
