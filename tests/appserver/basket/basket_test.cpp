// The server-side basket and the order against the real server: a line added (priced by the
// server for a dealer, by the representative when he sets it), changed, selected, ordered
// and gone from the basket, the order holding exactly the selected lines; nothing selected
// orders nothing; the overdue warning.

#include "tests/appserver/account/methodcalls.h"
#include "tests/appserver/catalogue/dbedit.h"

#include <QDate>
#include <QSqlQuery>

#include <cmath>

using namespace CatalogueTests;
using namespace MethodTests;
using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

class Basket : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (!s_server->ok())
            return;
        const Calls calls(*s_server);
        s_dealer = calls.login(u"BAYI"_s);
        s_rep = calls.login(u"TEMSILCI"_s);
        s_rep.FCARINO = s_dealer.FCARINO; // one of this representative's customers
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }
    Protocol::ClientTable basket() const { return calls().table("SepetVer2", {qint32(s_dealer.FCARINO)}); }

    // A part outside any campaign, with its code and name.
    struct Part
    {
        int stokno = 0;
        QString barkod;
        QString adi;
        int koliadet = 1;
    };
    Part part(int nth) const
    {
        const DatabaseView view(*s_server);
        QSqlQuery query(view.db());
        query.prepare(u"SELECT stokno, barkod, adi, koliadet FROM stoklar WHERE kampanya = 0"
                      u" AND stokno NOT IN (SELECT stokno FROM cari_ozel_fiyatlar) ORDER BY stokno LIMIT 1 OFFSET ?"_s);
        query.addBindValue(nth);
        if (!query.exec() || !query.next()) {
            ADD_FAILURE() << "no part " << nth;
            return {};
        }
        return {query.value(0).toInt(), query.value(1).toString(), query.value(2).toString(), query.value(3).toInt()};
    }

    // SepetEkle2 as the add dialog sends it.
    Protocol::Expected<Values> add(const Protocol::TSonucBilgisi &record, const Part &p, double quantity,
                                   double price = 0, double ind1 = 0, double ind2 = 0, double ind3 = 0, double ind4 = 0,
                                   qint32 carino = -1) const
    {
        return calls().call("SepetEkle2",
                            {record, carino < 0 ? qint32(record.FCARINO) : carino, qint32(p.stokno), p.barkod, p.adi,
                             quantity, 20.0, price, ind1, qint32(record.FSirano), qint32(0), ind2, ind3, ind4});
    }
    // SepetGuncelle2 as the change dialog sends it.
    Protocol::Expected<Values> change(const Protocol::TSonucBilgisi &record, int sirano, double quantity, double price,
                                      double ind1 = 0, qint32 carino = -1) const
    {
        return calls().call("SepetGuncelle2",
                            {record, carino < 0 ? qint32(record.FCARINO) : carino, qint32(0), u"B"_s, u"A"_s, quantity,
                             20.0, price, ind1, qint32(record.FSirano), qint32(sirano), 0.0, 0.0, 0.0});
    }

    static int rowOfPart(const Protocol::ClientTable &table, int stokno)
    {
        for (int r = 0; r < table.rowCount(); ++r) {
            if (integer(table, r, "STOKNO") == stokno)
                return r;
        }
        return -1;
    }

    static Support::AppServer *s_server;
    static Protocol::TSonucBilgisi s_dealer;
    static Protocol::TSonucBilgisi s_rep;
};

Support::AppServer *Basket::s_server = nullptr;
Protocol::TSonucBilgisi Basket::s_dealer;
Protocol::TSonucBilgisi Basket::s_rep;

TEST_F(Basket, HasTheColumnsOfTheBasketGridInOrder)
{
    const Protocol::ClientTable table = basket();
    ASSERT_GT(table.rowCount(), 0) << "the demo dealer starts with a basket";
    using K = ColumnKind;
    const std::pair<const char *, ColumnKind> columns[] = {
        {"SEC", K::Int32},
        {"VERILISTARIHI", K::DateTime},
        {"SIRANO", K::Int32},
        {"SIPARISNO", K::Int32},
        {"CARINO", K::Int32},
        {"TARIH", K::DateTime},
        {"AKTAR", K::Int32},
        {"STOKNO", K::Int32},
        {"BARKOD", K::Text},
        {"FINISHKOD", K::Text},
        {"OEMNO", K::Text},
        {"STOKADI", K::Text},
        {"MIKTAR", K::Float},
        {"BIRIMFIYAT", K::Float},
        {"TUTAR", K::Float},
        {"INDIRIMYAZI", K::Text},
        {"INDIRIMORANI1", K::Float},
        {"INDIRIMORANI2", K::Float},
        {"INDIRIMORANI3", K::Float},
        {"INDIRIMTUTAR", K::Float},
        {"NETBIRIMFIYAT", K::Float},
        {"KDV", K::Int32},
        {"VERGITUTARI", K::Float},
        {"NETTUTAR", K::Float},
        {"KUR", K::Text},
        {"KURTL", K::Float},
        {"VERENIDNO", K::Int32},
        {"SAAT", K::Text},
        {"TESLIMID", K::Int32},
        {"KARGOID", K::Int32},
        {"ACIKLAMA", K::Text},
        {"IDNO", K::Int32},
        {"VERENSIRANO", K::Int32},
        {"VEREN", K::Text},
        {"CARIKOD", K::Text},
        {"CARIADI", K::Text},
        {"OEM1", K::Text},
        {"OEM2", K::Text},
        {"OEM3", K::Text},
        {"OEM4", K::Text},
        {"STOK_STOKNO", K::Int32},
        {"URETICIKODU", K::Text},
        {"DIGERADI", K::Text},
        {"DPKOD", K::Text},
        {"MARKA", K::Text},
        {"MODEL", K::Text},
        {"ANAGRUP", K::Text},
        {"OZELKOD", K::Text},
        {"PKOD", K::Text},
        {"DURUM", K::Int32},
        {"KALAN", K::Float},
        {"INDIRIMORANI4", K::Float},
    };
    ASSERT_EQ(table.columnCount(), int(std::size(columns)));
    for (int c = 0; c < table.columnCount(); ++c) {
        EXPECT_EQ(table.column(c).name, QString::fromLatin1(columns[c].first));
        EXPECT_EQ(table.column(c).kind, columns[c].second) << columns[c].first;
    }
    // The line amounts are the server's: gross, discount, net and tax agree with each other.
    for (int r = 0; r < table.rowCount(); ++r) {
        EXPECT_DOUBLE_EQ(number(table, r, "TUTAR"),
                         round2(number(table, r, "MIKTAR") * number(table, r, "BIRIMFIYAT")));
        EXPECT_NEAR(number(table, r, "TUTAR") - number(table, r, "INDIRIMTUTAR"), number(table, r, "NETTUTAR"), 1e-9);
        EXPECT_DOUBLE_EQ(number(table, r, "VERGITUTARI"),
                         round2(number(table, r, "NETTUTAR") * number(table, r, "KDV") / 100.0));
    }
}

TEST_F(Basket, ALineAddedChangedSelectedOrderedAndGone)
{
    ASSERT_TRUE(calls().call("SepetHepsiniSil", {s_dealer}));
    ASSERT_EQ(basket().rowCount(), 0);
    const Part a = part(3);
    const Part b = part(4);

    // A dealer's price and rates are the server's, whatever his client sends.
    const Protocol::ClientTable listed = calls().table("StokAraGetirZerva", {a.barkod, s_dealer});
    int listedRow = -1;
    for (int r = 0; r < listed.rowCount(); ++r) {
        if (integer(listed, r, "STOK_STOKNO") == a.stokno)
            listedRow = r;
    }
    ASSERT_GE(listedRow, 0);
    auto added = add(s_dealer, a, 2 * a.koliadet, 0.01, 99);
    ASSERT_TRUE(added) << added.error().message.toStdString();
    EXPECT_EQ(std::get<qint32>(added->back()), 1);
    ASSERT_TRUE(add(s_dealer, b, b.koliadet));
    ASSERT_TRUE(add(s_dealer, a, a.koliadet)) << "a part already in the basket gets the quantity added";

    Protocol::ClientTable lines = basket();
    ASSERT_EQ(lines.rowCount(), 2);
    const int ra = rowOfPart(lines, a.stokno);
    ASSERT_GE(ra, 0);
    EXPECT_DOUBLE_EQ(number(lines, ra, "MIKTAR"), 3 * a.koliadet);
    EXPECT_DOUBLE_EQ(number(lines, ra, "BIRIMFIYAT"), number(listed, listedRow, "FIYAT"));
    EXPECT_DOUBLE_EQ(number(lines, ra, "INDIRIMORANI1"), number(listed, listedRow, "IND1"));
    EXPECT_EQ(text(lines, ra, "INDIRIMYAZI"), text(listed, listedRow, "INDIRIMYAZI"));
    EXPECT_EQ(integer(lines, ra, "SEC"), 0);
    EXPECT_EQ(text(lines, ra, "BARKOD"), a.barkod);
    const int lineA = int(integer(lines, ra, "SIRANO"));

    auto changed = change(s_dealer, lineA, 5, 0.01, 99);
    ASSERT_TRUE(changed) << changed.error().message.toStdString();
    EXPECT_EQ(std::get<qint32>(changed->back()), 1);
    ASSERT_TRUE(calls().call("SepetSecimGuncelle", {qint32(lineA), qint32(1)}));

    lines = basket();
    const int rc = rowOfPart(lines, a.stokno);
    ASSERT_GE(rc, 0);
    EXPECT_DOUBLE_EQ(number(lines, rc, "MIKTAR"), 5);
    EXPECT_DOUBLE_EQ(number(lines, rc, "BIRIMFIYAT"), number(listed, listedRow, "FIYAT")) << "a dealer keeps the price";
    EXPECT_EQ(integer(lines, rc, "SEC"), 1);
    const double basketGross = number(lines, rc, "TUTAR");
    const double basketNet = number(lines, rc, "NETTUTAR");

    // The confirmation window's choices.
    const Protocol::ClientTable delivery = calls().table("TeslimVer");
    const Protocol::ClientTable cargoTypes = calls().table("KargoVer");
    ASSERT_GT(delivery.rowCount(), 1);
    ASSERT_GT(cargoTypes.rowCount(), 0);
    for (const Protocol::ClientTable *options : {&delivery, &cargoTypes}) {
        EXPECT_EQ(options->column(0).kind, ColumnKind::Int32);
        EXPECT_EQ(options->column(1).kind, ColumnKind::Text);
    }
    const qint32 cargoType = qint32(cargoTypes.integer(0, 0));
    const Protocol::ClientTable carriers = calls().table("KargolarVer", {cargoType});
    ASSERT_GT(carriers.rowCount(), 0);
    for (const char *column : {"ADI", "SIRANO", "UYARI"})
        ASSERT_TRUE(carriers.hasColumn(QString::fromLatin1(column))) << column;
    const qint32 carrier = qint32(integer(carriers, 0, "SIRANO"));
    const qint32 deliveryId = qint32(delivery.integer(1, 0));

    const DatabaseView view(*s_server);
    const int ordersBefore = view.scalar(u"SELECT COUNT(*) FROM siparisler"_s).toInt();
    auto placed =
        calls().call("SiparisKaydet", {s_dealer, qint32(s_dealer.FCARINO), deliveryId, cargoType,
                                       u"Öğleden sonra teslim alacağız."_s, qint32(s_dealer.FSirano), carrier});
    ASSERT_TRUE(placed) << placed.error().message.toStdString();
    EXPECT_EQ(std::get<bool>(placed->back()), true);

    // Gone from the basket; the other line stays.
    lines = basket();
    ASSERT_EQ(lines.rowCount(), 1);
    EXPECT_EQ(integer(lines, 0, "STOKNO"), b.stokno);

    // One new order with exactly the selected line.
    EXPECT_EQ(view.scalar(u"SELECT COUNT(*) FROM siparisler"_s).toInt(), ordersBefore + 1);
    const int idno = view.scalar(u"SELECT MAX(idno) FROM siparisler WHERE carino = ?"_s, {s_dealer.FCARINO}).toInt();
    EXPECT_EQ(view.scalar(u"SELECT aciklama FROM siparisler WHERE idno = ?"_s, {idno}).toString(),
              u"Öğleden sonra teslim alacağız."_s);
    EXPECT_EQ(view.scalar(u"SELECT teslim * 1000 + kargo_turu * 100 + kargo FROM siparisler WHERE idno = ?"_s, {idno})
                  .toInt(),
              deliveryId * 1000 + cargoType * 100 + carrier);
    const Protocol::ClientTable orderLines =
        calls().table("SiparisAyrintisi2", {qint32(s_dealer.FCARINO), qint32(idno)});
    ASSERT_EQ(orderLines.rowCount(), 1);
    EXPECT_EQ(integer(orderLines, 0, "STOKNO"), a.stokno);
    EXPECT_EQ(integer(orderLines, 0, "SIRANO"), lineA) << "the basket line it came from";
    EXPECT_DOUBLE_EQ(number(orderLines, 0, "MIKTAR"), 5);
    EXPECT_DOUBLE_EQ(number(orderLines, 0, "TUTAR"), basketGross);
    EXPECT_DOUBLE_EQ(number(orderLines, 0, "NETTUTAR"), basketNet);
    EXPECT_DOUBLE_EQ(number(orderLines, 0, "KALAN"), 5) << "a new order is an open balance";
    const Protocol::ClientTable previous = calls().table("OncekiSiparisler", {qint32(s_dealer.FCARINO)});
    bool found = false;
    for (int r = 0; r < previous.rowCount(); ++r)
        found = found || integer(previous, r, "IDNO") == idno;
    EXPECT_TRUE(found) << "the order is among the previous orders";
}

TEST_F(Basket, NothingSelectedOrdersNothing)
{
    ASSERT_TRUE(add(s_dealer, part(5), part(5).koliadet));
    const Protocol::ClientTable before = basket();
    ASSERT_GT(before.rowCount(), 0);
    for (int r = 0; r < before.rowCount(); ++r)
        ASSERT_TRUE(calls().call("SepetSecimGuncelle", {qint32(integer(before, r, "SIRANO")), qint32(0)}));
    const DatabaseView view(*s_server);
    const int orders = view.scalar(u"SELECT COUNT(*) FROM siparisler"_s).toInt();
    const int orderLines = view.scalar(u"SELECT COUNT(*) FROM siparis_satirlari"_s).toInt();

    auto placed = calls().call("SiparisKaydet", {s_dealer, qint32(s_dealer.FCARINO), qint32(2), qint32(1), u""_s,
                                                 qint32(s_dealer.FSirano), qint32(1)});
    ASSERT_TRUE(placed) << placed.error().message.toStdString();
    EXPECT_EQ(std::get<bool>(placed->back()), false);
    EXPECT_EQ(view.scalar(u"SELECT COUNT(*) FROM siparisler"_s).toInt(), orders);
    EXPECT_EQ(view.scalar(u"SELECT COUNT(*) FROM siparis_satirlari"_s).toInt(), orderLines);
    EXPECT_EQ(basket().rowCount(), before.rowCount());
}

TEST_F(Basket, ARepresentativeSetsPriceAndRatesADealerOnlyTheQuantity)
{
    const Part c = part(6);
    auto added = add(s_rep, c, c.koliadet, 123.45, 10, 5);
    ASSERT_TRUE(added) << added.error().message.toStdString();
    Protocol::ClientTable lines = basket();
    int r = rowOfPart(lines, c.stokno);
    ASSERT_GE(r, 0);
    EXPECT_DOUBLE_EQ(number(lines, r, "BIRIMFIYAT"), 123.45);
    EXPECT_DOUBLE_EQ(number(lines, r, "INDIRIMORANI1"), 10);
    EXPECT_DOUBLE_EQ(number(lines, r, "INDIRIMORANI2"), 5);
    EXPECT_EQ(text(lines, r, "INDIRIMYAZI"), u"10+5"_s);
    EXPECT_EQ(text(lines, r, "VEREN"), s_rep.FADI);
    const int sirano = int(integer(lines, r, "SIRANO"));
    ASSERT_TRUE(change(s_rep, sirano, 2, 100.10, 10));
    ASSERT_TRUE(change(s_dealer, sirano, 3, 1.0, 0)) << "a dealer's change keeps price and rates";
    lines = basket();
    r = rowOfPart(lines, c.stokno);
    // 3 × 100.10 = 300.30, less 10 % = 270.27, 20 % tax 54.05, 90.09 a piece.
    EXPECT_DOUBLE_EQ(number(lines, r, "MIKTAR"), 3);
    EXPECT_DOUBLE_EQ(number(lines, r, "BIRIMFIYAT"), 100.10);
    EXPECT_DOUBLE_EQ(number(lines, r, "INDIRIMORANI2"), 0);
    EXPECT_DOUBLE_EQ(number(lines, r, "TUTAR"), 300.30);
    EXPECT_DOUBLE_EQ(number(lines, r, "NETTUTAR"), 270.27);
    EXPECT_DOUBLE_EQ(number(lines, r, "INDIRIMTUTAR"), 30.03);
    EXPECT_DOUBLE_EQ(number(lines, r, "VERGITUTARI"), 54.05);
    EXPECT_DOUBLE_EQ(number(lines, r, "NETBIRIMFIYAT"), 90.09);
}

} // namespace
