// The customer's own prices in the catalogue lists: which discount row applies (make and
// group, make, group, general), a special price and a campaign price without discounts, the
// net and tax-inclusive prices computed from them; the new and campaign lists with the same
// prices; a part's movements.

#include "dbedit.h"

#include "tests/appserver/account/methodcalls.h"

#include <QSqlQuery>

using namespace CatalogueTests;
using namespace MethodTests;
using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

class Prices : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (!s_server->ok())
            return;
        s_dealer = Calls(*s_server).login(u"BAYI"_s);
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }

    // The row of one part in a list, -1 when it is not there.
    static int rowOf(const Protocol::ClientTable &table, int stokno)
    {
        for (int r = 0; r < table.rowCount(); ++r) {
            if (integer(table, r, "STOK_STOKNO") == stokno)
                return r;
        }
        return -1;
    }

    static Support::AppServer *s_server;
    static Protocol::TSonucBilgisi s_dealer;
};

Support::AppServer *Prices::s_server = nullptr;
Protocol::TSonucBilgisi Prices::s_dealer;

TEST_F(Prices, TheMostSpecificDiscountRowASpecialPriceOrTheCampaignPrice)
{
    const DatabaseEdit db(*s_server);
    const int carino = s_dealer.FCARINO;
    ASSERT_GT(carino, 0);
    db.exec(u"DELETE FROM cari_iskontolari WHERE carino = ?"_s, {carino});
    db.exec(u"DELETE FROM cari_ozel_fiyatlar WHERE carino = ?"_s, {carino});
    const QString insertDiscount =
        u"INSERT INTO cari_iskontolari (carino, marka, anagrup, ind1, ind2, ind3, ind4) VALUES (?, ?, ?, ?, ?, ?, ?)"_s;
    db.exec(insertDiscount, {carino, u""_s, u""_s, 10, 5, 0, 0});
    db.exec(insertDiscount, {carino, u"FORD"_s, u""_s, 20, 0, 0, 0});
    db.exec(insertDiscount, {carino, u""_s, u"FREN SİSTEMİ"_s, 12, 0, 0, 0});
    db.exec(insertDiscount, {carino, u"FORD"_s, u"FİLTRE"_s, 25, 2, 0, 0});

    const auto partWhere = [&](const QString &condition) {
        return db.scalar(u"SELECT stokno FROM stoklar WHERE kampanya = 0 AND "_s + condition + u" ORDER BY stokno"_s)
            .toInt();
    };
    const int general = partWhere(u"marka = 'RENAULT' AND anagrup <> 'FREN SİSTEMİ'"_s);
    const int make = partWhere(u"marka = 'FORD' AND anagrup = 'FREN SİSTEMİ'"_s);
    const int group = partWhere(u"marka = 'FIAT' AND anagrup = 'FREN SİSTEMİ'"_s);
    const int makeAndGroup = partWhere(u"marka = 'FORD' AND anagrup = 'FİLTRE'"_s);
    const int special = partWhere(u"marka = 'OPEL'"_s);
    const int campaign =
        db.scalar(u"SELECT stokno FROM stoklar WHERE kampanya > 0 AND kampfiyat > 0 ORDER BY stokno"_s).toInt();
    for (const int stokno : {general, make, group, makeAndGroup, special, campaign})
        ASSERT_GT(stokno, 0) << "the demo catalogue lacks a part this case needs";

    // Known list prices and tax, so the expected figures are plain numbers.
    for (const int stokno : {general, make, group, makeAndGroup, special})
        db.exec(u"UPDATE stoklar SET fiyat = 100, kdv = 20 WHERE stokno = ?"_s, {stokno});
    db.exec(u"UPDATE stoklar SET fiyat = 200, kampfiyat = 150, kdv = 20 WHERE stokno = ?"_s, {campaign});
    db.exec(u"INSERT INTO cari_ozel_fiyatlar (carino, stokno, fiyat) VALUES (?, ?, 77.7)"_s, {carino, special});

    struct Case
    {
        const char *what;
        int stokno;
        double fiyat;
        double rates[4];
        const char *text;
        double net;
        double withTax;
        double list;
        double campaignPrice;
    };
    const Case cases[] = {
        {"general row", general, 100, {10, 5, 0, 0}, "10+5", 85.5, 102.6, 100, 0},
        {"make row over group row", make, 100, {20, 0, 0, 0}, "20", 80, 96, 100, 0},
        {"group row", group, 100, {12, 0, 0, 0}, "12", 88, 105.6, 100, 0},
        {"make and group row", makeAndGroup, 100, {25, 2, 0, 0}, "25+2", 73.5, 88.2, 100, 0},
        {"special price, no discount", special, 77.7, {0, 0, 0, 0}, "0", 77.7, 93.24, 100, 0},
        {"campaign price, no discount", campaign, 150, {0, 0, 0, 0}, "0", 150, 180, 200, 150},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString code = db.scalar(u"SELECT barkod FROM stoklar WHERE stokno = ?"_s, {c.stokno}).toString();
        const Protocol::ClientTable table = calls().table("StokAraGetirZerva", {code, s_dealer});
        const int r = rowOf(table, c.stokno);
        ASSERT_GE(r, 0);
        EXPECT_DOUBLE_EQ(number(table, r, "FIYAT"), c.fiyat);
        EXPECT_DOUBLE_EQ(number(table, r, "IND1"), c.rates[0]);
        EXPECT_DOUBLE_EQ(number(table, r, "IND2"), c.rates[1]);
        EXPECT_DOUBLE_EQ(number(table, r, "IND3"), c.rates[2]);
        EXPECT_DOUBLE_EQ(number(table, r, "IND4"), c.rates[3]);
        EXPECT_EQ(text(table, r, "INDIRIMYAZI"), QString::fromLatin1(c.text));
        EXPECT_DOUBLE_EQ(number(table, r, "NETFIYAT"), c.net);
        EXPECT_DOUBLE_EQ(number(table, r, "KDVDAHIL"), c.withTax);
        EXPECT_DOUBLE_EQ(number(table, r, "LISTEFIYAT1"), c.list);
        EXPECT_DOUBLE_EQ(number(table, r, "KAMPFIYAT"), c.campaignPrice);
        EXPECT_EQ(integer(table, r, "K") > 0, c.campaignPrice > 0);
        EXPECT_EQ(integer(table, r, "KDV"), 20);
    }

    // Another customer without these rows sees list prices with his own discounts.
    Protocol::TSonucBilgisi other = Calls(*s_server).login(u"BAYI2"_s);
    const QString code = db.scalar(u"SELECT barkod FROM stoklar WHERE stokno = ?"_s, {special}).toString();
    const Protocol::ClientTable theirs = calls().table("StokAraGetirZerva", {code, other});
    const int r = rowOf(theirs, special);
    ASSERT_GE(r, 0);
    EXPECT_DOUBLE_EQ(number(theirs, r, "FIYAT"), 100);

    // The campaign list prices the same way and names the list price it replaces.
    const Protocol::ClientTable campaignList = calls().table("KampanyaliVer2", {qint32(carino), qint32(3)});
    const int c = rowOf(campaignList, campaign);
    ASSERT_GE(c, 0);
    EXPECT_DOUBLE_EQ(number(campaignList, c, "FIYAT"), 150);
    EXPECT_DOUBLE_EQ(number(campaignList, c, "ESKIFIYAT"), 200);
    EXPECT_DOUBLE_EQ(number(campaignList, c, "NETFIYAT"), 150);
}

TEST_F(Prices, NewAndCampaignListsHoldTheMarkedPartsWithTheStockListColumns)
{
    const DatabaseView view(*s_server);
    const int carino = s_dealer.FCARINO;
    struct ListCase
    {
        const char *operation;
        Values inputs;
        const char *condition;
        bool listPrice;
    };
    const ListCase lists[] = {
        {"YenilerVer2", {qint32(carino)}, "yeni = 1", false},
        {"KampanyaliVer2", {qint32(carino), qint32(3)}, "kampanya > 0", true},
    };
    for (const ListCase &list : lists) {
        SCOPED_TRACE(list.operation);
        const Protocol::ClientTable table = calls().table(list.operation, list.inputs);
        const int expected =
            view.scalar(u"SELECT COUNT(*) FROM stoklar WHERE "_s + QString::fromLatin1(list.condition)).toInt();
        ASSERT_GT(expected, 0);
        EXPECT_EQ(table.rowCount(), expected);
        for (const char *column :
             {"STOK_STOKNO", "BARKOD",   "ADI",      "MARKA",       "FINISHKOD", "MODEL",       "KDV",
              "FIYAT",       "IND1",     "IND2",     "IND3",        "IND4",      "INDIRIMYAZI", "INDIRIM",
              "K",           "NETFIYAT", "KDVDAHIL", "LISTEFIYAT1", "KAMPFIYAT", "RESIM",       "DURUM"}) {
            EXPECT_TRUE(table.hasColumn(QString::fromLatin1(column))) << column;
        }
        EXPECT_EQ(table.hasColumn(u"ESKIFIYAT"), list.listPrice);
        EXPECT_EQ(table.column(table.columnIndex(u"K")).kind, ColumnKind::Int32);
    }
    // Any customer number is answered: one that names nobody gets list prices.
    const Protocol::ClientTable nobody = calls().table("YenilerVer2", {qint32(-5)});
    for (int r = 0; r < nobody.rowCount(); ++r)
        EXPECT_DOUBLE_EQ(number(nobody, r, "IND1"), 0);
}

TEST_F(Prices, StockMovementsOfAPartForTheCustomer)
{
    const DatabaseView view(*s_server);
    QSqlQuery pick(view.db());
    ASSERT_TRUE(pick.exec(u"SELECT carino, stokno, COUNT(*) FROM stok_hareketleri GROUP BY carino, stokno"
                          u" ORDER BY COUNT(*) DESC, carino, stokno LIMIT 1"_s));
    ASSERT_TRUE(pick.next());
    const int carino = pick.value(0).toInt();
    const int stokno = pick.value(1).toInt();
    const int count = pick.value(2).toInt();

    const Protocol::ClientTable table = calls().table("StokHareketVer", {qint32(carino), qint32(stokno)});
    ASSERT_EQ(table.rowCount(), count);
    const std::pair<const char *, ColumnKind> columns[] = {
        {"BARKOD", ColumnKind::Text},         {"TARIH", ColumnKind::DateTime},
        {"TURU", ColumnKind::Text},           {"EVRAKSERI", ColumnKind::Text},
        {"EVRAKSIRA", ColumnKind::Int32},     {"MIKTAR", ColumnKind::Float},
        {"TLBIRIMFIYAT", ColumnKind::Float},  {"TLVERGI", ColumnKind::Float},
        {"TLTUTAR", ColumnKind::Float},       {"INDIRIM1", ColumnKind::Float},
        {"INDIRIM8", ColumnKind::Float},      {"TOPLAMINDIRIM", ColumnKind::Float},
        {"MASRAF1", ColumnKind::Float},       {"MASRAF2", ColumnKind::Float},
        {"TOPLAMMASRAF", ColumnKind::Float},  {"NETBIRIMFIYAT", ColumnKind::Float},
        {"NETTLTUTAR", ColumnKind::Float},    {"VADE", ColumnKind::Int32},
        {"STOKCARIKOD", ColumnKind::Text},    {"KDVDAHILBIRIMFIYAT", ColumnKind::Float},
        {"KDVDAHILTUTAR", ColumnKind::Float}, {"SATICI", ColumnKind::Text},
    };
    for (const auto &[name, kind] : columns) {
        const int index = table.columnIndex(QString::fromLatin1(name));
        ASSERT_GE(index, 0) << name;
        EXPECT_EQ(table.column(index).kind, kind) << name;
    }
    for (int r = 0; r < table.rowCount(); ++r) {
        // The amounts reconcile: gross − discount = net; net + tax = the amount with tax.
        EXPECT_NEAR(number(table, r, "TLTUTAR") - number(table, r, "TOPLAMINDIRIM"), number(table, r, "NETTLTUTAR"),
                    0.011);
        EXPECT_NEAR(number(table, r, "NETTLTUTAR") + number(table, r, "TLVERGI"), number(table, r, "KDVDAHILTUTAR"),
                    0.011);
        EXPECT_FALSE(text(table, r, "STOKCARIKOD").isEmpty());
    }
    // A part that never moved for the customer, or numbers that name nothing: no rows.
    EXPECT_EQ(calls().table("StokHareketVer", {qint32(carino), qint32(999999)}).rowCount(), 0);
    EXPECT_EQ(calls().table("StokHareketVer", {qint32(-1), qint32(stokno)}).rowCount(), 0);
}

} // namespace
