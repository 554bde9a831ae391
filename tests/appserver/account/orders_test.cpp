// Previous orders of the account area against the real server: the order list, an order's
// lines and its footer, and what another customer's number gets.

#include "methodcalls.h"

#include <QSet>

#include <cmath>

using namespace MethodTests;
using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

struct ColumnCase
{
    const char *name;
    ColumnKind kind;
    int typeCode = 0; // 0: any code of the kind
};

void expectColumns(const Protocol::ClientTable &table, std::initializer_list<ColumnCase> columns, const char *what)
{
    for (const ColumnCase &c : columns) {
        const int index = table.columnIndex(QString::fromLatin1(c.name));
        ASSERT_GE(index, 0) << what << ": no column " << c.name;
        EXPECT_EQ(table.column(index).kind, c.kind) << what << "." << c.name;
        if (c.typeCode) {
            EXPECT_EQ(table.column(index).typeCode, c.typeCode) << what << "." << c.name;
        }
    }
}

class Orders : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (s_server->ok())
            s_dealer = Calls(*s_server).login(u"BAYI"_s);
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }

    static Support::AppServer *s_server;
    static Protocol::TSonucBilgisi s_dealer;
};

Support::AppServer *Orders::s_server = nullptr;
Protocol::TSonucBilgisi Orders::s_dealer;

TEST_F(Orders, ListAndLinesCarryTheColumnsTheWindowsRead)
{
    const int carino = s_dealer.FCARINO;
    ASSERT_GT(carino, 0);
    const Protocol::ClientTable orders = calls().table("OncekiSiparisler", {carino});
    ASSERT_GT(orders.rowCount(), 0);
    expectColumns(orders,
                  {{"CARINO", ColumnKind::Int32},
                   {"IDNO", ColumnKind::Int32},
                   {"TARIH", ColumnKind::DateTime, 24},
                   {"KUR", ColumnKind::Text},
                   {"KURTL", ColumnKind::Float},
                   {"VERENIDNO", ColumnKind::Int32},
                   {"KARGO", ColumnKind::Text},
                   {"TESLIM", ColumnKind::Text},
                   {"VEREN", ColumnKind::Text},
                   {"CARIKOD", ColumnKind::Text},
                   {"CARIADI", ColumnKind::Text},
                   {"VERGI", ColumnKind::Float},
                   {"NETTUTAR", ColumnKind::Float},
                   {"TUTAR", ColumnKind::Float},
                   {"DURUM", ColumnKind::Text},
                   {"KARGOADI", ColumnKind::Text},
                   {"VERENINNOTU", ColumnKind::Text},
                   {"ALANNOTU", ColumnKind::Text}},
                  "OncekiSiparisler");

    const Protocol::ClientTable lines =
        calls().table("SiparisAyrintisi2", {carino, qint32(integer(orders, 0, "IDNO"))});
    ASSERT_GT(lines.rowCount(), 0);
    expectColumns(lines,
                  {{"VERILISTARIHI", ColumnKind::DateTime},
                   {"BARKOD", ColumnKind::Text},
                   {"FINISHKOD", ColumnKind::Text},
                   {"OEMNO", ColumnKind::Text},
                   {"STOKADI", ColumnKind::Text},
                   {"MIKTAR", ColumnKind::Float},
                   {"BIRIMFIYAT", ColumnKind::Float},
                   {"TUTAR", ColumnKind::Float},
                   {"INDIRIMYAZI", ColumnKind::Text},
                   {"NETBIRIMFIYAT", ColumnKind::Float},
                   {"KDV", ColumnKind::Int32},
                   {"VERGITUTARI", ColumnKind::Float},
                   {"NETTUTAR", ColumnKind::Float},
                   {"VEREN", ColumnKind::Text},
                   {"TESLIMEDILEN", ColumnKind::Float},
                   {"KALAN", ColumnKind::Float},
                   {"INDIRIMTUTAR", ColumnKind::Float},
                   {"INDIRIMORANI1", ColumnKind::Float},
                   {"SIPARISNO", ColumnKind::Int32},
                   {"STOK_STOKNO", ColumnKind::Int32},
                   {"STOKHAR_NO", ColumnKind::Int32},
                   {"SIRANO", ColumnKind::Int32},
                   {"IDNO", ColumnKind::Int32},
                   {"ELDEKI", ColumnKind::Float},
                   {"DURUM", ColumnKind::Int32},
                   {"TARIH", ColumnKind::DateTime, 2}},
                  "SiparisAyrintisi2");
}

// Every order of the list has its lines, whose amounts add up to the order's, and a footer
// that names the same state, delivery and carrier.
TEST_F(Orders, EachOrderHasItsLinesAndFooter)
{
    const int carino = s_dealer.FCARINO;
    const Protocol::ClientTable orders = calls().table("OncekiSiparisler", {carino});
    ASSERT_GT(orders.rowCount(), 3);
    QDateTime previous;
    for (int o = 0; o < orders.rowCount(); ++o) {
        SCOPED_TRACE(o);
        EXPECT_EQ(integer(orders, o, "CARINO"), carino);
        const QDateTime when = cell(orders, o, "TARIH").toDateTime();
        if (previous.isValid()) {
            EXPECT_LE(when, previous) << "newest first";
        }
        previous = when;
        const qint32 idno = qint32(integer(orders, o, "IDNO"));
        const Protocol::ClientTable lines = calls().table("SiparisAyrintisi2", {carino, idno});
        ASSERT_GT(lines.rowCount(), 0);
        double gross = 0, net = 0, tax = 0;
        for (int l = 0; l < lines.rowCount(); ++l) {
            EXPECT_EQ(integer(lines, l, "SIPARISNO"), idno);
            EXPECT_EQ(integer(lines, l, "CARINO"), carino);
            const double amount = number(lines, l, "TUTAR");
            EXPECT_NEAR(amount, number(lines, l, "MIKTAR") * number(lines, l, "BIRIMFIYAT"), 0.005);
            EXPECT_NEAR(number(lines, l, "INDIRIMTUTAR"), amount - number(lines, l, "NETTUTAR"), 0.001);
            EXPECT_NEAR(number(lines, l, "VERGITUTARI"), number(lines, l, "NETTUTAR") * number(lines, l, "KDV") / 100.0,
                        0.005);
            EXPECT_NEAR(number(lines, l, "KALAN"), number(lines, l, "MIKTAR") - number(lines, l, "TESLIMEDILEN"),
                        0.001);
            gross += amount;
            net += number(lines, l, "NETTUTAR");
            tax += number(lines, l, "VERGITUTARI");
        }
        EXPECT_NEAR(number(orders, o, "TUTAR"), gross, 0.005);
        EXPECT_NEAR(number(orders, o, "NETTUTAR"), net, 0.005);
        EXPECT_NEAR(number(orders, o, "VERGI"), tax, 0.005);

        const Protocol::Value footer = calls().value("SiparisAytintisiDip", {qint32(0), idno});
        const auto *dip = std::get_if<Protocol::TSiparisDipAyrinti>(&footer);
        ASSERT_NE(dip, nullptr);
        EXPECT_EQ(dip->FDurumu, text(orders, o, "DURUM"));
        EXPECT_EQ(dip->FTeslimCinsi, text(orders, o, "TESLIM"));
        EXPECT_EQ(dip->FKargoCinsi, text(orders, o, "KARGO"));
        EXPECT_EQ(dip->FKargo, text(orders, o, "KARGOADI"));
        EXPECT_EQ(dip->FVeren, text(orders, o, "VEREN"));
        EXPECT_EQ(dip->FSizinMesaj, text(orders, o, "VERENINNOTU"));
        EXPECT_EQ(dip->FBizimMesaj, text(orders, o, "ALANNOTU"));
        EXPECT_FALSE(dip->FDurumu.isEmpty());
    }
}

// The discount text lists the rates that apply, and the net unit price follows them.
TEST_F(Orders, DiscountTextAndNetPriceFollowTheRates)
{
    const int carino = s_dealer.FCARINO;
    const Protocol::ClientTable lines = calls().table("TumSiparislerVer", {carino, qint32(0)});
    ASSERT_GT(lines.rowCount(), 0);
    for (int l = 0; l < lines.rowCount(); ++l) {
        QStringList rates;
        double net = number(lines, l, "TUTAR");
        for (const char *column : {"INDIRIMORANI1", "INDIRIMORANI2", "INDIRIMORANI3", "INDIRIMORANI4"}) {
            const double rate = number(lines, l, column);
            if (rate > 0) {
                rates.append(QString::number(rate));
                net -= net * rate / 100.0;
            }
        }
        EXPECT_EQ(text(lines, l, "INDIRIMYAZI"), rates.isEmpty() ? u"0"_s : rates.join(u'+'));
        EXPECT_NEAR(number(lines, l, "NETTUTAR"), net, 0.006);
        const double quantity = number(lines, l, "MIKTAR");
        EXPECT_NEAR(number(lines, l, "NETBIRIMFIYAT"), std::round(number(lines, l, "NETTUTAR") / quantity * 100) / 100,
                    0.0001);
    }
}

// Another customer's order number gives no lines; an order number that names nothing gives
// no footer but an error; a customer number of another customer gives no footer either.
TEST_F(Orders, OtherCustomersOrdersAreNotShown)
{
    const int carino = s_dealer.FCARINO;
    const Protocol::ClientTable mine = calls().table("OncekiSiparisler", {carino});
    ASSERT_GT(mine.rowCount(), 0);
    const qint32 idno = qint32(integer(mine, 0, "IDNO"));
    const qint32 other = carino + 1;

    EXPECT_EQ(calls().table("SiparisAyrintisi2", {other, idno}).rowCount(), 0);
    const Protocol::ClientTable theirs = calls().table("OncekiSiparisler", {other});
    ASSERT_GT(theirs.rowCount(), 0);
    for (int o = 0; o < theirs.rowCount(); ++o) {
        EXPECT_EQ(integer(theirs, o, "CARINO"), other);
    }

    struct Case
    {
        qint32 carino;
        qint32 idno;
    };
    for (const Case c : {Case{0, -1}, Case{0, 0}, Case{0, 2147483647}, Case{other, idno}}) {
        auto footer = calls().call("SiparisAytintisiDip", {c.carino, c.idno});
        ASSERT_FALSE(footer) << c.carino << "/" << c.idno;
        EXPECT_FALSE(footer.error().message.isEmpty());
    }
    for (const qint32 bad : {0, -5, 2147483647}) {
        EXPECT_EQ(calls().table("OncekiSiparisler", {bad}).rowCount(), 0);
        EXPECT_EQ(calls().table("SiparisAyrintisi2", {bad, idno}).rowCount(), 0);
    }
}

} // namespace
