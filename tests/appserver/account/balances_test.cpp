// Open order balances against the real server: a change or a deletion shows in the next
// list, and every refused request leaves the balances as they were.

#include "methodcalls.h"

#include <cmath>
#include <limits>

using namespace MethodTests;
using namespace Qt::StringLiterals;

namespace {

class Balances : public ::testing::Test
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
        s_rep.FCARINO = s_dealer.FCARINO; // the dealer's account is one of this representative's
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }
    Protocol::ClientTable balances() const { return calls().table("BakiyelerVer2", {qint32(s_dealer.FCARINO)}); }

    // The request of a change for row r of the list, as the balances window sends it.
    static Values request(const Protocol::TSonucBilgisi &record, const Protocol::ClientTable &list, int r, double adet,
                          double bakiye)
    {
        return {record,
                qint32(integer(list, r, "STOK_STOKNO")),
                qint32(integer(list, r, "SIRANO")),
                qint32(integer(list, r, "STOKHAR_NO")),
                adet,
                bakiye,
                text(list, r, "BARKOD")};
    }

    static int rowOf(const Protocol::ClientTable &list, qint64 orderLine)
    {
        for (int r = 0; r < list.rowCount(); ++r) {
            if (integer(list, r, "STOKHAR_NO") == orderLine)
                return r;
        }
        return -1;
    }

    static Support::AppServer *s_server;
    static Protocol::TSonucBilgisi s_dealer;
    static Protocol::TSonucBilgisi s_rep;
};

Support::AppServer *Balances::s_server = nullptr;
Protocol::TSonucBilgisi Balances::s_dealer;
Protocol::TSonucBilgisi Balances::s_rep;

TEST_F(Balances, ListHoldsOnlyOpenLinesOfTheCustomer)
{
    const Protocol::ClientTable list = balances();
    ASSERT_GT(list.rowCount(), 0);
    for (int r = 0; r < list.rowCount(); ++r) {
        EXPECT_GT(number(list, r, "KALAN"), 0);
        EXPECT_EQ(integer(list, r, "CARINO"), s_dealer.FCARINO);
        EXPECT_GT(integer(list, r, "IDNO"), 0);
    }
    const Protocol::ClientTable all = calls().table("TumSiparislerVer", {qint32(s_dealer.FCARINO), qint32(0)});
    EXPECT_GT(all.rowCount(), list.rowCount()) << "shipped lines are listed there too";
    const qint32 stokno = qint32(integer(all, 0, "STOK_STOKNO"));
    const Protocol::ClientTable onePart = calls().table("TumSiparislerVer", {qint32(s_dealer.FCARINO), stokno});
    ASSERT_GT(onePart.rowCount(), 0);
    for (int r = 0; r < onePart.rowCount(); ++r) {
        EXPECT_EQ(integer(onePart, r, "STOK_STOKNO"), stokno);
    }
    EXPECT_EQ(calls().table("TumSiparislerVer", {qint32(s_dealer.FCARINO), qint32(-3)}).rowCount(), 0);
}

TEST_F(Balances, QuantityChangeThenDeletionShowInTheList)
{
    Protocol::ClientTable list = balances();
    ASSERT_GT(list.rowCount(), 0);
    const qint64 line = integer(list, 0, "STOKHAR_NO");
    const double delivered = number(list, 0, "TESLIMEDILEN");

    auto changed = calls().call("BakiyeDegistir", request(s_dealer, list, 0, 7, 7));
    ASSERT_TRUE(changed) << changed.error().message.toStdString();
    list = balances();
    int r = rowOf(list, line);
    ASSERT_GE(r, 0);
    EXPECT_EQ(number(list, r, "KALAN"), 7);
    EXPECT_EQ(number(list, r, "MIKTAR"), delivered + 7);
    EXPECT_EQ(number(list, r, "TUTAR"), std::round((delivered + 7) * number(list, r, "BIRIMFIYAT") * 100) / 100);

    const int before = list.rowCount();
    auto deleted = calls().call("BakiyeDuzenle", request(s_dealer, list, r, number(list, r, "MIKTAR"), 7));
    ASSERT_TRUE(deleted) << deleted.error().message.toStdString();
    list = balances();
    EXPECT_EQ(list.rowCount(), before - 1);
    EXPECT_EQ(rowOf(list, line), -1);
    // The line itself stays among all order lines, with nothing left open.
    const Protocol::ClientTable all = calls().table("TumSiparislerVer", {qint32(s_dealer.FCARINO), qint32(0)});
    const int kept = rowOf(all, line);
    ASSERT_GE(kept, 0);
    EXPECT_EQ(number(all, kept, "KALAN"), 0);
}

TEST_F(Balances, RepresentativeChangesPriceAndDiscount)
{
    Protocol::ClientTable list = balances();
    ASSERT_GT(list.rowCount(), 0);
    const qint64 line = integer(list, 0, "STOKHAR_NO");
    const double ordered = number(list, 0, "MIKTAR");
    Values change = request(s_rep, list, 0, ordered, ordered);
    change[1] = qint32(0); // the window sends no part number with a price change
    change.push_back(200.0);
    change.push_back(10.0);
    auto done = calls().call("BakiyeFiyatDegistir", change);
    ASSERT_TRUE(done) << done.error().message.toStdString();

    list = balances();
    const int r = rowOf(list, line);
    ASSERT_GE(r, 0);
    EXPECT_EQ(number(list, r, "BIRIMFIYAT"), 200.0);
    EXPECT_EQ(number(list, r, "INDIRIMORANI1"), 10.0);
    EXPECT_EQ(number(list, r, "INDIRIMORANI2"), 0.0);
    EXPECT_EQ(number(list, r, "NETBIRIMFIYAT"), 180.0);
    EXPECT_EQ(text(list, r, "INDIRIMYAZI"), u"10"_s);

    // A dealer may not change prices.
    Values byDealer = change;
    byDealer[0] = s_dealer;
    auto refused = calls().call("BakiyeFiyatDegistir", byDealer);
    ASSERT_FALSE(refused);
    EXPECT_FALSE(refused.error().message.isEmpty());
}

// Each refused request answers an error and changes nothing at all.
TEST_F(Balances, RefusedChangesLeaveEverythingAsItWas)
{
    const Protocol::ClientTable list = balances();
    ASSERT_GT(list.rowCount(), 1);
    const double miktar = number(list, 1, "MIKTAR");
    const double kalan = number(list, 1, "KALAN");
    const auto base = [&](double adet, double bakiye) { return request(s_dealer, list, 1, adet, bakiye); };

    Protocol::TSonucBilgisi otherCustomer = s_dealer;
    otherCustomer.FCARINO = s_dealer.FCARINO + 1;
    Protocol::TSonucBilgisi wrongPassword = s_dealer;
    wrongPassword.FSIFRE = u"' OR '1'='1"_s;
    Protocol::TSonucBilgisi otherRep = Calls(*s_server).login(u"TEMSILCI2"_s);
    otherRep.FCARINO = s_dealer.FCARINO; // not one of his customers

    struct Case
    {
        const char *what;
        const char *operation;
        Values inputs;
    };
    std::vector<Case> cases = {
        {"a dealer naming another customer", "BakiyeDegistir", base(5, 5)},
        {"a wrong password", "BakiyeDegistir", base(5, 5)},
        {"a representative naming a customer not his", "BakiyeDuzenle", base(miktar, kalan)},
        {"no session record", "BakiyeDuzenle", base(miktar, kalan)},
        {"a zero quantity", "BakiyeDegistir", base(0, 0)},
        {"a negative quantity", "BakiyeDegistir", base(-4, -4)},
        {"an absurd quantity", "BakiyeDegistir", base(1e12, 1e12)},
        {"a fractional quantity", "BakiyeDegistir", base(2.5, 2.5)},
        {"the largest double", "BakiyeDegistir", base(std::numeric_limits<double>::max(), 3)},
        {"two different quantities", "BakiyeDegistir", base(3, 4)},
        {"a stale remaining quantity", "BakiyeDuzenle", base(miktar, kalan + 1)},
        {"another code", "BakiyeDuzenle", base(miktar, kalan)},
        {"another basket line", "BakiyeDuzenle", base(miktar, kalan)},
        {"an order line that does not exist", "BakiyeDuzenle", base(miktar, kalan)},
    };
    std::get<Protocol::TSonucBilgisi>(cases[0].inputs[0]) = otherCustomer;
    std::get<Protocol::TSonucBilgisi>(cases[1].inputs[0]) = wrongPassword;
    std::get<Protocol::TSonucBilgisi>(cases[2].inputs[0]) = otherRep;
    cases[3].inputs[0] = std::monostate{};
    cases[11].inputs[6] = u"'; DELETE FROM siparis_satirlari; --"_s;
    cases[12].inputs[2] = qint32(std::get<qint32>(cases[12].inputs[2]) + 100000);
    cases[13].inputs[3] = qint32(2147483647);

    const struct
    {
        const char *what;
        double price;
        double rate;
    } badPrices[] = {{"a negative price", -1, 5},
                     {"a zero price", 0, 5},
                     {"a discount over 100", 100, 150},
                     {"a negative discount", 100, -1},
                     {"a price of 10^12", 1e12, 5}};
    for (const auto &p : badPrices) {
        Values inputs = request(s_rep, list, 1, miktar, miktar);
        inputs.push_back(p.price);
        inputs.push_back(p.rate);
        cases.push_back({p.what, "BakiyeFiyatDegistir", inputs});
    }

    for (const Case &c : cases) {
        auto answer = calls().call(c.operation, c.inputs);
        ASSERT_FALSE(answer) << c.what;
        EXPECT_FALSE(answer.error().message.isEmpty()) << c.what;
    }
    // A dealer naming another customer, with one of that customer's own balances.
    const qint32 otherNo = qint32(otherCustomer.FCARINO);
    const Protocol::ClientTable theirs = calls().table("BakiyelerVer2", {otherNo});
    ASSERT_GT(theirs.rowCount(), 0);
    auto foreign = calls().call("BakiyeDuzenle", request(otherCustomer, theirs, 0, number(theirs, 0, "MIKTAR"),
                                                          number(theirs, 0, "KALAN")));
    ASSERT_FALSE(foreign);
    EXPECT_EQ(calls().table("BakiyelerVer2", {otherNo}).rowCount(), theirs.rowCount());

    const Protocol::ClientTable after = balances();
    ASSERT_EQ(after.rowCount(), list.rowCount());
    for (int r = 0; r < list.rowCount(); ++r) {
        EXPECT_EQ(number(after, r, "KALAN"), number(list, r, "KALAN"));
        EXPECT_EQ(number(after, r, "MIKTAR"), number(list, r, "MIKTAR"));
        EXPECT_EQ(number(after, r, "BIRIMFIYAT"), number(list, r, "BIRIMFIYAT"));
        EXPECT_EQ(text(after, r, "ACIKLAMA"), text(list, r, "ACIKLAMA"));
    }
}

} // namespace
