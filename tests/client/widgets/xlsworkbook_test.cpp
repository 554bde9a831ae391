#include "client/widgets/tablesheet.h"
#include "client/widgets/xlsworkbook.h"

#include "xlsreadback.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;
using Protocol::ClientTable;
using Protocol::ColumnInfo;
using Protocol::ColumnKind;
using namespace Spreadsheet;

namespace {

ClientTable makeTable(std::initializer_list<std::pair<const char16_t *, ColumnKind>> columns)
{
    ClientTable t;
    for (const auto &[name, kind] : columns) {
        ColumnInfo info;
        info.name = QString::fromUtf16(name);
        info.kind = kind;
        info.typeCode = Protocol::defaultTypeCode(kind);
        t.addColumn(info);
    }
    return t;
}

// The cell the reader must give back for a table value: the kinds and values the export promises.
void expectCell(const ClientTable &t, int row, int col, const QJsonValue &got, const QString &where)
{
    SCOPED_TRACE(where.toStdString());
    if (t.isNull(row, col)) {
        EXPECT_TRUE(got.isNull());
        return;
    }
    const QJsonObject cell = got.toObject();
    switch (t.column(col).kind) {
    case ColumnKind::Text: EXPECT_EQ(cell.value(u"t").toString(), t.text(row, col)); break;
    case ColumnKind::Int32:
    case ColumnKind::Int64:
    case ColumnKind::Float:
    case ColumnKind::Currency:
        ASSERT_TRUE(cell.contains(u"n"));
        EXPECT_EQ(cell.value(u"n").toDouble(), t.number(row, col));
        break;
    case ColumnKind::Bool: EXPECT_EQ(cell.value(u"b").toBool(), t.boolean(row, col)); break;
    case ColumnKind::DateTime: {
        ASSERT_TRUE(cell.contains(u"d"));
        const double expected = double(t.dateTimeMsecs(row, col)) / 86400000.0 + 25569.0;
        EXPECT_NEAR(cell.value(u"d").toDouble(), expected, 1e-9);
        break;
    }
    case ColumnKind::Bytes: EXPECT_TRUE(got.isNull()); break;
    }
}

class XlsWorkbookTest : public ::testing::Test
{
protected:
    QJsonObject writeAndRead(const SheetSource &source)
    {
        const QString path = m_dir.filePath(u"rapor.xls"_s);
        const auto written = writeWorkbook(path, source);
        EXPECT_TRUE(written.has_value()) << (written ? "" : written.error().message.toStdString());
        QString error;
        const QJsonObject book = readWorkbookBack(path, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return book;
    }
    QTemporaryDir m_dir;
};

TEST_F(XlsWorkbookTest, EveryCellReadsBackInItsOwnKind)
{
    ClientTable t = makeTable({{u"ADI", ColumnKind::Text},
                               {u"MIKTAR", ColumnKind::Int32},
                               {u"FIYAT", ColumnKind::Float},
                               {u"TARIH", ColumnKind::DateTime},
                               {u"SEC", ColumnKind::Bool},
                               {u"NO", ColumnKind::Int64},
                               {u"RESIM", ColumnKind::Bytes}});
    const QDateTime noon(QDate(2024, 2, 29), QTime(12, 30, 15));
    const QDateTime midnight(QDate(1999, 12, 31), QTime(0, 0));
    t.appendRow({u"Çağrı Şimşek İğde ğüşıöç ĞÜŞİÖÇ"_s, 3, 1234.5, noon, true, qint64(1) << 40, QByteArray("x")});
    t.appendRow({u""_s, -7, 0.1, midnight, false, qint64(-1), QVariant()});
    t.appendRow({QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    t.appendRow({u"x"_s.repeated(20000), 536870912, -1e15, noon, true, 0, QVariant()}); // long text, no RK
    t.appendRow(
        {u"ı"_s.repeated(9000), 2147483647, 3.141592653589793, midnight, false, 5, QVariant()}); // wide text split
    t.applyMoneyFormat();
    // Many distinct texts: the shared-string table spans CONTINUE records and index buckets.
    for (int i = 0; i < 3000; ++i)
        t.appendRow({u"Parça %1 şğ"_s.arg(i), i, i * 0.25, noon.addDays(i), i % 2 == 0, i, QVariant()});

    const QJsonObject book = writeAndRead(TableSheet(t));
    const QJsonArray sheets = book.value(u"sheets").toArray();
    ASSERT_EQ(sheets.size(), 1);
    EXPECT_EQ(sheets[0].toObject().value(u"name").toString(), u"Sayfa1"_s);
    const QJsonArray rows = sheets[0].toObject().value(u"rows").toArray();
    ASSERT_EQ(rows.size(), t.rowCount() + 1);
    const QJsonArray header = rows[0].toArray();
    for (int c = 0; c < t.columnCount(); ++c)
        EXPECT_EQ(header[c].toObject().value(u"t").toString(), t.column(c).name);
    for (int r = 0; r < t.rowCount(); ++r) {
        const QJsonArray row = rows[r + 1].toArray();
        for (int c = 0; c < t.columnCount(); ++c)
            expectCell(t, r, c, c < row.size() ? row[c] : QJsonValue(), u"row %1 col %2"_s.arg(r).arg(c));
    }
}

TEST_F(XlsWorkbookTest, RowsBeyondOneSheetContinueOnTheNextWithTheHeaderRepeated)
{
    // 70,000 rows of ten columns: a file of several megabytes, whose FAT needs DIFAT sectors.
    ClientTable t = makeTable({{u"NO", ColumnKind::Int32},
                               {u"KOD", ColumnKind::Text},
                               {u"TUTAR", ColumnKind::Float},
                               {u"TARIH", ColumnKind::DateTime},
                               {u"A", ColumnKind::Int32},
                               {u"B", ColumnKind::Float},
                               {u"C", ColumnKind::Text},
                               {u"D", ColumnKind::Int64},
                               {u"E", ColumnKind::Float},
                               {u"F", ColumnKind::Text}});
    const QDateTime base(QDate(2020, 1, 1), QTime(8, 0));
    constexpr int rowCount = 70000;
    t.reserveRows(rowCount);
    for (int i = 0; i < rowCount; ++i) {
        t.appendRow({i, u"K-%1"_s.arg(i % 5000), i * 1.5 + 0.01, base.addSecs(qint64(i) * 61), i % 7,
                     i % 3 == 0 ? QVariant() : QVariant(i / 3.0), u"sabit"_s, qint64(i) * 1000003, -double(i),
                     u"Ü%1"_s.arg(i)});
    }
    const QJsonObject book = writeAndRead(TableSheet(t));
    const QJsonArray sheets = book.value(u"sheets").toArray();
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_EQ(sheets[1].toObject().value(u"name").toString(), u"Sayfa2"_s);
    const QJsonArray first = sheets[0].toObject().value(u"rows").toArray();
    const QJsonArray second = sheets[1].toObject().value(u"rows").toArray();
    ASSERT_EQ(first.size(), 65536);
    ASSERT_EQ(second.size(), rowCount - 65535 + 1);
    EXPECT_EQ(second[0].toArray()[1].toObject().value(u"t").toString(), u"KOD"_s);
    int tableRow = 0;
    for (const QJsonArray &rows : {first, second}) {
        for (int r = 1; r < rows.size(); ++r, ++tableRow) {
            const QJsonArray row = rows[r].toArray();
            for (int c = 0; c < t.columnCount(); ++c) {
                expectCell(t, tableRow, c, c < row.size() ? row[c] : QJsonValue(),
                           u"table row %1 col %2"_s.arg(tableRow).arg(c));
                if (HasFailure())
                    return;
            }
        }
    }
    EXPECT_EQ(tableRow, rowCount);
}

TEST_F(XlsWorkbookTest, NamedValuesHeadingsAndEmptyTables)
{
    ClientTable t = makeTable({{u"DURUM", ColumnKind::Int32}, {u"ADI", ColumnKind::Text}});
    t.appendRow({1, u"a"_s});
    t.appendRow({7, u"b"_s});
    std::vector<TableSheetColumn> columns{{0, u"Durum"_s, NumberStyle::General, {{1, u"Var"_s}, {0, u"Yok"_s}}},
                                          {1, u"Açıklama"_s, NumberStyle::General, {}},
                                          {-1, u"Fiyat Bilgisi"_s, NumberStyle::General, {}}};
    std::vector<TableSheetRow> rows{{-1, u"Grup : A"_s}, {0, {}}, {1, {}}};
    const QJsonObject book = writeAndRead(TableSheet(t, columns, rows));
    const QJsonArray got = book.value(u"sheets").toArray()[0].toObject().value(u"rows").toArray();
    ASSERT_EQ(got.size(), 4);
    EXPECT_EQ(got[0].toArray()[2].toObject().value(u"t").toString(), u"Fiyat Bilgisi"_s);
    EXPECT_EQ(got[1].toArray()[0].toObject().value(u"t").toString(), u"Grup : A"_s);
    EXPECT_EQ(got[2].toArray()[0].toObject().value(u"t").toString(), u"Var"_s);
    EXPECT_EQ(got[3].toArray()[0].toObject().value(u"n").toDouble(), 7.0); // unnamed value stays a number
    EXPECT_EQ(got[2].toArray()[1].toObject().value(u"t").toString(), u"a"_s);

    // A table without rows still makes a workbook (with its header) that opens.
    ClientTable empty = makeTable({{u"ADI", ColumnKind::Text}});
    const QJsonObject emptyBook = writeAndRead(TableSheet(empty));
    const QJsonArray emptyRows = emptyBook.value(u"sheets").toArray()[0].toObject().value(u"rows").toArray();
    ASSERT_EQ(emptyRows.size(), 1);
}

TEST_F(XlsWorkbookTest, OverwritesAnExistingFileAndReportsAnUnwritablePlace)
{
    const QString path = m_dir.filePath(u"var.xls"_s);
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'z'));
    }
    ClientTable t = makeTable({{u"ADI", ColumnKind::Text}});
    t.appendRow({u"yeni"_s});
    ASSERT_TRUE(writeWorkbook(path, TableSheet(t)).has_value());
    QString error;
    const QJsonObject book = readWorkbookBack(path, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(
        book.value(u"sheets").toArray()[0].toObject().value(u"rows").toArray()[1].toArray()[0].toObject().value(u"t"),
        u"yeni"_s);

    const QString nowhere = m_dir.filePath(u"yok/klasör/rapor.xls"_s);
    const auto failed = writeWorkbook(nowhere, TableSheet(t));
    ASSERT_FALSE(failed.has_value());
    EXPECT_FALSE(failed.error().message.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST(XlsFileName, ExtensionBecomesXls)
{
    const struct
    {
        QString chosen, expected;
    } cases[] = {
        {u"rapor.xlsx"_s, u"rapor.xls"_s},
        {u"rapor"_s, u"rapor.xls"_s},
        {u"rapor.xls"_s, u"rapor.xls"_s},
        {u"/home/ali/belgeler/rapor.xlsx"_s, u"/home/ali/belgeler/rapor.xls"_s},
        {u"/home/ali.veli/rapor"_s, u"/home/ali.veli/rapor.xls"_s},
        {u"C:\\Belgeler.2024\\sipariş"_s, u"C:\\Belgeler.2024\\sipariş.xls"_s},
        {u"a.b.c"_s, u"a.b.xls"_s},
        {u"rapor."_s, u"rapor.xls"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(xlsFileName(c.chosen), c.expected) << c.chosen.toStdString();
}

} // namespace
