#include "backup/StoredPath.h"

StoredPath::StoredPath(const QString &stored)
{
    QString path = stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    parts_ = path.split(QLatin1Char('/'));
}

QString StoredPath::fileName() const { return parts_.last(); }

QString StoredPath::folder() const { return parts_.mid(0, parts_.size() - 1).join(QLatin1Char('/')); }

QString StoredPath::relativeName() const
{
    qsizetype anchor = -1;
    for (const char *name : {"Tabelas", "Reports"}) {
        for (qsizetype i = parts_.size() - 2; i >= 0 && anchor < 0; --i)
            if (parts_[i].compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                anchor = i;
        if (anchor >= 0)
            break;
    }
    if (anchor < 0)
        return {};
    const QStringList rest = parts_.mid(anchor);
    for (const QString &part : rest)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return {};
    return rest.join(QLatin1Char('/'));
}

bool StoredPath::inFolders(const QStringList &folders) const
{
    const QString mine = folder().right(3);
    if (mine.size() < 3)
        return false;
    for (QString listed : folders) {
        listed.replace(QLatin1Char('\\'), QLatin1Char('/'));
        while (listed.endsWith(QLatin1Char('/')))
            listed.chop(1);
        if (listed.size() >= 3 && listed.right(3).compare(mine, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool StoredPath::isExcludedName(const QString &fileName)
{
    return fileName.startsWith(QLatin1String("CEP"), Qt::CaseInsensitive)
        || fileName.startsWith(QLatin1String("RESTTEMP"), Qt::CaseInsensitive);
}

bool StoredPath::isDictionaryName(const QString &fileName)
{
    return fileName.startsWith(QLatin1String("TbStr"), Qt::CaseInsensitive);
}
