#pragma once

#include "storage/TableDef.h"

#include <QTemporaryDir>
#include <QVariantList>

// Small client-like tables in a temporary directory: TbCli (7 clients),
// TbCli2 (extra fields of clients 1-3), the dictionary pair TbStr/TbStrD and
// the module table TbMod.
class StorageFixture
{
public:
    StorageFixture();

    QString dir() const { return dir_.path(); }
    QString path(const QString &file) const { return dir_.filePath(file); }

    static TableDef clientDef();
    // Creates name from definition and fills it with rows (values in field order).
    void make(const QString &name, const TableDef &definition, const QList<QVariantList> &rows) const;

private:
    QTemporaryDir dir_;
};
