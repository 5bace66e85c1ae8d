#include "storage/PathCase.h"

#include <QDir>
#include <QFileInfo>

namespace PathCase {

QString entry(const QString &dir, const QString &name)
{
    const QDir folder(dir);
    if (QFileInfo::exists(folder.filePath(name)))
        return name;
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &candidate : entries)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    return name;
}

QString resolve(const QString &dir, const QString &name)
{
    return QDir(dir).filePath(entry(dir, name));
}

QString withSeparator(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

} // namespace PathCase
