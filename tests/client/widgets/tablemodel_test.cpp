#include "client/widgets/tablemodel.h"

#include "gridfixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace Widgets;

namespace {

std::vector<ColumnSpec> stockColumns()
{
    std::vector<ColumnSpec> c;
    c.push_back({.name = u"STOK_STOKNO"_s, .visible = false, .fixed = true});
    c.push_back({.name = u"ADI"_s, .caption = u"Açıklama"_s, .weight = 3, .summary = Summary::Count});
    c.push_back({.name = u"MIKTAR"_s, .caption = u"Miktar"_s, .summary = Summary::Sum});
    c.push_back({.name = u"FIYAT"_s, .caption = u"Fiyat"_s, .weight = 2, .summary = Summary::Average});
    c.push_back({.name = u"TARIH"_s, .caption = u"Tarih"_s});
    c.push_back({.name = u"DURUM"_s,
                 .kind = CellKind::IconMap,
                 .icons = {{1, u"Var"_s, {}},
                           {2, u"Telefon Açınız"_s, {}},
                           {3, u"Yolda"_s, {}},
                           {4, u"Özel Sipariş"_s, {}},
                           {5, u"Tedarik Sürecinde"_s, {}},
                           {0, u"Yok"_s, {}}}});
    c.push_back({.name = u"SATICI"_s});
    c.push_back({.name = u"FiyatBilgisi"_s, .caption = u"Fiyat Bilgisi"_s, .kind = CellKind::OwnerDrawn});
    return c;
}

class TableModelTest : public ::testing::Test
{
protected:
    TableModelTest()
    {
        model.setColumns(stockColumns());
        tester =
            std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.setTable(stockTable());
    }

    // The stock numbers of the data rows in shown order.
    std::vector<int> shownStockNumbers() const
    {
        std::vector<int> numbers;
        for (int r = 0; r < model.rowCount(); ++r) {
            const int t = model.tableRow(r);
            if (t >= 0)
                numbers.push_back(int(model.table().integer(t, 0)));
        }
        return numbers;
    }

    QString text(int row, const char16_t *column) const
    {
        return model.index(row, model.columnOf(QStringView(column))).data().toString();
    }

    TableModel model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(TableModelTest, ShowsCellsInTheTurkishFormatsAndKeepsTheTypedValue)
{
    ASSERT_EQ(model.rowCount(), 8);
    EXPECT_EQ(text(0, u"FIYAT"), u"1.234,50"_s);
    EXPECT_EQ(text(4, u"FIYAT"), u"2.000.000,00"_s);
    EXPECT_EQ(text(2, u"FIYAT"), QString());       // null
    EXPECT_EQ(text(0, u"TARIH"), u"01.03.2024"_s); // midnight: date only
    EXPECT_EQ(text(1, u"TARIH"), u"02.03.2024 01:01:01"_s);
    EXPECT_EQ(text(2, u"MIKTAR"), u"100"_s);
    EXPECT_EQ(text(0, u"DURUM"), QString()); // marks show an icon, never their text
    const QModelIndex price = model.index(0, model.columnOf(u"FIYAT"));
    EXPECT_EQ(price.data(TableModel::RawValueRole).toDouble(), 1234.5);
    EXPECT_EQ(price.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model.index(0, model.columnOf(u"DURUM")).data(Qt::ToolTipRole).toString(), u"Var"_s);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), u"STOK_STOKNO"_s); // no caption: the name
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), u"Açıklama"_s);
    EXPECT_FALSE(model.flags(price).testFlag(Qt::ItemIsEditable));
}

TEST_F(TableModelTest, SortsOnTypedValues)
{
    const struct
    {
        const char16_t *column;
        Qt::SortOrder order;
        std::vector<int> expected;
    } cases[] = {
        // Numbers as numbers, not as "1", "10", "100", "11", ...
        {u"MIKTAR", Qt::AscendingOrder, {5, 2, 7, 4, 1, 8, 6, 3}},
        {u"MIKTAR", Qt::DescendingOrder, {3, 6, 8, 1, 4, 7, 2, 5}},
        // Nulls first, then by value.
        {u"FIYAT", Qt::AscendingOrder, {3, 6, 8, 4, 7, 2, 1, 5}},
        {u"TARIH", Qt::AscendingOrder, {4, 3, 1, 2, 6, 7, 8, 5}},
        // The Turkish alphabet, letter case ignored: a ç g ğ ı i ş z.
        {u"ADI", Qt::AscendingOrder, {5, 2, 7, 8, 3, 4, 1, 6}},
    };
    for (const auto &c : cases) {
        model.sort(model.columnOf(QStringView(c.column)), c.order);
        EXPECT_EQ(shownStockNumbers(), c.expected) << QString::fromUtf16(c.column).toStdString();
    }
    model.sort(-1);
    EXPECT_EQ(shownStockNumbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(TableModelTest, SortingKeepsTheFocusedRowOnItsRecord)
{
    QPersistentModelIndex focused = model.index(2, 1); // stock 3, "ızgara"
    model.sort(model.columnOf(u"MIKTAR"), Qt::AscendingOrder);
    ASSERT_TRUE(focused.isValid());
    EXPECT_EQ(model.tableRow(focused.row()), 2);
    EXPECT_EQ(focused.row(), 7);
}

TEST_F(TableModelTest, ValueFiltersAndTheirValueLists)
{
    const int durum = model.columnOf(u"DURUM");
    const std::vector<FilterValue> values = model.distinctValues(durum);
    std::vector<QString> labels;
    for (const auto &v : values)
        labels.push_back(v.label);
    EXPECT_EQ(labels, (std::vector<QString>{u"Yok"_s, u"Var"_s, u"Telefon Açınız"_s, u"Yolda"_s, u"Özel Sipariş"_s,
                                            u"Tedarik Sürecinde"_s}));

    model.setValueFilter(durum, {values[1].key}); // "Var"
    EXPECT_EQ(shownStockNumbers(), (std::vector<int>{1, 4, 7}));
    EXPECT_EQ(model.summaryText(model.columnOf(u"MIKTAR")), u"22"_s);
    EXPECT_EQ(model.summaryText(model.columnOf(u"ADI")), u"3"_s);

    // Another column's list shows only the values the first filter lets through; nulls as "(Boş)".
    const int satici = model.columnOf(u"SATICI");
    const auto sellers = model.distinctValues(satici);
    ASSERT_EQ(sellers.size(), 2u);
    EXPECT_EQ(sellers[0].label, u"Ali"_s);
    model.clearValueFilter(durum);
    const auto allSellers = model.distinctValues(satici);
    ASSERT_EQ(allSellers.size(), 3u);
    EXPECT_EQ(allSellers[0].label, u"(Boş)"_s);
    model.setValueFilter(satici, {allSellers[0].key});
    EXPECT_EQ(shownStockNumbers(), (std::vector<int>{5}));

    // Filters survive a fresh table; clearing them shows everything again.
    model.setTable(stockTable());
    EXPECT_EQ(shownStockNumbers(), (std::vector<int>{5}));
    model.clearFilters();
    EXPECT_EQ(model.rowCount(), 8);
}

TEST_F(TableModelTest, FooterSummaries)
{
    EXPECT_EQ(model.summaryText(model.columnOf(u"ADI")), u"8"_s);      // count of rows
    EXPECT_EQ(model.summaryText(model.columnOf(u"MIKTAR")), u"161"_s); // sum of an integer column
    // Average over the values present (the null price is not a zero): 2001397,24 / 7.
    EXPECT_EQ(model.summaryText(model.columnOf(u"FIYAT")), u"285.913,89"_s);
    EXPECT_EQ(model.summaryText(model.columnOf(u"TARIH")), QString());

    Protocol::ClientTable empty = stockTable();
    empty.clearRows();
    model.setTable(std::move(empty));
    EXPECT_EQ(model.summaryText(model.columnOf(u"ADI")), u"0"_s);
    EXPECT_EQ(model.summaryText(model.columnOf(u"FIYAT")), u"0,00"_s);
}

TEST_F(TableModelTest, AChangedCellRepaintsItsRowAndTheSummaries)
{
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy summaries(&model, &TableModel::summariesChanged);
    model.sort(model.columnOf(u"MIKTAR"), Qt::DescendingOrder);
    model.table().setValue(4, 2, 1000); // stock 5's quantity, 1 before
    model.tableRowChanged(4);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 7);
    EXPECT_EQ(summaries.count(), 1);
    EXPECT_EQ(model.summaryText(model.columnOf(u"MIKTAR")), u"1160"_s);
    model.sort(model.columnOf(u"MIKTAR"), Qt::DescendingOrder);
    EXPECT_EQ(shownStockNumbers().front(), 5);
}

TEST_F(TableModelTest, IncrementalSearchByTurkishLetterCase)
{
    const int adi = model.columnOf(u"ADI");
    EXPECT_EQ(model.findIncremental(adi, u"ı"_s, 0), 2); // ızgara, not İnce
    EXPECT_EQ(model.findIncremental(adi, u"i"_s, 0), 3); // İnce kayış
    EXPECT_EQ(model.findIncremental(adi, u"ÇAM"_s, 0), 1);
    EXPECT_EQ(model.findIncremental(adi, u"ş"_s, 4), 0); // wraps round to the top
    EXPECT_EQ(model.findIncremental(adi, u"yok"_s, 0), -1);
    EXPECT_EQ(model.findIncremental(model.columnOf(u"FIYAT"), u"1.234"_s, 0), 0); // what the cell shows
}

TEST_F(TableModelTest, GroupsWithGroupRowsAndFooters)
{
    const int satici = model.columnOf(u"SATICI");
    model.setGroupColumn(satici);
    ASSERT_EQ(model.groupCount(), 3);
    ASSERT_EQ(model.rowCount(), 8 + 3 * 2);
    EXPECT_EQ(model.groupText(0), u"SATICI : (Boş)"_s);
    EXPECT_EQ(model.groupText(1), u"SATICI : Ali"_s);
    EXPECT_EQ(model.rowKind(0), TableModel::RowKind::GroupHeader);
    EXPECT_EQ(model.rowKind(2), TableModel::RowKind::GroupFooter);
    EXPECT_EQ(model.tableRow(0), -1);
    EXPECT_EQ(shownStockNumbers(), (std::vector<int>{5, 2, 4, 7, 1, 3, 6, 8}));
    const int miktar = model.columnOf(u"MIKTAR");
    EXPECT_EQ(model.summaryText(miktar, 1), u"14"_s);
    EXPECT_EQ(model.summaryText(miktar, 2), u"146"_s);
    EXPECT_EQ(model.index(7, miktar).data().toString(), u"14"_s); // Ali's group footer row
    EXPECT_EQ(model.summaryText(miktar), u"161"_s);

    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.setGroupExpanded(2, false);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model.rowCount(), 14 - 4);
    EXPECT_EQ(model.rowKind(9), TableModel::RowKind::GroupFooter);
    // A sort inside the groups keeps a collapsed group collapsed.
    model.sort(miktar, Qt::DescendingOrder);
    EXPECT_FALSE(model.isGroupExpanded(2));
    EXPECT_EQ(shownStockNumbers(), (std::vector<int>{5, 4, 7, 2}));
    model.setGroupExpanded(2, true);
    EXPECT_EQ(shownStockNumbers(), (std::vector<int>{5, 4, 7, 2, 3, 6, 8, 1}));

    model.collapseAll();
    EXPECT_EQ(model.rowCount(), 6);
    model.expandAll();
    EXPECT_EQ(model.rowCount(), 14);
    model.setGroupColumn(-1);
    EXPECT_EQ(model.rowCount(), 8);
}

TEST_F(TableModelTest, SwapsAFreshTableInWithOneResetAndShowsNothingWhileDetached)
{
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    Protocol::ClientTable fresh = stockTable();
    fresh.appendRow({9, u"yeni"_s, 1, 1.0, QVariant(), 0, QVariant()});
    model.setTable(std::move(fresh));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 9);

    // A shared table filled by someone else while the model is detached.
    auto shared = std::make_shared<Protocol::ClientTable>(stockTable());
    model.setTable(shared);
    model.detach();
    EXPECT_EQ(model.rowCount(), 0);
    shared->clearRows();
    shared->appendRow({42, u"tek"_s, 5, 2.5, QVariant(), 1, u"Ali"_s});
    model.attach();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, model.columnOf(u"ADI")).data().toString(), u"tek"_s);

    // A declared column the table lacks shows empty cells rather than failing.
    Protocol::ClientTable narrow;
    narrow.addColumn({.name = u"ADI"_s});
    narrow.appendRow({u"x"_s});
    model.setTable(std::move(narrow));
    EXPECT_EQ(model.index(0, model.columnOf(u"MIKTAR")).data().toString(), QString());
    EXPECT_EQ(model.summaryText(model.columnOf(u"MIKTAR")), QString());
}

} // namespace
