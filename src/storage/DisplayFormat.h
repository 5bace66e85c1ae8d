#pragma once

#include "storage/TableDef.h"

#include <QVariant>

// Field display formats in the registers' notation, shown with the Brazilian
// conventions: "#,0.00" gives "1.234,50", "000" gives "007", "dd/mm/yyyy"
// (m = month, n = minute) gives "11/12/2026". Without a format numbers take the
// decimal comma and dates "dd/mm/yyyy". Empty values show as empty text.
namespace DisplayFormat {

QString text(const QVariant &value, FieldKind kind, const QString &format = QString());

} // namespace DisplayFormat
