#pragma once

#include <QString>

#include <variant>

namespace Spreadsheet {

// A date or date-time cell: the day count since 1899-12-30 with the time as fraction.
struct DateCell
{
    double serial = 0;
    bool hasTime = false;
    bool operator==(const DateCell &) const = default;
};

// One cell as the workbook stores it; std::monostate leaves the cell empty.
using Cell = std::variant<std::monostate, double, QString, DateCell, bool>;

// How a column's numbers are shown in the workbook.
enum class NumberStyle { General, Money };

// What the writer reads: a header of captions and rows of typed cells. A row may instead be a
// heading (a group row of a grid), written as one bold text in the first column.
class SheetSource
{
public:
    virtual ~SheetSource() = default;
    virtual int columnCount() const = 0;
    virtual QString caption(int column) const = 0;
    virtual NumberStyle numberStyle(int /*column*/) const { return NumberStyle::General; }
    virtual int rowCount() const = 0;
    // Non-empty for a heading row; its cells are then not asked for.
    virtual QString heading(int /*row*/) const { return {}; }
    virtual Cell cell(int row, int column) const = 0;
};

// Naive milliseconds since 1970-01-01 (the table's date-time form) as a spreadsheet day serial.
inline double daySerialFromNaiveMsecs(qint64 msecs)
{
    return double(msecs) / 86400000.0 + 25569.0;
}

} // namespace Spreadsheet
