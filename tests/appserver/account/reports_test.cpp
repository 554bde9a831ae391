// The reports window's two tables against the real server: columns of exactly the declared
// names and kinds, and rows only of the customers the user may see.

#include "methodcalls.h"

#include <QSet>

using namespace MethodTests;
using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

class Reports : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_server = new Support::AppServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }

    // The demo history lies within the last 180 days.
    static Values range(const Protocol::TSonucBilgisi &record, int fromDaysAgo = 200, int toDaysAgo = 0)
    {
        const QDate today = QDate::currentDate();
        return {record, oleDay(today.addDays(-fromDaysAgo)), oleDay(today.addDays(-toDaysAgo))};
    }

    static Support::AppServer *s_server;
};

Support::AppServer *Reports::s_server = nullptr;

struct Declared
{
    const char *name;
    ColumnKind kind;
    int size = 0; // text columns: the declared length
};

void expectExactly(const Protocol::ClientTable &table, std::initializer_list<Declared> columns)
{
    ASSERT_EQ(table.columnCount(), int(columns.size()));
    int c = 0;
    for (const Declared &d : columns) {
        EXPECT_EQ(table.column(c).name, QString::fromLatin1(d.name));
        EXPECT_EQ(table.column(c).kind, d.kind) << d.name;
        if (d.size) {
            EXPECT_EQ(table.column(c).size, d.size) << d.name;
        }
        ++c;
    }
}

TEST_F(Reports, TablesHaveTheDeclaredColumns)
{
    const Protocol::TSonucBilgisi rep = calls().login(u"TEMSILCI"_s);
    const Protocol::ClientTable orders = calls().table("RaporAlinanSiparisler", range(rep));
    ASSERT_GT(orders.rowCount(), 0);
    expectExactly(orders, {{"SATICIADI", ColumnKind::Text, 50},
                           {"IDNO", ColumnKind::Float},
                           {"CARINO", ColumnKind::Int32},
                           {"TARIH", ColumnKind::DateTime},
                           {"KUR", ColumnKind::Text, 5},
                           {"KURTL", ColumnKind::Float},
                           {"VERENIDNO", ColumnKind::Int32},
                           {"KARGO", ColumnKind::Text, 50},
                           {"TESLIM", ColumnKind::Text, 50},
                           {"VEREN", ColumnKind::Text, 50},
                           {"CARIKOD", ColumnKind::Text, 25},
                           {"CARIADI", ColumnKind::Text, 100},
                           {"DURUM", ColumnKind::Text, 100},
                           {"KARGOADI", ColumnKind::Text, 50},
                           {"VERGI", ColumnKind::Float},
                           {"NETTUTAR", ColumnKind::Float},
                           {"TUTAR", ColumnKind::Float}});
    EXPECT_EQ(orders.column(orders.columnIndex(u"TARIH")).typeCode, 2) << "a date";

    const Protocol::ClientTable parts = calls().table("RaporEnCokSatilanStoklar", range(rep));
    ASSERT_GT(parts.rowCount(), 0);
    expectExactly(parts, {{"BARKOD", ColumnKind::Text, 50},
                          {"KOD", ColumnKind::Text, 50},
                          {"ADI", ColumnKind::Text, 100},
                          {"DEPARTMAN", ColumnKind::Text, 50},
                          {"MIKTAR", ColumnKind::Float},
                          {"NETTUTAR", ColumnKind::Float},
                          {"TLVERGI", ColumnKind::Float},
                          {"TUTAR", ColumnKind::Float}});
    for (int r = 1; r < parts.rowCount(); ++r) {
        EXPECT_GE(number(parts, r - 1, "MIKTAR"), number(parts, r, "MIKTAR")) << "most sold first";
    }
}

// A representative's report holds only his customers' orders, a dealer's only his own, all
// within the range; the reversed range holds nothing.
TEST_F(Reports, RowsAreTheUsersOwnWithinTheRange)
{
    const Protocol::TSonucBilgisi rep = calls().login(u"TEMSILCI"_s);
    const Protocol::TSonucBilgisi dealer = calls().login(u"BAYI"_s);
    const Protocol::ClientTable customers = calls().table("CariAra", {rep, QString()});
    QSet<qint64> his;
    for (int r = 0; r < customers.rowCount(); ++r)
        his.insert(integer(customers, r, "CARINO"));
    ASSERT_FALSE(his.isEmpty());

    const QDate from = QDate::currentDate().addDays(-60);
    const Protocol::ClientTable orders = calls().table("RaporAlinanSiparisler", range(rep, 60, 0));
    ASSERT_GT(orders.rowCount(), 0);
    for (int r = 0; r < orders.rowCount(); ++r) {
        EXPECT_TRUE(his.contains(integer(orders, r, "CARINO"))) << integer(orders, r, "CARINO");
        EXPECT_EQ(text(orders, r, "SATICIADI"), rep.FSaticiAdi);
        EXPECT_GE(cell(orders, r, "TARIH").toDate(), from);
    }
    const Protocol::ClientTable own = calls().table("RaporAlinanSiparisler", range(dealer));
    ASSERT_GT(own.rowCount(), 0);
    for (int r = 0; r < own.rowCount(); ++r) {
        EXPECT_EQ(integer(own, r, "CARINO"), dealer.FCARINO);
    }
    EXPECT_LT(own.rowCount(), calls().table("RaporAlinanSiparisler", range(rep)).rowCount());

    EXPECT_EQ(calls().table("RaporAlinanSiparisler", range(rep, 0, 200)).rowCount(), 0);
    EXPECT_EQ(calls().table("RaporEnCokSatilanStoklar", range(rep, 0, 200)).rowCount(), 0);
}

TEST_F(Reports, BadDatesAndRecordsAreRefused)
{
    const Protocol::TSonucBilgisi rep = calls().login(u"TEMSILCI"_s);
    Protocol::TSonucBilgisi forged = rep;
    forged.FSirano = rep.FSirano + 1;
    Protocol::TSonucBilgisi notHis = rep;
    notHis.FCARINO = 2; // the other representative's customer
    const double today = oleDay(QDate::currentDate());
    const struct
    {
        const char *what;
        Values inputs;
    } cases[] = {
        {"a date in year 30000", {rep, today, 1e7}},
        {"a date before 1900", {rep, -1000.0, today}},
        {"a forged record", {forged, today - 30, today}},
        {"another representative's customer", {notHis, today - 30, today}},
        {"no record", {std::monostate{}, today - 30, today}},
    };
    for (const char *operation : {"RaporAlinanSiparisler", "RaporEnCokSatilanStoklar"}) {
        for (const auto &c : cases) {
            auto answer = calls().call(operation, c.inputs);
            ASSERT_FALSE(answer) << operation << ": " << c.what;
            EXPECT_FALSE(answer.error().message.isEmpty());
        }
    }
}

} // namespace
