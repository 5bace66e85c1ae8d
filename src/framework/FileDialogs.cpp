#include "framework/FileDialogs.h"

#include <QFileDialog>

template <>
FileDialogService &Seam<FileDialogService>::fallback()
{
    static WidgetFileDialogService widgets;
    return widgets;
}

namespace FileDialogs {

QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return Seam<FileDialogService>::get().openFileName(parent, caption, dir, filter);
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return Seam<FileDialogService>::get().saveFileName(parent, caption, dir, filter);
}

QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return Seam<FileDialogService>::get().existingDirectory(parent, caption, dir);
}

} // namespace FileDialogs

QString WidgetFileDialogService::openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString WidgetFileDialogService::saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString WidgetFileDialogService::existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}
