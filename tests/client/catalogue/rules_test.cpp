// The typed-character folding, the list modes and the captions.
#include "client/catalogue/folding.h"
#include "client/catalogue/listrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Folding, TurkishLettersBecomeAscii)
{
    const std::pair<QString, QString> cases[] = {
        {u"çağrı"_s, u"cagrI"_s},
        {u"ÇAĞRI"_s, u"CAGRI"_s},
        {u"ğüşöçĞÜŞİÖÇı"_s, u"gusocGUSIOCI"_s},
        {u"şanzıman 1.6 TDCİ"_s, u"sanzIman 1.6 TDCI"_s},
        {u"ABC-123/x \"'"_s, u"ABC-123/x \"'"_s},
        {u"é"_s, u"é"_s}, // only the Turkish letters
        {u""_s, u""_s},
    };
    for (const auto &[typed, folded] : cases)
        EXPECT_EQ(Catalogue::foldTyped(typed), folded) << typed.toStdString();
}

TEST(ListRules, NarrowUpTo1152)
{
    const Catalogue::StockListMode narrow = Catalogue::stockListMode(1152);
    EXPECT_FALSE(narrow.wide);
    EXPECT_TRUE(narrow.showFiyatBilgisi);
    EXPECT_EQ(narrow.rowHeight, 100);
    EXPECT_EQ(narrow.oemWidth, 80);
    EXPECT_EQ(narrow.fiyatBilgisiWidth, 150);

    const Catalogue::StockListMode wide = Catalogue::stockListMode(1153);
    EXPECT_TRUE(wide.wide);
    EXPECT_FALSE(wide.showFiyatBilgisi);
    EXPECT_EQ(wide.rowHeight, 60);
    EXPECT_EQ(wide.priceColumns, (QStringList{u"KDVDAHIL"_s, u"NETFIYAT"_s, u"KAMPFIYAT"_s, u"LISTEFIYAT1"_s}));
    EXPECT_FALSE(Catalogue::isWideMode(0));
}

TEST(ListRules, Captions)
{
    EXPECT_EQ(Catalogue::stockSearchCaption(true, 25), u"25=Stok Listesi"_s);
    EXPECT_EQ(Catalogue::stockSearchCaption(true, 0), u"0=Stok Listesi"_s);
    EXPECT_EQ(Catalogue::stockSearchCaption(false, 25), u"Stok Listesi"_s);
    EXPECT_EQ(Catalogue::listCaption(4, Catalogue::campaignListTitle()), u"4=Kampanyalı"_s);
    EXPECT_EQ(Catalogue::listCaption(0, Catalogue::newListTitle()), u"0=Yeni Stoklar"_s);
}

} // namespace
