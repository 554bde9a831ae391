#pragma once

#include <QIcon>
#include <QString>

#include <vector>

namespace Widgets {

// How a column's cells are shown. Auto takes it from the table column's kind: texts as text,
// integers as numbers, floating-point columns with the money format as money, date-times as
// dates (with the time when the wire type carries one).
enum class CellKind { Auto, Text, Number, Money, Date, DateTime, CheckBox, IconMap, OwnerDrawn };

// What a footer (and each group footer) shows under a column.
enum class Summary { None, Count, Sum, Average };

// One value of a mark or status column: its icon in the cell and its name in value lists.
struct IconEntry
{
    qint64 value = 0;
    QString name;
    QIcon icon;
};

// The declaration of one grid column; a list declares its columns as a table of these.
struct ColumnSpec
{
    QString name;    // the table column it shows (none for an unbound, owner-drawn column)
    QString caption; // empty: the header shows the name
    int weight = 1;  // share in the proportional sizing
    bool visible = true;
    bool fixed = false;           // never offered in the column customisation
    Qt::Alignment alignment = {}; // empty: numbers right, marks centred, texts left
    CellKind kind = CellKind::Auto;
    std::vector<IconEntry> icons; // IconMap: value → icon and name
    int otherIcon = -1;           // IconMap: the entry shown for a value not listed, -1 for none
    Summary summary = Summary::None;
    bool sortable = true;

    QString headerText() const { return caption.isEmpty() ? name : caption; }
};

} // namespace Widgets
