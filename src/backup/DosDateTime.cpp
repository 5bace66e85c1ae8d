#include "backup/DosDateTime.h"


namespace DosDateTime {

quint32 pack(const QDateTime &moment)
{
    const QDateTime local = moment.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    // The field holds the years 1980 to 2107 only.
    const int year = qBound(1980, d.year(), 2107);
    const quint32 date = quint32(year - 1980) << 9 | quint32(d.month()) << 5 | quint32(d.day());
    const quint32 time = quint32(t.hour()) << 11 | quint32(t.minute()) << 5 | quint32(t.second() / 2);
    return date << 16 | time;
}

QDateTime unpack(quint32 packed)
{
    const quint32 date = packed >> 16;
    const quint32 time = packed & 0xFFFF;
    const QDate d(int(date >> 9) + 1980, int(date >> 5 & 15), int(date & 31));
    const QTime t(int(time >> 11), int(time >> 5 & 63), int(time & 31) * 2);
    if (!d.isValid() || !t.isValid())
        return {};
    return QDateTime(d, t, Qt::LocalTime);
}

} // namespace DosDateTime
