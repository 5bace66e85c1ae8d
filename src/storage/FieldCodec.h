#pragma once

#include "storage/TableDef.h"

#include <QVariant>

#include <optional>

// How each field kind lives in a table file: the declared column type that
// names the kind (so the file describes itself), and the conversion of values
// to and from what SQLite stores. Dates are ISO text, logicals 0/1.
namespace FieldCodec {

QString declaredType(const FieldDef &field);
// The field a declared type stands for; unknown types read as Text.
FieldDef fromDeclared(const QString &name, const QString &declaredType);

// The stored form of value for field; NULL for an empty value; nothing when the
// value cannot be taken by the field (letters in a number field, a bad date).
std::optional<QVariant> toStorage(const FieldDef &field, const QVariant &value);
// The program's form of a stored value: QDate, QTime, QDateTime, double, qlonglong, bool.
QVariant fromStorage(FieldKind kind, const QVariant &stored);

bool isNumeric(FieldKind kind);

} // namespace FieldCodec
