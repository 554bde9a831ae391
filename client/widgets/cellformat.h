#pragma once

#include "columnspec.h"

#include "protocol/clienttable.h"

#include <QLocale>

namespace Widgets {

// The Turkish locale every grid shows its numbers and dates in.
const QLocale &gridLocale();

// The money display format "#,###,##0.00": 1234.5 → "1.234,50".
QString moneyText(double value);

// The kind a column is shown as once Auto is resolved against the table column (-1: unbound).
CellKind resolveKind(CellKind declared, const Protocol::ClientTable &table, int tableColumn);

// The text a cell shows (empty for nulls, marks, check boxes and owner-drawn cells).
QString cellText(const Protocol::ClientTable &table, int row, int tableColumn, CellKind kind);

// The text of a value in a value list or group row: like cellText, but marks give their names.
QString valueName(const Protocol::ClientTable &table, int row, int tableColumn, CellKind kind, const ColumnSpec &columnSpec);

// The icon entry a mark value shows, or nullptr.
const IconEntry *iconFor(const ColumnSpec &columnSpec, qint64 value);

} // namespace Widgets
