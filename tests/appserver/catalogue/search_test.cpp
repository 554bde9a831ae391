// The stock search against the real server: what it answers is exactly the parts whose
// folded search column contains the folded text (Turkish letters as typed, codes, short and
// long texts, hostile texts), with every column of the stock list in the kind the client
// reads, and only for a session record whose user may work for its customer.

#include "dbedit.h"

#include "tests/appserver/account/methodcalls.h"

#include "appserver/store/folding.h"

#include <QSqlQuery>

#include <limits>
#include <vector>

using namespace MethodTests;
using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

struct ColumnCase
{
    const char *name;
    ColumnKind kind;
};

// The stock list's columns as the catalogue windows read them.
const ColumnCase kStockColumns[] = {
    {"OEM1", ColumnKind::Text},
    {"OEM2", ColumnKind::Text},
    {"OEM3", ColumnKind::Text},
    {"BARKOD", ColumnKind::Text},
    {"OEMNO", ColumnKind::Text},
    {"ADI", ColumnKind::Text},
    {"MODEL", ColumnKind::Text},
    {"MARKA", ColumnKind::Text},
    {"OEM4", ColumnKind::Text},
    {"STOK_STOKNO", ColumnKind::Int32},
    {"FINISHKOD", ColumnKind::Text},
    {"URETICIKODU", ColumnKind::Text},
    {"RESIM", ColumnKind::Int32},
    {"BARKOD_BARKODNO", ColumnKind::Text},
    {"DIGERADI", ColumnKind::Text},
    {"DPKOD", ColumnKind::Text},
    {"BIRIM", ColumnKind::Text},
    {"ANAGRUP", ColumnKind::Text},
    {"OZELKOD", ColumnKind::Text},
    {"KALAN", ColumnKind::Float},
    {"PKOD", ColumnKind::Text},
    {"KDV", ColumnKind::Int32},
    {"ALINANSIPARIS", ColumnKind::Float},
    {"VERILENSIPARIS", ColumnKind::Float},
    {"LISTEFIYAT1", ColumnKind::Float},
    {"KAMPFIYAT", ColumnKind::Float},
    {"FIYAT", ColumnKind::Float},
    {"Y", ColumnKind::Int32},
    {"K", ColumnKind::Int32},
    {"INDIRIMYAZI", ColumnKind::Text},
    {"NETFIYAT", ColumnKind::Float},
    {"KDVDAHIL", ColumnKind::Float},
    {"DURUM", ColumnKind::Int32},
    {"DURUM2", ColumnKind::Int32},
    {"IND1", ColumnKind::Float},
    {"IND2", ColumnKind::Float},
    {"IND3", ColumnKind::Float},
    {"IND4", ColumnKind::Float},
};

void expectStockColumns(const Protocol::ClientTable &table, const char *what)
{
    for (const ColumnCase &c : kStockColumns) {
        const int index = table.columnIndex(QString::fromLatin1(c.name));
        ASSERT_GE(index, 0) << what << ": no column " << c.name;
        EXPECT_EQ(table.column(index).kind, c.kind) << what << "." << c.name;
    }
}

std::vector<int> stockNumbers(const Protocol::ClientTable &table)
{
    std::vector<int> out;
    const int col = table.columnIndex(u"STOK_STOKNO");
    for (int r = 0; r < table.rowCount(); ++r)
        out.push_back(int(table.integer(r, col)));
    return out;
}

class Search : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (!s_server->ok())
            return;
        const Calls calls(*s_server);
        s_dealer = calls.login(u"BAYI"_s);
        s_rep = calls.login(u"TEMSILCI2"_s);
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }

    // What the search must answer, worked out from the definition: every part whose search
    // column holds the folded, trimmed text, by stock number.
    std::vector<int> expected(const QString &typed) const
    {
        const QString folded = Store::foldForSearch(typed).trimmed();
        const DatabaseView view(*s_server);
        QSqlQuery query(view.db());
        query.prepare(u"SELECT stokno FROM stoklar WHERE instr(arama, ?) > 0 ORDER BY stokno"_s);
        query.addBindValue(folded);
        std::vector<int> out;
        if (!query.exec())
            ADD_FAILURE() << "reference query failed";
        while (query.next())
            out.push_back(query.value(0).toInt());
        return out;
    }

    static Support::AppServer *s_server;
    static Protocol::TSonucBilgisi s_dealer;
    static Protocol::TSonucBilgisi s_rep;
};

Support::AppServer *Search::s_server = nullptr;
Protocol::TSonucBilgisi Search::s_dealer;
Protocol::TSonucBilgisi Search::s_rep;

TEST_F(Search, AnswersEveryColumnOfTheStockListInItsKind)
{
    const Protocol::ClientTable table = calls().table("StokAraGetirZerva", {u"FREN"_s, s_dealer});
    ASSERT_GT(table.rowCount(), 0);
    expectStockColumns(table, "StokAraGetirZerva");
    // Marks and statuses carry the values the grid has icons for.
    for (int r = 0; r < table.rowCount(); ++r) {
        EXPECT_TRUE(integer(table, r, "RESIM") == 0 || integer(table, r, "RESIM") == 1);
        EXPECT_TRUE(integer(table, r, "Y") == 0 || integer(table, r, "Y") == 1);
        EXPECT_GE(integer(table, r, "K"), 0);
        for (const char *depot : {"DURUM", "DURUM2"}) {
            EXPECT_GE(integer(table, r, depot), 0);
            EXPECT_LE(integer(table, r, depot), 5);
        }
        EXPECT_LE(number(table, r, "NETFIYAT"), number(table, r, "FIYAT") + 1e-9);
    }

    // ALINANSIPARIS is what customers ordered of the part and have not received yet.
    const DatabaseView view(*s_server);
    QSqlQuery open(view.db());
    ASSERT_TRUE(open.exec(u"SELECT l.stokno, s.barkod, SUM(l.kalan) FROM siparis_satirlari l"
                          u" JOIN stoklar s ON s.stokno = l.stokno WHERE l.kalan > 0"
                          u" GROUP BY l.stokno, s.barkod ORDER BY SUM(l.kalan) DESC LIMIT 1"_s));
    ASSERT_TRUE(open.next());
    const Protocol::ClientTable ordered = calls().table("StokAraGetirZerva", {open.value(1).toString(), s_dealer});
    bool seen = false;
    for (int r = 0; r < ordered.rowCount(); ++r) {
        if (integer(ordered, r, "STOK_STOKNO") != open.value(0).toInt())
            continue;
        seen = true;
        EXPECT_DOUBLE_EQ(number(ordered, r, "ALINANSIPARIS"), open.value(2).toDouble());
    }
    EXPECT_TRUE(seen);
}

TEST_F(Search, FindsExactlyThePartsWhoseFoldedTextHoldsTheFoldedSearch)
{
    // A part code and an OEM number of this catalogue, whole and in part, with and without
    // their separators.
    const DatabaseView view(*s_server);
    const QString barkod = view.scalar(u"SELECT barkod FROM stoklar WHERE stokno = 17"_s).toString();
    const QString oem = view.scalar(u"SELECT oemno FROM stoklar WHERE oemno LIKE '% %' ORDER BY stokno"_s).toString();
    ASSERT_FALSE(barkod.isEmpty());
    ASSERT_FALSE(oem.isEmpty());
    QString oemPlain = oem;
    oemPlain.remove(u' ');

    const QString cases[] = {
        u"FREN"_s,        u"fren"_s,
        u"  Fren  "_s,    u"ŞANZIMAN"_s,
        u"şanzıman"_s,    u"SANZIMAN"_s,
        u"Şanzıman"_s,    u"amortisör"_s,
        u"AMORTISOR"_s,   u"debriyaj"_s,
        u"DEBRİYAJ"_s,    u"YAĞ FİLTRESİ"_s,
        barkod,           barkod.left(5),
        barkod.toLower(), oem,
        oemPlain,         oemPlain.mid(2, 4),
        u"1.6 TDCI"_s,    u"A"_s,
        u"7"_s,           u"FO"_s,
        u"-20"_s,         u"İ"_s,
        u"XQZ"_s,         u"ON FREN BALATASI"_s,
        QString(),
    };
    for (const QString &typed : cases) {
        SCOPED_TRACE(typed.toStdString());
        const Protocol::ClientTable table = calls().table("StokAraGetirZerva", {typed, s_dealer});
        EXPECT_EQ(stockNumbers(table), expected(typed));
    }
    // The Turkish spellings meet: what the user types in any case or spelling finds the same parts.
    const std::vector<int> sanziman = expected(u"SANZIMAN"_s);
    EXPECT_FALSE(sanziman.empty());
    EXPECT_EQ(stockNumbers(calls().table("StokAraGetirZerva", {u"şanzıman"_s, s_dealer})), sanziman);
}

TEST_F(Search, HostileTextsAreSearchedAsTextAndHarmNothing)
{
    const DatabaseView view(*s_server);
    const int parts = view.scalar(u"SELECT COUNT(*) FROM stoklar"_s).toInt();
    QString mixed;
    for (int i = 0; i < 10000; ++i)
        mixed.append(QChar(u"AŞ%_'\" -;ı"[i % 10]));

    const QString cases[] = {
        u"'"_s,
        u"%"_s,
        u"_"_s,
        u"F_EN"_s, // an underscore is a character here, not "any character"
        u"FR%N"_s,
        u"%FREN%"_s,
        u"' OR '1'='1"_s,
        u"\"; DROP TABLE stoklar; --"_s,
        u"FREN'); DELETE FROM sepet; --"_s,
        u"\\"_s,
        u"!"_s,
        QString(10000, u'A'),
        mixed,
        u"💥"_s,
        u"ŞANZIMAN 💥"_s,
    };
    for (const QString &typed : cases) {
        SCOPED_TRACE(typed.left(40).toStdString());
        auto answer = calls().call("StokAraGetirZerva", {typed, s_dealer});
        ASSERT_TRUE(answer) << answer.error().message.toStdString();
        const auto *table = std::get_if<Protocol::ClientTable>(&answer->back());
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(stockNumbers(*table), expected(typed));
    }
    EXPECT_EQ(view.scalar(u"SELECT COUNT(*) FROM stoklar"_s).toInt(), parts);
    // A character no text can hold (NUL) finds nothing rather than everything.
    const Protocol::ClientTable nul =
        calls().table("StokAraGetirZerva", {QString(u"FR"_s + QChar(0) + u"EN"_s), s_dealer});
    EXPECT_EQ(nul.rowCount(), 0);
}

TEST_F(Search, ARecordTheUserMayNotUseIsRefused)
{
    Protocol::TSonucBilgisi otherCustomer = s_dealer;
    otherCustomer.FCARINO = s_dealer.FCARINO + 1; // a dealer naming another customer
    Protocol::TSonucBilgisi wrongPassword = s_dealer;
    wrongPassword.FSIFRE = u"yanlış"_s;
    Protocol::TSonucBilgisi notAssigned = s_rep; // TEMSILCI2 does not serve customer 1
    notAssigned.FCARINO = 1;

    const std::pair<const char *, Protocol::Value> cases[] = {
        {"another customer", otherCustomer},
        {"wrong password", wrongPassword},
        {"customer not assigned to the representative", notAssigned},
        {"no record", std::monostate{}},
    };
    for (const auto &[what, record] : cases) {
        auto answer = calls().call("StokAraGetirZerva", {u"FREN"_s, record});
        EXPECT_FALSE(answer) << what;
    }
    // The same representative for one of his own customers, and before choosing any.
    Protocol::TSonucBilgisi own = s_rep;
    own.FCARINO = 2;
    EXPECT_TRUE(calls().call("StokAraGetirZerva", {u"FREN"_s, own}));
    own.FCARINO = 0;
    EXPECT_TRUE(calls().call("StokAraGetirZerva", {u"FREN"_s, own}));
}

TEST_F(Search, EnVerGivesThePackageQuantityAndRefusesAnUnknownPart)
{
    const DatabaseView view(*s_server);
    const int stokno = view.scalar(u"SELECT stokno FROM stoklar WHERE koliadet > 1 ORDER BY stokno"_s).toInt();
    ASSERT_GT(stokno, 0);
    const int koliadet = view.scalar(u"SELECT koliadet FROM stoklar WHERE stokno = ?"_s, {stokno}).toInt();
    EXPECT_EQ(std::get<qint32>(calls().value("EnVer", {qint32(stokno)})), koliadet);
    for (const qint32 unknown : {0, -1, 999999, std::numeric_limits<qint32>::min()})
        EXPECT_FALSE(calls().call("EnVer", {unknown})) << unknown;
}

} // namespace
