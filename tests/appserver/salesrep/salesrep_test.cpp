// The customer selection's server side against the real server: which customers a user
// sees and finds, the state lists and their counts, and the PDF reports.

#include "tests/appserver/account/methodcalls.h"

#include <QSet>

using namespace MethodTests;
using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

class SalesRep : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (!s_server->ok())
            return;
        const Calls calls(*s_server);
        s_rep = calls.login(u"TEMSILCI"_s);
        s_rep2 = calls.login(u"TEMSILCI2"_s);
        s_manager = calls.login(u"YONETICI"_s);
        s_dealer = calls.login(u"BAYI"_s);
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }

    QSet<qint64> customerNumbers(const Protocol::ClientTable &table) const
    {
        QSet<qint64> numbers;
        for (int r = 0; r < table.rowCount(); ++r)
            numbers.insert(integer(table, r, "CARINO"));
        return numbers;
    }

    static Support::AppServer *s_server;
    static Protocol::TSonucBilgisi s_rep, s_rep2, s_manager, s_dealer;
};

Support::AppServer *SalesRep::s_server = nullptr;
Protocol::TSonucBilgisi SalesRep::s_rep, SalesRep::s_rep2, SalesRep::s_manager, SalesRep::s_dealer;

TEST_F(SalesRep, CustomerListHasTheColumnsTheWindowShows)
{
    const Protocol::ClientTable all = calls().table("CariAra", {s_rep, QString()});
    ASSERT_GT(all.rowCount(), 0);
    const struct
    {
        const char *name;
        ColumnKind kind;
    } columns[] = {
        {"CARINO", ColumnKind::Int32},     {"CARIKOD", ColumnKind::Text},
        {"CARIADI", ColumnKind::Text},     {"SATICISI", ColumnKind::Text},
        {"TLBAKIYE", ColumnKind::Float},   {"DURUM", ColumnKind::Text},
        {"OZELKOD", ColumnKind::Text},     {"KOD5", ColumnKind::Text},
        {"TEL1", ColumnKind::Text},        {"IL", ColumnKind::Text},
        {"GSM", ColumnKind::Text},         {"SEPET", ColumnKind::Int32},
        {"YETKILI", ColumnKind::Text},     {"INDIRIM", ColumnKind::Float},
        {"VADE", ColumnKind::Int32},       {"VADEKONTROLAY", ColumnKind::Int32},
        {"VERGINO", ColumnKind::Text},     {"ADRES2", ColumnKind::Text},
        {"ALTGRUP", ColumnKind::Text},     {"FAX2", ColumnKind::Text},
        {"EMAIL", ColumnKind::Text},       {"ALINDI", ColumnKind::Int32},
        {"ONAYLANDI", ColumnKind::Int32},  {"GORULDU", ColumnKind::Int32},
        {"HAZIRLANDI", ColumnKind::Int32}, {"PARCALIHAZIRLANDI", ColumnKind::Int32},
    };
    for (const auto &c : columns) {
        const int index = all.columnIndex(QString::fromLatin1(c.name));
        ASSERT_GE(index, 0) << c.name;
        EXPECT_EQ(all.column(index).kind, c.kind) << c.name;
    }
}

// Each representative sees his own customers only, the manager all of them, a dealer his
// own account.
TEST_F(SalesRep, EachUserSeesOnlyHisCustomers)
{
    const Protocol::ClientTable mine = calls().table("CariAra", {s_rep, QString()});
    const Protocol::ClientTable theirs = calls().table("CariAra", {s_rep2, QString()});
    const Protocol::ClientTable everyone = calls().table("CariAra", {s_manager, QString()});
    ASSERT_GT(mine.rowCount(), 0);
    ASSERT_GT(theirs.rowCount(), 0);
    for (int r = 0; r < mine.rowCount(); ++r) {
        EXPECT_EQ(text(mine, r, "SATICISI"), s_rep.FSaticiAdi);
    }
    for (int r = 0; r < theirs.rowCount(); ++r) {
        EXPECT_EQ(text(theirs, r, "SATICISI"), s_rep2.FSaticiAdi);
    }
    EXPECT_FALSE(customerNumbers(mine).intersects(customerNumbers(theirs)));
    EXPECT_EQ(customerNumbers(everyone), customerNumbers(mine) | customerNumbers(theirs));

    const Protocol::ClientTable own = calls().table("CariAra", {s_dealer, QString()});
    ASSERT_EQ(own.rowCount(), 1);
    EXPECT_EQ(integer(own, 0, "CARINO"), s_dealer.FCARINO);

    // The basket state list and its count follow the same rule.
    const Protocol::ClientTable baskets = calls().table("CariSepetVer", {s_rep, qint32(1)});
    EXPECT_TRUE(customerNumbers(mine).contains(customerNumbers(baskets)));
}

TEST_F(SalesRep, SearchFoldsTurkishLettersAndTakesAnyTextSafely)
{
    const Protocol::ClientTable all = calls().table("CariAra", {s_manager, QString()});
    ASSERT_GT(all.rowCount(), 0);
    // Customer 1 of the demo data is "ÖZTÜRK ...".
    const struct
    {
        QString search;
        int minimum; // rows at least
        int maximum; // rows at most
    } cases[] = {
        {QString(), all.rowCount(), all.rowCount()},
        {u"öztürk"_s, 2, all.rowCount() - 1},
        {u"ÖZTÜRK OTO"_s, 0, all.rowCount() - 1},
        {u"%"_s, 0, 0},
        {u"_"_s, 0, 0},
        {u"'; DROP TABLE cariler; --"_s, 0, 0},
        {u"\" OR 1=1 --"_s, 0, 0},
        {QString(10000, u'A'), 0, 0},
    };
    for (const auto &c : cases) {
        const Protocol::ClientTable found = calls().table("CariAra", {s_manager, c.search});
        EXPECT_GE(found.rowCount(), c.minimum) << c.search.left(40).toStdString();
        EXPECT_LE(found.rowCount(), c.maximum) << c.search.left(40).toStdString();
    }
    // Turkish letters, case and blanks around the text do not change what is found.
    const QSet<qint64> folded = customerNumbers(calls().table("CariAra", {s_manager, u"öztürk"_s}));
    EXPECT_TRUE(folded.contains(1));
    for (const QString &variant : {u"OZTURK"_s, u"ÖZTÜRK"_s, u"  Öztürk  "_s, u"oztÜrk"_s}) {
        EXPECT_EQ(customerNumbers(calls().table("CariAra", {s_manager, variant})), folded) << variant.toStdString();
    }
    EXPECT_EQ(calls().table("CariAra", {s_manager, QString()}).rowCount(), all.rowCount()) << "nothing dropped";
}

// The state lists hold the customers with something in that state, and the counts on the
// buttons are the sums of the list's columns.
TEST_F(SalesRep, StateListsAndButtonCountsAgree)
{
    const Protocol::ClientTable mine = calls().table("CariAra", {s_rep, QString()});
    const Protocol::Value counted = calls().value("TusSonuclariVer", {s_rep});
    const auto *counts = std::get_if<Protocol::TTusSonuclari>(&counted);
    ASSERT_NE(counts, nullptr);
    const struct
    {
        qint32 n;
        const char *column;
        qint32 expected;
    } states[] = {{2, "ALINDI", counts->FAlindi},         {3, "ONAYLANDI", counts->FOnaylandi},
                  {4, "GORULDU", counts->FGoruldu},       {5, "PARCALIHAZIRLANDI", counts->FParcaliHazirlandi},
                  {6, "HAZIRLANDI", counts->FHazirlandi}, {7, "SEVKEDILDI", counts->FSevkEdildi}};
    for (const auto &s : states) {
        qint64 sum = 0;
        QSet<qint64> with;
        for (int r = 0; r < mine.rowCount(); ++r) {
            sum += integer(mine, r, s.column);
            if (integer(mine, r, s.column) > 0)
                with.insert(integer(mine, r, "CARINO"));
        }
        EXPECT_EQ(sum, s.expected) << s.column;
        EXPECT_EQ(customerNumbers(calls().table("CariSepetVer", {s_rep, s.n})), with) << s.column;
    }
    EXPECT_GT(counts->FSevkEdildi, 0);

    const Protocol::ClientTable baskets = calls().table("CariSepetVer", {s_rep, qint32(1)});
    for (int r = 0; r < baskets.rowCount(); ++r) {
        EXPECT_GT(integer(baskets, r, "SEPET"), 0);
    }
    const Protocol::Value basketCount = calls().value("SepetSayisi", {s_rep});
    ASSERT_TRUE(std::holds_alternative<qint32>(basketCount));
    EXPECT_EQ(std::get<qint32>(basketCount), baskets.rowCount());
    EXPECT_GT(baskets.rowCount(), 0);

    for (const qint32 n : {qint32(0), qint32(8), qint32(-1), qint32(2147483647)}) {
        const Protocol::ClientTable none = calls().table("CariSepetVer", {s_rep, n});
        EXPECT_EQ(none.rowCount(), 0) << n;
        EXPECT_TRUE(none.hasColumn(u"CARINO")) << n;
    }
}

// A record the user may not use is refused by every operation that takes it.
TEST_F(SalesRep, ForeignOrForgedRecordsAreRefused)
{
    Protocol::TSonucBilgisi notHis = s_rep;
    notHis.FCARINO = 2;
    Protocol::TSonucBilgisi otherDealer = s_dealer;
    otherDealer.FCARINO = 2;
    Protocol::TSonucBilgisi forged = s_rep;
    forged.FSIFRE = u"x"_s;
    Protocol::TSonucBilgisi inactive = s_dealer;
    inactive.FSirano = 7; // PASIF, inactive in the demo data
    inactive.FADI = u"PASIF"_s;
    inactive.FSIFRE = u"1234"_s;
    const Protocol::Value records[] = {notHis, otherDealer, forged, inactive, std::monostate{}};
    for (const Protocol::Value &record : records) {
        for (const auto &[operation, inputs] :
             std::initializer_list<std::pair<const char *, Values>>{{"CariAra", {record, QString()}},
                                                                    {"CariSepetVer", {record, qint32(1)}},
                                                                    {"SepetSayisi", {record}},
                                                                    {"TusSonuclariVer", {record}}}) {
            auto answer = calls().call(operation, inputs);
            ASSERT_FALSE(answer) << operation;
            EXPECT_FALSE(answer.error().message.isEmpty());
        }
    }
}

TEST_F(SalesRep, ReportsArePdfsOfTheAnnouncedSize)
{
    const double today = oleDay(QDate::currentDate());
    const double before = oleDay(QDate::currentDate().addDays(-120));
    const qint32 customer = 1; // one of TEMSILCI's
    const struct
    {
        const char *what;
        Values inputs;
    } cases[] = {
        {"customer summary", {qint32(6), qint32(6), s_rep.FSirano, customer, s_rep.FSaticiAdi, today, today}},
        {"receivables of all", {qint32(6), qint32(6), s_manager.FSirano, qint32(0), s_manager.FADI, today, today}},
        {"receivables of one representative",
         {qint32(6), qint32(6), s_manager.FSirano, qint32(0), s_rep.FSaticiAdi, today, today}},
        {"receivables with a dot", {qint32(6), qint32(6), s_rep.FSirano, qint32(0), u"."_s, today, today}},
        {"sales table", {qint32(7), qint32(7), s_rep.FSirano, customer, s_rep.FSaticiAdi, before, today}},
        {"sales table, reversed range", {qint32(7), qint32(7), s_rep.FSirano, customer, u"."_s, today, before}},
    };
    for (const auto &c : cases) {
        auto answer = calls().call("RaporGetir", c.inputs);
        ASSERT_TRUE(answer) << c.what << ": " << answer.error().message.toStdString();
        ASSERT_EQ(answer->size(), 2u);
        const qint64 size = std::get<qint64>(answer->at(0));
        const auto &stream = std::get<Protocol::Stream>(answer->at(1));
        EXPECT_TRUE(stream.bytes.startsWith("%PDF-")) << c.what;
        EXPECT_TRUE(stream.bytes.trimmed().endsWith("%%EOF")) << c.what;
        EXPECT_EQ(size, stream.bytes.size()) << c.what;
    }
}

TEST_F(SalesRep, ReportRequestsOutsideTheUsersReachAreRefused)
{
    const double today = oleDay(QDate::currentDate());
    const struct
    {
        const char *what;
        Values inputs;
    } cases[] = {
        {"an unknown report", {qint32(99), qint32(99), s_rep.FSirano, qint32(1), u"."_s, today, today}},
        {"another representative's customer", {qint32(6), qint32(6), s_rep.FSirano, qint32(2), u"."_s, today, today}},
        {"another customer for a dealer", {qint32(6), qint32(6), s_dealer.FSirano, qint32(2), u"."_s, today, today}},
        {"an unknown user", {qint32(6), qint32(6), qint32(999999), qint32(1), u"."_s, today, today}},
        {"an inactive user", {qint32(6), qint32(6), qint32(7), qint32(4), u"."_s, today, today}},
        {"no customer for the sales table", {qint32(7), qint32(7), s_rep.FSirano, qint32(0), u"."_s, today, today}},
        {"an absurd date", {qint32(6), qint32(6), s_rep.FSirano, qint32(1), u"."_s, 1e9, 1e9}},
    };
    for (const auto &c : cases) {
        auto answer = calls().call("RaporGetir", c.inputs);
        ASSERT_FALSE(answer) << c.what;
        EXPECT_FALSE(answer.error().message.isEmpty()) << c.what;
    }
}

} // namespace
