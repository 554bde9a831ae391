// The price panel as the add/change dialog uses it: opener texts, the results on quantity and
// key releases, the discount line decided once, F4.
#include "client/catalogue/moneyedit.h"
#include "client/catalogue/pricepanel.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

Catalogue::StockRow stockRow(double fiyat, std::array<double, 4> ind, double kdv, qint32 k = 0)
{
    Catalogue::StockRow row;
    row.fiyat = fiyat;
    row.ind = ind;
    row.kdv = kdv;
    row.k = k;
    row.indirimyazi = u"10+5"_s;
    return row;
}

TEST(PricePanel, OpensWithTheOpenersTextsAndComputes)
{
    Catalogue::PricePanel panel;
    panel.open(Catalogue::openerTexts(stockRow(100, {10, 5, 0, 0}, 20)));
    panel.setQuantity(1);
    EXPECT_EQ(panel.indirimoran()->text(), u"İndirim: %10+5"_s);
    EXPECT_EQ(panel.Label2()->text(), u"Fiyat:"_s);
    EXPECT_EQ(panel.indtutar()->text(), u"14,50"_s);
    EXPECT_EQ(panel.kdvdahiltutar()->text(), u"102,60"_s);
    EXPECT_EQ(panel.geneltutar()->text(), u"102,60"_s);
    EXPECT_TRUE(panel.discountLineShown());
    EXPECT_TRUE(panel.indtutar()->isVisibleTo(&panel));
    EXPECT_TRUE(panel.indtutar()->isReadOnly());

    panel.setQuantity(1000);
    EXPECT_EQ(panel.geneltutar()->text(), u"102.600,00"_s);

    // A campaign part, then a basket row: the captions follow, a basket row resets them.
    panel.open(Catalogue::openerTexts(stockRow(80, {0, 0, 0, 0}, 18, 1)));
    EXPECT_EQ(panel.Label2()->text(), u"Kampanyalı Fiyat:"_s);
    EXPECT_EQ(panel.indirimoran()->text(), u"Kampanyalı 10+5"_s);
    EXPECT_FALSE(panel.discountLineShown());
    panel.open(Catalogue::basketOpenerTexts(10, {0, 0, 0, 0}, 18));
    panel.setQuantity(3);
    EXPECT_EQ(panel.Label2()->text(), u"Fiyat:"_s);
    EXPECT_EQ(panel.indirimoran()->text(), u"İndirim:"_s);
    EXPECT_EQ(panel.kdvdahiltutar()->text(), u"11,80"_s);
    EXPECT_EQ(panel.geneltutar()->text(), u"35,40"_s);
}

TEST(PricePanel, KeyReleasesRecomputeAndTheDiscountLineStaysAsOpened)
{
    Catalogue::PricePanel panel;
    panel.setRatesVisible(true);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.open(Catalogue::openerTexts(stockRow(100, {0.5, 0.5, 0, 0}, 20)));
    panel.setQuantity(1);
    EXPECT_FALSE(panel.indtutar()->isVisible()) << "exactly 1 percent hides the discount line";

    // Typing a rate recomputes on the key release; the line stays hidden all the same.
    Catalogue::MoneyEdit *rate = panel.edindirim(3);
    rate->setFocus();
    rate->selectAll();
    QTest::keyClicks(rate, u"10"_s);
    EXPECT_DOUBLE_EQ(panel.rates()[2], 10);
    EXPECT_DOUBLE_EQ(panel.line().net, 89.1) << "100 less 0.5 %, 0.5 % and 10 %";
    EXPECT_FALSE(panel.indtutar()->isVisible());
}

TEST(PricePanel, F4TakesTheTaxOutOfThePriceInEveryBox)
{
    Catalogue::PricePanel panel;
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.open(Catalogue::basketOpenerTexts(120, {0, 0, 0, 0}, 20));
    panel.setQuantity(2);
    EXPECT_EQ(panel.geneltutar()->text(), u"288,00"_s);

    panel.birimfiyat()->setFocus();
    QTest::keyClick(panel.birimfiyat(), Qt::Key_F4);
    EXPECT_DOUBLE_EQ(panel.price(), 100);
    EXPECT_EQ(panel.kdvdahiltutar()->text(), u"120,00"_s);
    EXPECT_EQ(panel.geneltutar()->text(), u"240,00"_s);

    // From a read-only result box, and with a price box the user may not edit.
    panel.setPriceEditable(false);
    panel.geneltutar()->setFocus();
    QTest::keyClick(panel.geneltutar(), Qt::Key_F4);
    EXPECT_NEAR(panel.price(), 100 / 1.2, 1e-9);
    EXPECT_EQ(panel.geneltutar()->text(), u"200,00"_s);
}

TEST(MoneyEdit, ReadsTypedAmounts)
{
    const std::pair<QString, std::optional<double>> cases[] = {
        {u"1.234,5"_s, 1234.5}, {u"1234,5"_s, 1234.5}, {u"1234.5"_s, 1234.5}, {u"12"_s, 12.0},
        {u"1.234"_s, 1234.0},   {u""_s, 0.0},          {u"-3,25"_s, -3.25},   {u"1,2,3"_s, std::nullopt},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(Catalogue::MoneyEdit::parse(text), value) << text.toStdString();
}

} // namespace
