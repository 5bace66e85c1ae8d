#pragma once

#include <QDateTime>
#include <QString>

// The process date conventions: "/" as separator, "dd/mm/yy" as short date,
// "hh:nn:ss" as long time.
namespace BrDate {
inline QString shortDateFormat() { return QStringLiteral("dd/MM/yy"); }
inline QString longTimeFormat() { return QStringLiteral("HH:mm:ss"); }
QString dateToStr(const QDate &date);
QString dateTimeToStr(const QDateTime &moment);
// Sets the Brazilian locale for numbers and dates shown by the widgets.
void applyProcessFormat();
} // namespace BrDate
