// The basket's rules without a window: totals with a rounding after every addition, the
// package quantity, the selection toggle and the quantity text.

#include "client/basket/basketmath.h"

#include "protocol/clienttable.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Line
{
    QVariant sec;
    double tutar;
    double indirim;
    double vergi;
};

Protocol::ClientTable basket(const std::vector<Line> &lines)
{
    Protocol::ClientTable t;
    t.addColumn({u"SIRANO"_s, Protocol::ColumnKind::Int32});
    t.addColumn({u"SEC"_s, Protocol::ColumnKind::Int32});
    t.addColumn({u"TUTAR"_s, Protocol::ColumnKind::Float});
    t.addColumn({u"INDIRIMTUTAR"_s, Protocol::ColumnKind::Float});
    t.addColumn({u"VERGITUTARI"_s, Protocol::ColumnKind::Float});
    int sirano = 0;
    for (const Line &l : lines)
        t.appendRow({++sirano, l.sec, l.tutar, l.indirim, l.vergi});
    t.applyMoneyFormat();
    return t;
}

struct TotalsCase
{
    const char *name;
    std::vector<Line> lines;
    double t, i, n, v, g;
};

class Totals : public ::testing::TestWithParam<TotalsCase>
{
};

TEST_P(Totals, AddUpTheSelectedRowsRoundingEveryAddition)
{
    const TotalsCase &c = GetParam();
    const Basket::SepetToplamlari totals = Basket::sepetToplamlari(basket(c.lines));
    EXPECT_DOUBLE_EQ(totals.toplam, c.t);
    EXPECT_DOUBLE_EQ(totals.indirim, c.i);
    EXPECT_DOUBLE_EQ(totals.araToplam, c.n);
    EXPECT_DOUBLE_EQ(totals.vergi, c.v);
    EXPECT_DOUBLE_EQ(totals.genelToplam, c.g);
}

INSTANTIATE_TEST_SUITE_P(
    Basket, Totals,
    ::testing::Values(
        TotalsCase{"NothingSelected", {{0, 100, 10, 18}, {0, 5, 0, 1}}, 0, 0, 0, 0, 0},
        TotalsCase{"TwoSelectedRows", {{1, 100, 10, 16.2}, {1, 50.25, 0, 9.1}}, 150.25, 10, 140.25, 25.3, 165.55},
        TotalsCase{"FlagTwoAndEmptyAreLeftOut",
                   {{1, 100, 10, 16.2}, {2, 999, 9, 9}, {QVariant(), 777, 7, 7}, {1, 50.25, 0, 9.1}},
                   150.25,
                   10,
                   140.25,
                   25.3,
                   165.55},
        TotalsCase{"EveryAdditionIsRounded", {{1, 0.004, 0, 0}, {1, 0.004, 0, 0}, {1, 0.004, 0, 0}}, 0, 0, 0, 0, 0},
        TotalsCase{"HalvesRoundAwayFromZero", {{1, 0.125, 0.005, 0.025}}, 0.13, 0.01, 0.12, 0.03, 0.15}),
    [](const ::testing::TestParamInfo<TotalsCase> &info) { return std::string(info.param.name); });

TEST(Totals, AnEmptyOrUnloadedBasketGivesZeros)
{
    const Basket::SepetToplamlari closed = Basket::sepetToplamlari(Protocol::ClientTable());
    EXPECT_EQ(closed.genelToplam, 0.0);
    const Basket::SepetToplamlari empty = Basket::sepetToplamlari(basket({}));
    EXPECT_EQ(empty.toplam, 0.0);
}

TEST(PackageQuantity, RoundsUpToWholePackages)
{
    struct Case
    {
        qint32 quantity, koliadet, expected;
    };
    const Case cases[] = {
        {7, 6, 12}, {12, 6, 12}, {15, 10, 20}, {10, 10, 10}, {1, 1, 1}, {5, 0, 5}, {5, -3, 5}, {9999, 10, 10000},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Basket::roundUpToPackage(c.quantity, c.koliadet), c.expected)
            << c.quantity << " in packages of " << c.koliadet;
}

TEST(PackageQuantity, AnAnswerBelowOneCountsAsOne)
{
    EXPECT_EQ(Basket::packageQuantity(0), 1);
    EXPECT_EQ(Basket::packageQuantity(-4), 1);
    EXPECT_EQ(Basket::packageQuantity(1), 1);
    EXPECT_EQ(Basket::packageQuantity(24), 24);
}

TEST(Selection, ToggleGivesOneOnlyFromZero)
{
    EXPECT_EQ(Basket::toggledSelection(0), 1);
    EXPECT_EQ(Basket::toggledSelection(1), 0);
    EXPECT_EQ(Basket::toggledSelection(2), 0);
    EXPECT_EQ(Basket::toggledSelection(-1), 0);
}

TEST(UserType, OnlyRepresentativesEditPrices)
{
    EXPECT_TRUE(Basket::pricesEditable(1));
    EXPECT_TRUE(Basket::pricesEditable(2));
    EXPECT_FALSE(Basket::pricesEditable(3));
    EXPECT_FALSE(Basket::pricesEditable(4));
    EXPECT_FALSE(Basket::pricesEditable(0));
}

TEST(QuantityText, ReadsWholeNumbersOnly)
{
    EXPECT_EQ(Basket::quantityFromText(u"15"_s), 15);
    EXPECT_EQ(Basket::quantityFromText(u" 20 "_s), 20);
    EXPECT_EQ(Basket::quantityFromText(u"10.000"_s), 10000);
    EXPECT_FALSE(Basket::quantityFromText(QString()).has_value());
    EXPECT_FALSE(Basket::quantityFromText(u"on beş"_s).has_value());
    EXPECT_FALSE(Basket::quantityFromText(u"1,5"_s).has_value());
    EXPECT_TRUE(Basket::notANumberText(u"abc"_s).contains(u"\"abc\""_s));
}

} // namespace
