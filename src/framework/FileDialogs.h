#pragma once

#include "framework/Seam.h"

#include <QString>

class QWidget;

// Every file and folder chooser of the program; tests answer from a script.
// An empty answer means the user cancelled.
class FileDialogService
{
public:
    virtual ~FileDialogService() = default;
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) = 0;
    virtual QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) = 0;
};
template <> FileDialogService &Seam<FileDialogService>::fallback();

namespace FileDialogs {
QString openFileName(QWidget *parent, const QString &caption, const QString &dir = {}, const QString &filter = {});
QString saveFileName(QWidget *parent, const QString &caption, const QString &dir = {}, const QString &filter = {});
QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir = {});
} // namespace FileDialogs

class WidgetFileDialogService : public FileDialogService
{
public:
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;
};
