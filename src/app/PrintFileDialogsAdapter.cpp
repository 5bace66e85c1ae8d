#include "app/PrintFileDialogsAdapter.h"

#include "framework/FileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString PrintFileDialogsAdapter::dialogFilter(const QString &filter, int selected)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList kinds;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        kinds << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    if (selected > 0 && selected < kinds.size())
        kinds.move(selected, 0);
    return kinds.join(QStringLiteral(";;"));
}

QString PrintFileDialogsAdapter::saveFileName(const SaveRequest &request)
{
    const QString start = request.proposedName.isEmpty() ? request.directory
                                                         : QDir(request.directory).filePath(request.proposedName);
    QString chosen = FileDialogs::saveFileName(QApplication::activeWindow(), QStringLiteral("Salvar como"), start,
                                               dialogFilter(request.filter, request.selectedFilter));
    if (!chosen.isEmpty() && !request.defaultSuffix.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QLatin1Char('.') + request.defaultSuffix;
    return chosen;
}
