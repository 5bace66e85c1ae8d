#include "framework/BrDate.h"

#include <QLocale>

namespace BrDate {

QString dateToStr(const QDate &date) { return date.toString(shortDateFormat()); }

QString dateTimeToStr(const QDateTime &moment)
{
    return moment.date().toString(shortDateFormat()) + QLatin1Char(' ') + moment.time().toString(longTimeFormat());
}

void applyProcessFormat() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

} // namespace BrDate
