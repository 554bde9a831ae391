#include "xlsworkbook.h"

#include "compoundfile.h"

#include <QHash>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace Spreadsheet {

namespace {

// Record identifiers of the BIFF8 records written here.
enum : quint16 {
    kBof = 0x0809,
    kEof = 0x000A,
    kInterfaceHdr = 0x00E1,
    kMms = 0x00C1,
    kInterfaceEnd = 0x00E2,
    kWriteAccess = 0x005C,
    kCodepage = 0x0042,
    kDsf = 0x0161,
    kTabId = 0x013D,
    kFnGroupCount = 0x009C,
    kWindowProtect = 0x0019,
    kProtect = 0x0012,
    kPassword = 0x0013,
    kProt4Rev = 0x01AF,
    kProt4RevPass = 0x01BC,
    kBackup = 0x0040,
    kHideObj = 0x008D,
    kWindow1 = 0x003D,
    kDateMode = 0x0022,
    kPrecision = 0x000E,
    kRefreshAll = 0x01B7,
    kBookBool = 0x00DA,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kBoundSheet = 0x0085,
    kCountry = 0x008C,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kExtSst = 0x00FF,
    kDefColWidth = 0x0055,
    kColInfo = 0x007D,
    kDimensions = 0x0200,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kRk = 0x027E,
    kBoolErr = 0x0205,
    kWindow2 = 0x023E,
};

constexpr int kMaxRecordData = 8224;

// Cell formats (XF indexes) the sheets use; 0-15 are the style and default records.
enum : quint16 { kXfDefault = 15, kXfHeader = 16, kXfDate = 17, kXfDateTime = 18, kXfMoney = 19, kXfHeading = 20 };
constexpr quint16 kFmtDate = 164;
constexpr quint16 kFmtDateTime = 165;
constexpr quint16 kFmtMoney = 4; // built-in "#,##0.00"
constexpr quint16 kFontBold = 5; // font index 4 does not exist in BIFF

class Bytes
{
public:
    void u8(quint8 v) { m_data.append(char(v)); }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_data.append(b, 2);
    }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_data.append(b, 4);
    }
    void f64(double v)
    {
        char b[8];
        qToLittleEndian(std::bit_cast<quint64>(v), b);
        m_data.append(b, 8);
    }
    void raw(const QByteArray &b) { m_data.append(b); }
    // Characters of a string: one byte each when every one fits, else UTF-16LE.
    void chars(const QString &s, bool wide)
    {
        for (const QChar c : s) {
            if (wide)
                u16(c.unicode());
            else
                u8(quint8(c.unicode()));
        }
    }
    const QByteArray &data() const { return m_data; }
    QByteArray &data() { return m_data; }
    qsizetype size() const { return m_data.size(); }

private:
    QByteArray m_data;
};

bool needsWide(const QString &s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() > 0xFF; });
}

// A string with an 8-bit (short) or 16-bit length and the character-size flag.
void shortString(Bytes &b, const QString &s)
{
    const QString cut = s.left(255);
    const bool wide = needsWide(cut);
    b.u8(quint8(cut.size()));
    b.u8(wide ? 1 : 0);
    b.chars(cut, wide);
}

void longString(Bytes &b, const QString &s)
{
    const bool wide = needsWide(s);
    b.u16(quint16(s.size()));
    b.u8(wide ? 1 : 0);
    b.chars(s, wide);
}

class Stream
{
public:
    void record(quint16 id, const Bytes &body) { record(id, body.data()); }
    void record(quint16 id, const QByteArray &body = {})
    {
        Q_ASSERT(body.size() <= kMaxRecordData);
        m_out.u16(id);
        m_out.u16(quint16(body.size()));
        m_out.raw(body);
    }
    void u16Record(quint16 id, quint16 v)
    {
        Bytes b;
        b.u16(v);
        record(id, b);
    }
    qsizetype size() const { return m_out.size(); }
    QByteArray &data() { return m_out.data(); }

private:
    Bytes m_out;
};

void bof(Stream &s, quint16 type)
{
    Bytes b;
    b.u16(0x0600); // BIFF8
    b.u16(type);
    b.u16(0x0DBB); // build
    b.u16(0x07CC); // year
    b.u32(0);
    b.u32(6); // lowest version that reads every record
    s.record(kBof, b);
}

// The shared string table: unique texts in first-use order with their use count.
class StringTable
{
public:
    quint32 index(const QString &s)
    {
        ++m_uses;
        const auto it = m_index.constFind(s);
        if (it != m_index.constEnd())
            return *it;
        const quint32 i = quint32(m_strings.size());
        m_index.insert(s, i);
        m_strings.push_back(s);
        return i;
    }

    // SST and its CONTINUE records, then EXTSST; base is the stream position of the SST record.
    void write(Stream &out) const
    {
        std::vector<QByteArray> records(1);
        records[0].reserve(kMaxRecordData);
        {
            Bytes counts;
            counts.u32(m_uses);
            counts.u32(quint32(m_strings.size()));
            records[0] = counts.data();
        }
        const quint32 perBucket = std::max<quint32>(8, quint32((m_strings.size() + 127) / 128));
        struct Bucket
        {
            size_t record;
            qsizetype offset;
        };
        std::vector<Bucket> buckets;

        auto room = [&records] { return kMaxRecordData - records.back().size(); };
        for (size_t i = 0; i < m_strings.size(); ++i) {
            const QString &s = m_strings[i];
            const bool wide = needsWide(s);
            const int charSize = wide ? 2 : 1;
            // The length, flags and first character never part.
            if (room() < 3 + (s.isEmpty() ? 0 : charSize))
                records.emplace_back();
            if (i % perBucket == 0)
                buckets.push_back({records.size() - 1, records.back().size()});
            Bytes head;
            head.u16(quint16(s.size()));
            head.u8(wide ? 1 : 0);
            records.back().append(head.data());
            qsizetype done = 0;
            while (done < s.size()) {
                const qsizetype fits = std::min<qsizetype>(s.size() - done, room() / charSize);
                if (fits == 0) {
                    records.emplace_back();
                    records.back().append(char(wide ? 1 : 0)); // a continued string repeats its flags
                    continue;
                }
                Bytes part;
                part.chars(s.mid(done, fits), wide);
                records.back().append(part.data());
                done += fits;
            }
        }

        const qsizetype base = out.size();
        std::vector<qsizetype> recordStart(records.size());
        qsizetype pos = base;
        for (size_t r = 0; r < records.size(); ++r) {
            recordStart[r] = pos;
            pos += 4 + records[r].size();
        }
        for (size_t r = 0; r < records.size(); ++r)
            out.record(r == 0 ? kSst : kContinue, records[r]);

        Bytes ext;
        ext.u16(quint16(perBucket));
        for (const Bucket &b : buckets) {
            ext.u32(quint32(recordStart[b.record] + 4 + b.offset));
            ext.u16(quint16(4 + b.offset));
            ext.u16(0);
        }
        out.record(kExtSst, ext);
    }

private:
    QHash<QString, quint32> m_index;
    std::vector<QString> m_strings;
    quint32 m_uses = 0;
};

void font(Stream &s, bool bold)
{
    Bytes b;
    b.u16(200); // 10 points
    b.u16(bold ? 1 : 0);
    b.u16(0x7FFF); // window text colour
    b.u16(bold ? 700 : 400);
    b.u16(0);
    b.u8(0);
    b.u8(2); // swiss
    b.u8(0);
    b.u8(0);
    shortString(b, QStringLiteral("Arial"));
    s.record(kFont, b);
}

void format(Stream &s, quint16 index, const QString &code)
{
    Bytes b;
    b.u16(index);
    longString(b, code);
    s.record(kFormat, b);
}

void xf(Stream &s, quint16 font, quint16 fmt, bool style, quint8 usedAttributes)
{
    Bytes b;
    b.u16(font);
    b.u16(fmt);
    b.u16(style ? 0xFFF5 : 0x0001); // style XF: locked, parent FFF; cell XF: locked, parent Normal
    b.u8(0x20);                     // general, bottom
    b.u8(0);
    b.u8(0);
    b.u8(usedAttributes);
    b.u32(0);
    b.u32(0);
    b.u16(0x20C0); // automatic pattern colours
    s.record(kXf, b);
}

void globalsHead(Stream &s, int sheets)
{
    bof(s, 0x0005);
    s.record(kInterfaceHdr, QByteArray("\xB0\x04", 2));
    s.u16Record(kMms, 0);
    s.record(kInterfaceEnd);
    {
        Bytes b;
        longString(b, QStringLiteral("Varsel B2B"));
        b.raw(QByteArray(112 - b.size(), ' '));
        s.record(kWriteAccess, b);
    }
    s.u16Record(kCodepage, 1200);
    s.u16Record(kDsf, 0);
    {
        Bytes b;
        for (int i = 0; i < sheets; ++i)
            b.u16(quint16(i + 1));
        s.record(kTabId, b);
    }
    s.u16Record(kFnGroupCount, 0x000E);
    s.u16Record(kWindowProtect, 0);
    s.u16Record(kProtect, 0);
    s.u16Record(kPassword, 0);
    s.u16Record(kProt4Rev, 0);
    s.u16Record(kProt4RevPass, 0);
    s.u16Record(kBackup, 0);
    s.u16Record(kHideObj, 0);
    {
        Bytes b;
        for (quint16 v : {quint16(0x01E0), quint16(0x005A), quint16(0x3FCF), quint16(0x2A4E), quint16(0x0038),
                          quint16(0), quint16(0), quint16(1), quint16(0x0258)})
            b.u16(v);
        s.record(kWindow1, b);
    }
    s.u16Record(kDateMode, 0);
    s.u16Record(kPrecision, 1);
    s.u16Record(kRefreshAll, 0);
    s.u16Record(kBookBool, 0);
    for (int i = 0; i < 4; ++i)
        font(s, false);
    font(s, true); // index 5
    format(s, kFmtDate, QStringLiteral("dd.mm.yyyy"));
    format(s, kFmtDateTime, QStringLiteral("dd.mm.yyyy hh:mm:ss"));
    xf(s, 0, 0, true, 0x00);
    for (int i = 1; i < 15; ++i)
        xf(s, i < 3 ? 1 : i < 5 ? 2 : 0, 0, true, 0xF4);
    xf(s, 0, 0, false, 0x00);            // 15: default cell
    xf(s, kFontBold, 0, false, 0xF8);    // 16: header
    xf(s, 0, kFmtDate, false, 0xFC);     // 17
    xf(s, 0, kFmtDateTime, false, 0xFC); // 18
    xf(s, 0, kFmtMoney, false, 0xFC);    // 19
    xf(s, kFontBold, 0, false, 0xF8);    // 20: group heading
    {
        Bytes b;
        b.u16(0x8000); // built-in style on XF 0
        b.u8(0);       // Normal
        b.u8(0xFF);
        s.record(kStyle, b);
    }
}

// RK: integers of 30 bits, or doubles whose low 34 bits are zero.
bool rkValue(double v, quint32 &rk)
{
    if (std::isfinite(v) && v == std::floor(v) && v >= -536870912.0 && v < 536870912.0) {
        rk = (quint32(qint32(v)) << 2) | 0x2;
        return true;
    }
    const quint64 bits = std::bit_cast<quint64>(v);
    if ((bits & 0x3FFFFFFFFull) == 0) {
        rk = quint32(bits >> 32);
        return true;
    }
    return false;
}

class SheetWriter
{
public:
    SheetWriter(const SheetSource &source, StringTable &strings)
        : m_source(source)
        , m_strings(strings)
        , m_columns(source.columnCount())
    {}

    QByteArray sheet(int firstRow, int rows, bool first, const std::vector<quint16> &widths)
    {
        Stream s;
        bof(s, 0x0010);
        s.u16Record(kDefColWidth, 8);
        for (int c = 0; c < m_columns; ++c) {
            Bytes b;
            b.u16(quint16(c));
            b.u16(quint16(c));
            b.u16(widths[size_t(c)]);
            b.u16(kXfDefault);
            b.u16(0);
            b.u16(0);
            s.record(kColInfo, b);
        }
        {
            Bytes b;
            b.u32(0);
            b.u32(quint32(rows + 1));
            b.u16(0);
            b.u16(quint16(std::max(m_columns, 1)));
            b.u16(0);
            s.record(kDimensions, b);
        }
        for (int c = 0; c < m_columns; ++c)
            label(s, 0, c, m_source.caption(c), kXfHeader);
        for (int r = 0; r < rows; ++r) {
            const int row = firstRow + r;
            const quint16 out = quint16(r + 1);
            const QString heading = m_source.heading(row);
            if (!heading.isEmpty()) {
                label(s, out, 0, heading, kXfHeading);
                continue;
            }
            for (int c = 0; c < m_columns; ++c)
                cell(s, out, c, m_source.cell(row, c));
        }
        {
            Bytes b;
            b.u16(first ? 0x06B6 : 0x00B6);
            b.u16(0);
            b.u16(0);
            b.u16(0x40);
            b.u16(0);
            b.u16(0);
            b.u16(0);
            b.u32(0);
            s.record(kWindow2, b);
        }
        s.record(kEof);
        return std::move(s.data());
    }

private:
    void label(Stream &s, quint16 row, int col, const QString &text, quint16 xfIndex)
    {
        Bytes b;
        b.u16(row);
        b.u16(quint16(col));
        b.u16(xfIndex);
        b.u32(m_strings.index(text.left(32767))); // the longest text a cell holds
        s.record(kLabelSst, b);
    }

    void number(Stream &s, quint16 row, int col, double v, quint16 xfIndex)
    {
        Bytes b;
        b.u16(row);
        b.u16(quint16(col));
        b.u16(xfIndex);
        quint32 rk = 0;
        if (rkValue(v, rk)) {
            b.u32(rk);
            s.record(kRk, b);
        } else {
            b.f64(v);
            s.record(kNumber, b);
        }
    }

    void cell(Stream &s, quint16 row, int col, const Cell &value)
    {
        if (const auto *d = std::get_if<double>(&value)) {
            number(s, row, col, *d, m_source.numberStyle(col) == NumberStyle::Money ? kXfMoney : kXfDefault);
        } else if (const auto *t = std::get_if<QString>(&value)) {
            label(s, row, col, *t, kXfDefault);
        } else if (const auto *date = std::get_if<DateCell>(&value)) {
            number(s, row, col, date->serial, date->hasTime ? kXfDateTime : kXfDate);
        } else if (const auto *flag = std::get_if<bool>(&value)) {
            Bytes b;
            b.u16(row);
            b.u16(quint16(col));
            b.u16(kXfDefault);
            b.u8(*flag ? 1 : 0);
            b.u8(0);
            s.record(kBoolErr, b);
        }
    }

    const SheetSource &m_source;
    StringTable &m_strings;
    int m_columns;
};

// Widths in 1/256 of a character from the caption and the first rows' texts.
std::vector<quint16> columnWidths(const SheetSource &source)
{
    std::vector<quint16> widths;
    const int sample = std::min(source.rowCount(), 200);
    for (int c = 0; c < source.columnCount(); ++c) {
        qsizetype chars = source.caption(c).size();
        for (int r = 0; r < sample; ++r) {
            const Cell v = source.cell(r, c);
            if (const auto *t = std::get_if<QString>(&v))
                chars = std::max(chars, t->size());
            else if (std::holds_alternative<double>(v))
                chars = std::max<qsizetype>(chars, 12);
            else if (const auto *d = std::get_if<DateCell>(&v))
                chars = std::max<qsizetype>(chars, d->hasTime ? 19 : 10);
        }
        widths.push_back(quint16(std::clamp<qsizetype>(chars + 2, 8, 60) * 256));
    }
    return widths;
}

} // namespace

Protocol::Expected<QByteArray> workbookStream(const SheetSource &source, const QString &sheetBaseName)
{
    if (source.columnCount() > kMaxSheetColumns)
        return Protocol::makeError(QStringLiteral("Excel dosyası en çok %1 sütun alabilir; tabloda %2 sütun var.")
                                       .arg(kMaxSheetColumns)
                                       .arg(source.columnCount()));
    // Every sheet repeats the header, so each holds one data row fewer than the limit.
    constexpr int perSheet = kMaxSheetRows - 1;
    const int rows = source.rowCount();
    const int sheetCount = std::max(1, (rows + perSheet - 1) / perSheet);

    StringTable strings;
    SheetWriter writer(source, strings);
    const std::vector<quint16> widths = columnWidths(source);
    std::vector<QByteArray> sheets;
    for (int i = 0; i < sheetCount; ++i) {
        const int first = i * perSheet;
        sheets.push_back(writer.sheet(first, std::min(perSheet, rows - first), i == 0, widths));
    }

    Stream globals;
    globalsHead(globals, sheetCount);
    std::vector<qsizetype> offsetPatch;
    for (int i = 0; i < sheetCount; ++i) {
        Bytes b;
        b.u32(0); // the sheet's BOF position, patched below
        b.u8(0);
        b.u8(0);
        shortString(b, sheetBaseName + QString::number(i + 1));
        offsetPatch.push_back(globals.size() + 4);
        globals.record(kBoundSheet, b);
    }
    {
        Bytes b;
        b.u16(90); // Turkey
        b.u16(90);
        globals.record(kCountry, b);
    }
    strings.write(globals);
    globals.record(kEof);

    QByteArray &stream = globals.data();
    qsizetype position = stream.size();
    for (int i = 0; i < sheetCount; ++i) {
        qToLittleEndian(quint32(position), stream.data() + offsetPatch[size_t(i)]);
        position += sheets[size_t(i)].size();
    }
    stream.reserve(position);
    for (const QByteArray &sheet : sheets)
        stream.append(sheet);
    return std::move(stream);
}

Protocol::Expected<Protocol::Done> writeWorkbook(const QString &path, const SheetSource &source,
                                                 const QString &sheetBaseName)
{
    auto stream = workbookStream(source, sheetBaseName);
    if (!stream)
        return stream.error();
    const QByteArray file = compoundFileWithWorkbook(std::move(*stream));
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return Protocol::makeError(out.errorString());
    if (out.write(file) != file.size() || !out.commit())
        return Protocol::makeError(out.errorString());
    return Protocol::Done{};
}

QString xlsFileName(const QString &chosen)
{
    const qsizetype slash = std::max(chosen.lastIndexOf(u'/'), chosen.lastIndexOf(u'\\'));
    const qsizetype dot = chosen.lastIndexOf(u'.');
    if (dot > slash)
        return chosen.left(dot) + QStringLiteral(".xls");
    return chosen + QStringLiteral(".xls");
}

} // namespace Spreadsheet
