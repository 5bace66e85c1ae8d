#pragma once

#include "framework/Seam.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

class Table;

// The list from which the user picks records: the given columns and titles,
// one record or several; answers the key values of the records chosen
// (empty when the user gave up). The register windows fill it in.
class SelectionDialog
{
public:
    virtual ~SelectionDialog() = default;
    virtual QVariantList select(const QString &caption, Table &table, const QStringList &fields,
                                const QStringList &titles, bool several, const QString &keyField) = 0;
};
template <> SelectionDialog &Seam<SelectionDialog>::fallback();

// The generic locate window over a grid's table and column.
class LocateWindow
{
public:
    virtual ~LocateWindow() = default;
    virtual void locate(const QString &field, Table &table, const QString &caption) = 0;
};
template <> LocateWindow &Seam<LocateWindow>::fallback();

namespace RegisterServices {

// Code-or-name look-ups of the sibling registers: a text that is not a whole
// number searches the name (interest table: partial; suppliers: exact), else
// the code; failing that, the selection list. True when the table stands on
// the record.
bool lookupInterest(Table &interest, const QString &text);
bool lookupSupplier(Table &suppliers, const QString &text);

} // namespace RegisterServices
