#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

// Pieces of SQL text the cursor builds. Names are quoted; values never appear
// in the text, only as "?" with the value appended to the caller's list.
namespace SqlText {

QString quote(const QString &identifier);

// "a", "b", rowid: the cursor's order, made total by the rowid.
QString orderBy(const QStringList &fields);

// (fields) compared with (values) in the cursor's order, where NULL (empty)
// sorts before every value. op is ">=" or "<=". Only as many fields take part
// as there are values.
QString compareKey(const QStringList &fields, const QVariantList &values, const QString &op, QVariantList &bound);

// "a AND b" of the non-empty parts.
QString conjunction(const QStringList &parts);

} // namespace SqlText
