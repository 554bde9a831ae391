#pragma once

// Building the table results of the methods: columns declared by name and kind with the
// wire type code the client expects, rows filled from queries or computed values.

#include "protocol/clienttable.h"
#include "protocol/expected.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <initializer_list>

namespace Methods {

struct Col
{
    QString name;
    Protocol::ColumnKind kind = Protocol::ColumnKind::Text;
    int typeCode = 26;
    int size = 0;
};

// Column kinds as the calling windows read them.
inline Col text(const QString &name, int size = 100)
{
    return {name, Protocol::ColumnKind::Text, 26, size};
}
inline Col int32(const QString &name)
{
    return {name, Protocol::ColumnKind::Int32, 6, 4};
}
inline Col money(const QString &name) // amounts, prices, quantities, rates: doubles
{
    return {name, Protocol::ColumnKind::Float, 7, 8};
}
inline Col date(const QString &name)
{
    return {name, Protocol::ColumnKind::DateTime, 2, 4};
}
inline Col stamp(const QString &name)
{
    return {name, Protocol::ColumnKind::DateTime, 24, 16};
}

Protocol::ClientTable makeTable(std::initializer_list<Col> columns);

// The stored ISO text of a date ("YYYY-MM-DD") or moment ("YYYY-MM-DD HH:MM:SS") as a
// date-time cell; an empty or unreadable text is a null cell.
QVariant dateValue(const QString &stored);

// Runs a query whose result columns are, in order, the table's columns and appends every
// row. Date-time columns are read from their stored text.
Protocol::Expected<Protocol::Done> fillFromQuery(Protocol::ClientTable &table, const QSqlDatabase &db,
                                                 const QString &sql, const QVariantList &binds = {});

// A date range sent as days since 1899-12-30: whole days only, within years 1900..2999.
struct DateRange
{
    QString from; // "YYYY-MM-DD", inclusive
    QString to;   // inclusive
    bool empty() const { return from > to; }
};
Protocol::Expected<DateRange> dateRange(double from, double to);

} // namespace Methods
