// The catalogue's rules without a window: the rounding, the price line, the discount line, F4,
// the opener texts, the price cell text and the decoder choice of the picture control.
#include "client/catalogue/pictures.h"
#include "client/catalogue/prices.h"
#include "client/catalogue/stockrow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

using Catalogue::PriceInputs;
using Catalogue::SatirHesapla;
using Catalogue::Yuvarla2;

TEST(Yuvarla2, RoundsHalvesAwayFromZeroOnTheStoredValue)
{
    struct Case
    {
        double in;
        double out;
        const char *why;
    };
    const Case cases[] = {
        {0.125, 0.13, "an exact half goes up"},
        {-0.125, -0.13, "and away from zero below it"},
        {0.375, 0.38, "another exact half"},
        {2.5, 2.5, "two decimals already"},
        {1.005, 1.0, "stored as 1.00499…: the stored value decides"},
        {2.675, 2.67, "stored as 2.67499…"},
        {1.115, 1.11, "stored as 1.11499…"},
        {1.125, 1.13, "an exact half again"},
        {0.005, 0.01, "stored just above the half"},
        {0.67333333333333334, 0.67, "a third of 2.02"},
        {0.804, 0.8, ""},
        {2.4000000000000004, 2.4, "0.8 × 3 in binary"},
        {102.6, 102.6, ""},
        {85.5, 85.5, ""},
        {1234567.891, 1234567.89, "no thousands separators in the way"},
        {-1234.565, -1234.57, "stored as -1234.56500…"},
        {0.0, 0.0, ""},
        {-0.001, 0.0, "rounds to zero"},
        {1e20, 1e20, "whole and large"},
        {123456789012.345, 123456789012.35, "large with cents"},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(Yuvarla2(c.in), c.out) << c.in << " " << c.why;
    EXPECT_FALSE(std::signbit(Yuvarla2(-0.001))) << "no negative zero to show as -0,00";
    EXPECT_TRUE(std::isnan(Yuvarla2(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(Yuvarla2(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
    // The result is the double read from the two-decimal text, exactly.
    EXPECT_EQ(Yuvarla2(0.125), 0.13);
    EXPECT_EQ(Yuvarla2(0.1 + 0.2), 0.3);
}

TEST(SatirHesapla, PriceLineExamples)
{
    struct Case
    {
        PriceInputs in;
        double indtutar, net, unitNet, kdvdahil, genel;
    };
    const Case cases[] = {
        // Two rates one after the other.
        {{100, {10, 5, 0, 0}, 20, 1}, 14.5, 85.5, 85.5, 102.6, 102.6},
        // No rates.
        {{10, {0, 0, 0, 0}, 18, 3}, 0, 30, 10, 11.8, 35.4},
        // The total is the rounded price with tax times the quantity: 2.40, not 2.02 × 1.2.
        {{1.01, {33.3, 0, 0, 0}, 20, 3}, 1.00899, 2.02, 0.67, 0.8, 2.4},
        // A negative rate is skipped.
        {{100, {-5, 0, 0, 0}, 0, 1}, 0, 100, 100, 100, 100},
        // Four rates in order, the fourth of them 0 skipped.
        {{200, {10, 10, 10, 0}, 20, 2}, 400 - 291.6, 291.6, 145.8, 174.96, 349.92},
        // No quantity: no unit price, nothing with tax.
        {{100, {10, 0, 0, 0}, 20, 0}, 0, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const Catalogue::PriceLine line = SatirHesapla(c.in);
        SCOPED_TRACE(testing::Message() << "P=" << c.in.price << " Q=" << c.in.quantity);
        EXPECT_NEAR(line.indtutar, c.indtutar, 1e-9);
        EXPECT_DOUBLE_EQ(line.net, c.net);
        EXPECT_DOUBLE_EQ(line.unitNet, c.unitNet);
        EXPECT_DOUBLE_EQ(line.kdvdahiltutar, c.kdvdahil);
        EXPECT_DOUBLE_EQ(line.geneltutar, c.genel);
    }
}

TEST(SatirHesapla, DiscountLineAndF4)
{
    EXPECT_FALSE(Catalogue::discountLineVisible({0.5, 0.5, 0, 0})) << "exactly 1 percent hides the line";
    EXPECT_TRUE(Catalogue::discountLineVisible({0.6, 0.5, 0, 0}));
    EXPECT_FALSE(Catalogue::discountLineVisible({0, 0, 0, 0}));
    EXPECT_TRUE(Catalogue::discountLineVisible({0, 0, 0, 1.5}));
    EXPECT_DOUBLE_EQ(Catalogue::priceWithoutTax(120), 100);
}

Protocol::ClientTable productTable()
{
    Protocol::ClientTable t;
    using K = Protocol::ColumnKind;
    const std::pair<const char16_t *, K> columns[] = {
        {u"STOK_STOKNO", K::Int32}, {u"BARKOD", K::Text},    {u"ADI", K::Text},          {u"MARKA", K::Text},
        {u"FINISHKOD", K::Text},    {u"MODEL", K::Text},     {u"KDV", K::Int32},         {u"FIYAT", K::Float},
        {u"IND1", K::Float},        {u"IND2", K::Float},     {u"IND3", K::Float},        {u"IND4", K::Float},
        {u"INDIRIMYAZI", K::Text},  {u"K", K::Int32},        {u"LISTEFIYAT1", K::Float}, {u"KAMPFIYAT", K::Float},
        {u"NETFIYAT", K::Float},    {u"KDVDAHIL", K::Float},
    };
    for (const auto &[name, kind] : columns)
        t.addColumn({QString::fromUtf16(name), kind});
    //          stokno barkod     adi            marka   finish model kdv fiyat  ind1 ind2 ind3 ind4 yazi       k
    t.appendRow({1201, u"FBO1"_s, u"BALATA"_s, u"FORD"_s, u"F1"_s, u"FOCUS"_s, 20, 120.0, 10.0, 5.0, 0.0, 0.0,
                 u"10+5"_s, 0, 1234.5, 0.0, 102.6, 123.12});
    t.appendRow({1202, u"FDS2"_s, u"DISK"_s, u"FIAT"_s, u"F2"_s, u"DOBLO"_s, 18, 80.0, 0.0, 0.0, 0.0, 0.0, u"0"_s, 1,
                 100.0, 12.5, 12.5, 14.75});
    t.appendRow(
        {1203, u"X"_s, u"Y"_s, u"Z"_s, u""_s, u""_s, 20, 50.0, 3.0, 0.0, 0.0, 0.0, u"3"_s, -1, 50.0, 0.0, 48.5, 58.2});
    return t;
}

TEST(OpenerTexts, EachListWritesItsOwnCaptions)
{
    const Protocol::ClientTable table = productTable();
    using Catalogue::ProductSource;
    struct Case
    {
        ProductSource source;
        int row;
        bool setsPrice;
        std::optional<QString> indirimoran;
        std::optional<QString> label2;
    };
    const Case cases[] = {
        {ProductSource::StockList, 0, true, u"İndirim: %10+5"_s, std::nullopt},
        {ProductSource::StockList, 1, true, u"Kampanyalı 0"_s, u"Kampanyalı Fiyat:"_s},
        {ProductSource::StockList, 2, false, std::nullopt, std::nullopt},
        // The new-products list: two blanks before the percent sign and one after it.
        {ProductSource::NewList, 0, true, u"İndirim:  % 10+5"_s, std::nullopt},
        {ProductSource::NewList, 2, true, u"İndirim:  % 3"_s, std::nullopt},
        {ProductSource::NewList, 1, true, u"Kampanyalı 0"_s, u"Kampanyalı Fiyat:"_s},
        {ProductSource::CampaignList, 0, true, u"Kampanyalı 10+5"_s, u"Kampanyalı Fiyat:"_s},
    };
    for (const Case &c : cases) {
        const auto row = Catalogue::stockRowFrom(table, c.row, c.source);
        ASSERT_TRUE(row);
        const Catalogue::OpenerTexts texts = Catalogue::openerTexts(*row);
        SCOPED_TRACE(testing::Message() << int(c.source) << "/" << c.row);
        EXPECT_EQ(texts.setsPrice, c.setsPrice);
        EXPECT_EQ(texts.indirimoranCaption, c.indirimoran);
        EXPECT_EQ(texts.label2Caption, c.label2);
        EXPECT_EQ(texts.taxRate, table.number(c.row, table.columnIndex(u"KDV"))) << "t is always the row's KDV";
        if (c.setsPrice) {
            EXPECT_EQ(texts.price, table.number(c.row, table.columnIndex(u"FIYAT")));
            EXPECT_EQ(texts.rates[0], table.number(c.row, table.columnIndex(u"IND1")));
        } else {
            EXPECT_EQ(texts.price, 0);
            EXPECT_EQ(texts.rates, (std::array<double, 4>{}));
        }
    }
    const auto basket = Catalogue::basketOpenerTexts(55.5, {1, 2, 3, 4}, 18);
    EXPECT_EQ(basket.price, 55.5);
    EXPECT_EQ(basket.rates[3], 4);
    EXPECT_FALSE(basket.indirimoranCaption);
    EXPECT_FALSE(basket.label2Caption);

    EXPECT_FALSE(Catalogue::stockRowFrom(table, 3, ProductSource::StockList)) << "past the last row";
    EXPECT_FALSE(Catalogue::stockRowFrom(table, -1, ProductSource::StockList));
    const auto first = Catalogue::stockRowFrom(table, 0, ProductSource::StockList);
    EXPECT_EQ(first->stokno, 1201);
    EXPECT_EQ(first->barkod, u"FBO1"_s);
    EXPECT_EQ(first->ind[1], 5.0);
}

TEST(PriceCell, ThreeOrFourLinesInTheTurkishMoneyFormat)
{
    const Protocol::ClientTable table = productTable();
    EXPECT_EQ(Catalogue::priceCellText(table, 0),
              u"Liste Fiyatı: 1.234,50\r\nNetFiyat: 102,60\r\nKDV li Fiyat: 123,12\r\n"_s);
    EXPECT_EQ(Catalogue::priceCellText(table, 1), u"Liste Fiyatı: 100,00\r\nKampanyalı Fiyat: 12,50\r\n"
                                                  u"NetFiyat: 12,50\r\nKDV li Fiyat: 14,75\r\n"_s);
    EXPECT_EQ(Catalogue::priceCellText(1, -3, 1, 1).count(u"\r\n"_s), 3) << "a negative campaign price is no line";
}

TEST(Pictures, DecoderByContentType)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"image/jpeg", "JPEG"},
        {"image/JPEG", "JPEG"},
        {"image/jpg", "JPEG"},
        {"image/png", "PNG"},
        {"image/PNG", "PNG"},
        {"image/bmp", "BMP"},
        {"image/jpeg; charset=binary", ""},
        {"text/html", ""},
        {"text/html; charset=utf-8", ""},
        {"image/gif", ""},
        {"image/", ""},
        {"", ""},
    };
    for (const auto &[type, decoder] : cases)
        EXPECT_EQ(Catalogue::pictureFormatFor(type), decoder) << type.constData();
    EXPECT_EQ(Catalogue::pictureAddress(u"http://h/resimgoster.ashx?id="_s, 12345),
              u"http://h/resimgoster.ashx?id=12345"_s);
}

} // namespace
