#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Protocol {

// The kind a column gets from its wire type code.
enum class ColumnKind : std::uint8_t {
    Text,     // 1 AnsiString, 26 WideString
    Int32,    // 5, 6, 12, 13, 28, 29
    Int64,    // 18, 19
    Float,    // 7 Double, 27 Single: gets the money display format
    Currency, // 25 Currency, 8 BCD: keeps its own display
    Bool,     // 4
    DateTime, // 2 Date, 10 Time, 11 DateTime, 24 TimeStamp
    Bytes,    // 3, 9, 15, 33
};

QString columnKindName(ColumnKind kind); // "text", "int32", "int64", "float", "currency", "bool", "datetime", "bytes"

struct ColumnInfo
{
    QString name;
    ColumnKind kind = ColumnKind::Text;
    int typeCode = 26;  // the wire type code the column arrived with (or is sent with)
    int size = 0;
    int precision = 0;
    qint16 scale = 0;
    bool nullable = true;
    bool moneyFormat = false; // "#,###,##0.00" applies (set by applyMoneyFormat on Float columns)
};

// Default wire type code of a kind, used when a table is built locally.
int defaultTypeCode(ColumnKind kind);

// Date-times inside tables are naive (no time zone): they are kept as milliseconds
// since 1970-01-01T00:00:00 read as if it were UTC, and handed out as local-naive QDateTime.
qint64 toNaiveMsecs(const QDateTime &dt);
QDateTime fromNaiveMsecs(qint64 msecs);

// The in-memory table of a view: named, typed columns, rows, and a current row.
// Stored by column; a text column is one UTF-8 block plus end offsets, so a 100,000-row
// result costs a few hundred bytes per row and no QString until a cell is shown.
class ClientTable final
{
public:
    ClientTable() = default;

    // --- shape
    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const { return m_rows; }
    bool isEmpty() const { return m_rows == 0; }
    const ColumnInfo &column(int c) const { return m_columns[size_t(c)].info; }
    // Column look-up by name, case-insensitive as the platform's field look-up is; -1 when absent.
    int columnIndex(QStringView name) const;
    bool hasColumn(QStringView name) const { return columnIndex(name) >= 0; }

    // --- cells (row, column): reading a cell of another kind converts where it makes sense
    bool isNull(int row, int col) const;
    QString text(int row, int col) const;              // display-neutral text of any kind
    std::string_view utf8(int row, int col) const;     // text columns only; empty otherwise
    qint64 integer(int row, int col) const;            // Int32/Int64/Bool; numbers truncated
    double number(int row, int col) const;             // any numeric kind
    bool boolean(int row, int col) const;
    QDateTime dateTime(int row, int col) const;        // DateTime columns
    qint64 dateTimeMsecs(int row, int col) const;      // naive msecs, see above
    QByteArray bytes(int row, int col) const;          // Bytes columns
    QVariant value(int row, int col) const;            // typed; null gives an invalid QVariant

    // By column name, on the current row (the usual way windows read a table).
    QVariant field(QStringView name) const;
    // Changes one cell; the value is converted to the column's kind. Null QVariant sets null.
    void setValue(int row, int col, const QVariant &value);

    // --- building: add every column first, then append cell by cell, row by row
    // (one append per column, in column order, per row); endRow() closes a row.
    int addColumn(ColumnInfo info);
    void reserveRows(int rows);
    void appendNull();
    void appendText(std::string_view utf8);
    void appendText(const QString &text);
    void appendInteger(qint64 v);
    void appendNumber(double v);
    void appendBool(bool v);
    void appendDateTimeMsecs(qint64 naiveMsecs);
    void appendBytes(QByteArray v);
    void endRow();
    // Convenience for tests and small tables: one QVariant per column.
    void appendRow(const QVariantList &values);
    // Bulk fill, column by column (the JSON form is column-major): size the rows once, then
    // set every cell of one column in row order before the next. Text cells must come in row order.
    void beginBulk(int rows);
    void reserveText(int col, std::size_t bytes);
    void bulkNull(int col, int row);
    void bulkText(int col, int row, std::string_view utf8);
    void bulkInteger(int col, int row, qint64 v);
    void bulkNumber(int col, int row, double v);
    void bulkBool(int col, int row, bool v);
    void bulkDateTimeMsecs(int col, int row, qint64 naiveMsecs);
    void bulkBytes(int col, int row, QByteArray v);

    // Direct read access to one column's storage, for writers that walk a whole column.
    struct RawColumn
    {
        const std::uint8_t *nulls = nullptr; // bit per row, may be shorter than the rows (no nulls there)
        std::size_t nullBytes = 0;
        const qint32 *i32 = nullptr;
        const qint64 *i64 = nullptr;
        const double *f64 = nullptr;
        const std::uint8_t *b = nullptr;
        const char *blob = nullptr;
        const quint32 *ends = nullptr;
        bool isNull(int row) const
        {
            const std::size_t byte = std::size_t(row) >> 3;
            return byte < nullBytes && (nulls[byte] >> (row & 7) & 1);
        }
    };
    RawColumn raw(int col) const;

    // A generous guess of the JSON size of the table, so a writer can reserve once.
    std::size_t estimatedJsonBytes() const;

    void clear();         // no columns, no rows
    void clearRows();     // keeps the columns

    // --- current row (a cursor, as the views use it)
    int currentRow() const { return m_current; } // -1 when there is none; rowCount() is "past the end"
    void setCurrentRow(int row);
    bool first();       // false when empty
    bool next();        // false when it moved past the last row
    bool eof() const { return m_current >= m_rows || m_rows == 0; }

    // The money display format: every Float column gets "#,###,##0.00". Callers apply it after every fill.
    void applyMoneyFormat();

    // Memory held by the cells, for the benchmark's bytes-per-row figure.
    std::size_t memoryBytes() const;

private:
    struct Column
    {
        ColumnInfo info;
        std::vector<std::uint8_t> nulls; // one byte per 8 rows, bit set = null
        std::vector<qint32> i32;
        std::vector<qint64> i64;         // Int64 and DateTime
        std::vector<double> f64;         // Float and Currency
        std::vector<std::uint8_t> b;     // Bool
        std::string blob;                // Text: UTF-8 of every row, back to back
        std::vector<quint32> ends;       // Text: end offset of each row in blob
        std::vector<QByteArray> bytes;   // Bytes
    };
    void setNull(Column &col, int row, bool null);
    Column &appendTarget();

    std::vector<Column> m_columns;
    int m_rows = 0;
    int m_appendCol = 0;
    int m_current = -1;
};

} // namespace Protocol
