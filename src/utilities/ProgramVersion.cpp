#include "utilities/ProgramVersion.h"

#include <QCoreApplication>
#include <QStringList>

namespace ProgramVersion {

QString text(const QString &version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    const auto two = [&](int i) {
        const int n = i < parts.size() ? parts[i].toInt() : 0;
        return QString::number(n + 100).right(2);
    };
    return two(0) + QLatin1Char('.') + two(1) + two(2);
}

QString current() { return text(QCoreApplication::applicationVersion()); }

} // namespace ProgramVersion
