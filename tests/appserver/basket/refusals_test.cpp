// What the basket and the order refuse: absurd quantities, prices and rates, unknown parts
// and lines, another customer's account or line, choices that do not exist. Each refusal is
// an error of the call and leaves the basket and the orders exactly as they were. And the
// overdue warning from a customer's statement.

#include "tests/appserver/account/methodcalls.h"
#include "tests/appserver/catalogue/dbedit.h"

#include <QDate>
#include <QLocale>

#include <limits>

using namespace CatalogueTests;
using namespace MethodTests;
using namespace Qt::StringLiterals;

namespace {

class Refusals : public ::testing::Test
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
        s_rep.FCARINO = s_dealer.FCARINO;
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }

    // Everything a refused request could have touched, as one comparable text.
    QString state() const
    {
        const DatabaseEdit db(*s_server);
        return db
            .scalar(u"SELECT (SELECT COUNT(*) FROM siparisler) || '/' || (SELECT COUNT(*) FROM siparis_satirlari)"
                    u" || '/' || (SELECT COALESCE(group_concat(sirano || ':' || carino || ':' || stokno || ':'"
                    u" || miktar || ':' || birimfiyat || ':' || ind1 || ':' || sec, ','), '')"
                    u" FROM (SELECT * FROM sepet ORDER BY sirano))"_s)
            .toString();
    }

    static Support::AppServer *s_server;
    static Protocol::TSonucBilgisi s_dealer;
    static Protocol::TSonucBilgisi s_rep;
};

Support::AppServer *Refusals::s_server = nullptr;
Protocol::TSonucBilgisi Refusals::s_dealer;
Protocol::TSonucBilgisi Refusals::s_rep;

TEST_F(Refusals, BadRequestsAreErrorsAndChangeNothing)
{
    const DatabaseEdit db(*s_server);
    const int carino = s_dealer.FCARINO;
    const int stokno = db.scalar(u"SELECT MIN(stokno) FROM stoklar"_s).toInt();
    // A line of this dealer (selected, so an order could take it) and one of another customer.
    ASSERT_TRUE(calls().call("SepetEkle2", {s_dealer, qint32(carino), qint32(stokno), u""_s, u""_s, 1.0 * 10, 20.0, 0.0,
                                            0.0, qint32(0), qint32(0), 0.0, 0.0, 0.0}));
    const int own = db.scalar(u"SELECT MAX(sirano) FROM sepet WHERE carino = ?"_s, {carino}).toInt();
    db.exec(u"UPDATE sepet SET sec = 1 WHERE sirano = ?"_s, {own});
    const int theirs = db.scalar(u"SELECT MIN(sirano) FROM sepet WHERE carino <> ?"_s, {carino}).toInt();
    ASSERT_GT(theirs, 0);

    Protocol::TSonucBilgisi otherCustomer = s_dealer;
    otherCustomer.FCARINO = carino + 1;
    Protocol::TSonucBilgisi wrongPassword = s_dealer;
    wrongPassword.FSIFRE = u"0000"_s;
    Protocol::TSonucBilgisi noCustomer = s_rep;
    noCustomer.FCARINO = 0;

    const auto addition = [&](const Protocol::Value &record, qint32 forCustomer, qint32 part, double quantity,
                              double price, double ind1, double kdv = 20, double ind4 = 0) {
        return Values{record, forCustomer, part,      u"X"_s,    u"Y"_s, quantity, kdv,
                      price,  ind1,        qint32(0), qint32(0), 0.0,    0.0,      ind4};
    };
    const auto update = [&](const Protocol::Value &record, qint32 forCustomer, qint32 line, double quantity,
                            double price, double ind1) {
        return Values{record, forCustomer, qint32(0), u"X"_s, u"Y"_s, quantity, 20.0,
                      price,  ind1,        qint32(0), line,   0.0,    0.0,      0.0};
    };
    const auto order = [&](const Protocol::Value &record, qint32 delivery, qint32 cargoType, const QString &message,
                           qint32 carrier) {
        return Values{record, qint32(carino), delivery, cargoType, message, qint32(0), carrier};
    };
    const qint32 c = qint32(carino);
    const qint32 p = qint32(stokno);

    struct Case
    {
        const char *what;
        const char *operation;
        Values inputs;
    };
    const Case cases[] = {
        {"negative quantity", "SepetEkle2", addition(s_dealer, c, p, -4, 10, 0)},
        {"no quantity", "SepetEkle2", addition(s_dealer, c, p, 0, 10, 0)},
        {"part of a piece", "SepetEkle2", addition(s_dealer, c, p, 1.5, 10, 0)},
        {"absurd quantity", "SepetEkle2", addition(s_dealer, c, p, 1e9, 10, 0)},
        {"negative price", "SepetEkle2", addition(s_rep, c, p, 1, -1, 0)},
        {"absurd price", "SepetEkle2", addition(s_rep, c, p, 1, 1e15, 0)},
        {"rate above 100", "SepetEkle2", addition(s_rep, c, p, 1, 10, 100.5)},
        {"negative rate", "SepetEkle2", addition(s_rep, c, p, 1, 10, 0, 20, -3)},
        {"absurd tax rate", "SepetEkle2", addition(s_dealer, c, p, 1, 10, 0, 250)},
        {"unknown part", "SepetEkle2", addition(s_dealer, c, 999999, 1, 10, 0)},
        {"negative part number", "SepetEkle2", addition(s_dealer, c, -7, 1, 10, 0)},
        {"dealer adds for another customer", "SepetEkle2", addition(s_dealer, c + 1, p, 1, 10, 0)},
        {"dealer's record names another customer", "SepetEkle2", addition(otherCustomer, c, p, 1, 10, 0)},
        {"wrong password", "SepetEkle2", addition(wrongPassword, c, p, 1, 10, 0)},
        {"no session record", "SepetEkle2", addition(std::monostate{}, c, p, 1, 10, 0)},
        {"representative without a customer", "SepetEkle2", addition(noCustomer, 0, p, 1, 10, 0)},
        {"unknown line", "SepetGuncelle2", update(s_dealer, c, 999999, 2, 10, 0)},
        {"another customer's line", "SepetGuncelle2", update(s_dealer, c, qint32(theirs), 2, 10, 0)},
        {"change to no quantity", "SepetGuncelle2", update(s_dealer, c, qint32(own), 0, 10, 0)},
        {"change for another customer", "SepetGuncelle2", update(otherCustomer, c + 1, qint32(own), 2, 10, 0)},
        {"delete an unknown line", "SepetSatirSil", {s_dealer, qint32(999999), u"X-Y"_s}},
        {"delete another customer's line", "SepetSatirSil", {s_dealer, qint32(theirs), u"X-Y"_s}},
        {"delete with another customer's record", "SepetSatirSil", {otherCustomer, qint32(own), u"X-Y"_s}},
        {"empty another customer's basket", "SepetHepsiniSil", {otherCustomer}},
        {"empty without a record", "SepetHepsiniSil", {std::monostate{}}},
        {"selection 2", "SepetSecimGuncelle", {qint32(own), qint32(2)}},
        {"selection -1", "SepetSecimGuncelle", {qint32(own), qint32(-1)}},
        {"select an unknown line", "SepetSecimGuncelle", {qint32(999999), qint32(1)}},
        {"unknown delivery option", "SiparisKaydet", order(s_dealer, 99, 1, QString(), 1)},
        {"unknown cargo type", "SiparisKaydet", order(s_dealer, 2, 99, QString(), 1)},
        {"carrier of another cargo type", "SiparisKaydet", order(s_dealer, 2, 1, QString(), 6)},
        {"no carrier", "SiparisKaydet", order(s_dealer, 2, 1, QString(), 0)},
        {"message of 10,000 characters", "SiparisKaydet", order(s_dealer, 2, 1, QString(10000, u'M'), 1)},
        {"order for another customer", "SiparisKaydet", order(otherCustomer, 2, 1, QString(), 1)},
        {"order without a record", "SiparisKaydet", order(std::monostate{}, 2, 1, QString(), 1)},
    };
    const QString before = state();
    for (const Case &k : cases) {
        auto answer = calls().call(k.operation, k.inputs);
        EXPECT_FALSE(answer) << k.what;
        if (!answer) {
            EXPECT_FALSE(answer.error().message.isEmpty()) << k.what;
        }
    }
    EXPECT_EQ(state(), before);

    // The same order with valid choices goes through, so the refusals above were the choices'.
    auto placed = calls().call("SiparisKaydet", order(s_dealer, 2, 1, u"SQL ' ; -- metni"_s, 1));
    ASSERT_TRUE(placed) << placed.error().message.toStdString();
    EXPECT_TRUE(std::get<bool>(placed->back()));
    EXPECT_EQ(db.scalar(u"SELECT aciklama FROM siparisler ORDER BY idno DESC LIMIT 1"_s).toString(),
              u"SQL ' ; -- metni"_s);
}

TEST_F(Refusals, MalformedCustomerNumbersAnswerEmpty)
{
    for (const qint32 carino :
         {0, -1, 999999, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()}) {
        EXPECT_EQ(calls().table("SepetVer2", {carino}).rowCount(), 0) << carino;
        EXPECT_EQ(std::get<QString>(calls().value("CariVadeGunGecmismiBul", {carino})), QString()) << carino;
        EXPECT_EQ(calls().table("KargolarVer", {carino}).rowCount(), 0) << carino;
    }
}

TEST_F(Refusals, OverdueWarningFromTheStatement)
{
    const DatabaseEdit db(*s_server);
    const int carino = 7;
    const QDate today = QDate::currentDate();
    const auto day = [&](int offset) { return today.addDays(offset).toString(Qt::ISODate); };
    const QString insert = u"INSERT INTO cari_hareketler (carino, tarih, vade_tarihi, turadi, evrakno, borc, alacak)"
                           u" VALUES (?, ?, ?, 'Test', 'T', ?, ?)"_s;

    const auto shown = [&](int offset) { return today.addDays(offset).toString(u"dd.MM.yyyy"_s); };

    struct Step
    {
        const char *what;
        QString due;
        double debit;
        double credit;
        QString expected; // the start of the warning's figures; empty: no warning
    };
    const Step steps[] = {
        {"nothing owed", QString(), 0, 0, QString()},
        {"a debt not yet due", day(20), 500, 0, QString()},
        {"a debt 10 days overdue", day(-10), 1000, 0, u"1.000,00 TL borcunuz var (en eski vade "_s + shown(-10)},
        {"a payment lowers it", day(-1), 0, 300, u"700,00 TL borcunuz var (en eski vade "_s + shown(-10)},
        // Payments settle the oldest due dates first: the older debt is the one paid.
        {"an older debt", day(-40), 200, 0, u"900,00 TL borcunuz var (en eski vade "_s + shown(-10) + u", 10 gün"_s},
        {"paid in full", day(-1), 0, 900, QString()},
    };
    db.exec(u"DELETE FROM cari_hareketler WHERE carino = ?"_s, {carino});
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        if (step.debit > 0 || step.credit > 0)
            db.exec(insert, {carino, day(-50), step.due, step.debit, step.credit});
        const QString warning = std::get<QString>(calls().value("CariVadeGunGecmismiBul", {qint32(carino)}));
        if (step.expected.isEmpty()) {
            EXPECT_TRUE(warning.isEmpty()) << warning.toStdString();
            continue;
        }
        EXPECT_TRUE(warning.contains(step.expected)) << warning.toStdString();
        EXPECT_TRUE(warning.startsWith(u"Vadesi geçmiş"_s)) << warning.toStdString();
    }
}

} // namespace
