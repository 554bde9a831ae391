// The demo data: the same options give the same data, and the data holds together the way
// the server's operations will rely on.

#include "storefixture.h"

#include "appserver/store/sql.h"

using namespace Qt::StringLiterals;

namespace StoreTest {
namespace {

using Seed = StoreFixture;

// Every seeded table with its key order (settings hold a random secret and are left out).
const std::pair<QString, QString> kSeededTables[] = {
    {u"stoklar"_s, u"stokno"_s},
    {u"saticilar"_s, u"saticino"_s},
    {u"cariler"_s, u"carino"_s},
    {u"kullanicilar"_s, u"sirano"_s},
    {u"satici_cariler"_s, u"saticino, carino"_s},
    {u"cari_iskontolari"_s, u"id"_s},
    {u"cari_ozel_fiyatlar"_s, u"carino, stokno"_s},
    {u"sepet"_s, u"sirano"_s},
    {u"siparisler"_s, u"idno"_s},
    {u"siparis_satirlari"_s, u"sirano"_s},
    {u"faturalar"_s, u"idno"_s},
    {u"stok_hareketleri"_s, u"id"_s},
    {u"tahsilatlar"_s, u"id"_s},
    {u"tahsilat_satirlari"_s, u"id"_s},
    {u"sanalpos"_s, u"sirano"_s},
    {u"cari_hareketler"_s, u"idno"_s},
    {u"duyurular"_s, u"sirano"_s},
    {u"acilis_reklamlari"_s, u"sirano"_s},
    {u"bannerlar"_s, u"ad"_s},
    {u"kargolar"_s, u"sirano"_s},
};

TEST_F(Seed, SameOptionsGiveTheSameDataOtherOptionsDoNot)
{
    auto twin = openNew(u"twin.db"_s);
    auto otherDay = openNew(u"other-day.db"_s, kParts, anchor().addDays(1));
    auto bigger = openNew(u"bigger.db"_s, kParts + 1);
    ASSERT_TRUE(twin && otherDay && bigger);

    for (const auto &[table, order] : kSeededTables) {
        EXPECT_EQ(digest(db->connection(), table, order), digest(twin->connection(), table, order))
            << table.toStdString();
    }
    EXPECT_NE(digest(db->connection(), u"siparisler"_s, u"idno"_s),
              digest(otherDay->connection(), u"siparisler"_s, u"idno"_s))
        << "the history follows the anchor date";
    EXPECT_NE(digest(db->connection(), u"stoklar"_s, u"stokno"_s),
              digest(bigger->connection(), u"stoklar"_s, u"stokno"_s));
    EXPECT_EQ(db->setting(u"seed_parts"_s), QString::number(kParts));
    EXPECT_EQ(db->setting(u"seed_anchor"_s), u"2025-03-10"_s);
}

TEST_F(Seed, SizeFollowsTheParameter)
{
    EXPECT_EQ(count(db->connection(), u"SELECT COUNT(*) FROM stoklar"_s), kParts);
    EXPECT_EQ(count(db->connection(), u"SELECT MAX(stokno) FROM stoklar"_s), kParts);

    auto empty = openNew(u"empty.db"_s, 0);
    ASSERT_TRUE(empty);
    QSqlDatabase c = empty->connection();
    EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM stoklar"_s), 0);
    EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM siparisler"_s), 0);
    EXPECT_GT(count(c, u"SELECT COUNT(*) FROM cariler"_s), 0);
    EXPECT_EQ(empty->demoUsers().size(), db->demoUsers().size());
}

// Each query counts the rows that break one rule; every count must be 0.
TEST_F(Seed, DataHoldsTogether)
{
    const std::pair<const char *, QString> rules[] = {
        {"customer balances are the sums of the statement",
         u"SELECT COUNT(*) FROM cariler c WHERE"
         u" ABS(c.tlborc - COALESCE((SELECT SUM(borc) FROM cari_hareketler h WHERE h.carino = c.carino), 0)) > 0.005"
         u" OR ABS(c.tlalacak - COALESCE((SELECT SUM(alacak) FROM cari_hareketler h WHERE h.carino = c.carino), 0)) > 0.005"_s},
        {"an open balance is what is not delivered",
         u"SELECT COUNT(*) FROM siparis_satirlari WHERE kalan < 0 OR ABS(kalan - (miktar - teslim_edilen)) > 0.0001"_s},
        {"order quantities are whole packages",
         u"SELECT COUNT(*) FROM siparis_satirlari l JOIN stoklar s ON s.stokno = l.stokno"
         u" WHERE CAST(l.miktar AS INTEGER) % s.koliadet <> 0"_s},
        {"only shipped orders have deliveries",
         u"SELECT COUNT(*) FROM siparis_satirlari l JOIN siparisler o ON o.idno = l.idno"
         u" WHERE o.durum <> 6 AND l.teslim_edilen > 0"_s},
        {"an invoice's base is the sum of its lines",
         u"SELECT COUNT(*) FROM faturalar f WHERE ABS(f.matrah - (SELECT SUM(nettutar) FROM stok_hareketleri h"
         u" WHERE h.fatura = f.idno)) > 0.005"_s},
        {"an invoice's total is base plus tax",
         u"SELECT COUNT(*) FROM faturalar WHERE ABS(kdvdahil - (matrah + kdvtutar)) > 0.005"_s},
        {"every invoice is on its customer's statement with its total",
         u"SELECT COUNT(*) FROM faturalar f WHERE NOT EXISTS (SELECT 1 FROM cari_hareketler h"
         u" WHERE h.fatura = f.idno AND h.carino = f.carino AND ABS(h.borc - f.kdvdahil) < 0.005)"_s},
        {"every collection is on the statement",
         u"SELECT COUNT(*) FROM tahsilatlar t WHERE NOT EXISTS (SELECT 1 FROM cari_hareketler h"
         u" WHERE h.tahsilat = t.id AND h.carino = t.carino)"_s},
        {"a collection is the sum of its rows",
         u"SELECT COUNT(*) FROM cari_hareketler h WHERE h.tahsilat IS NOT NULL AND ABS(h.borc + h.alacak -"
         u" (SELECT SUM(tutar) FROM tahsilat_satirlari r WHERE r.tahsilat = h.tahsilat)) > 0.005"_s},
        {"card receipts are PDFs of card collections",
         u"SELECT COUNT(*) FROM sanalpos p WHERE substr(p.pdf, 1, 5) <> CAST('%PDF-' AS BLOB)"
         u" OR NOT EXISTS (SELECT 1 FROM tahsilat_satirlari r WHERE r.tahsilat = p.tahsilat AND r.cins = 'Kredi Kartı')"_s},
        {"dealers have an account, representatives their own number",
         u"SELECT COUNT(*) FROM kullanicilar WHERE (tipi >= 3 AND carino IS NULL)"
         u" OR (tipi <= 2 AND (saticino IS NULL OR carino IS NOT NULL))"_s},
        {"every customer has a representative who may see it",
         u"SELECT COUNT(*) FROM cariler c WHERE NOT EXISTS (SELECT 1 FROM satici_cariler v"
         u" WHERE v.carino = c.carino AND v.saticino = c.saticino)"_s},
        {"parts: package >= 1, tax 20, known depot states, a price",
         u"SELECT COUNT(*) FROM stoklar WHERE koliadet < 1 OR kdv <> 20 OR durum NOT BETWEEN 0 AND 5"
         u" OR durum2 NOT BETWEEN 0 AND 5 OR fiyat <= 0 OR (kampanya > 0) <> (kampfiyat > 0)"_s},
        {"foreign keys", u"SELECT COUNT(*) FROM pragma_foreign_key_check"_s},
    };
    QSqlDatabase c = db->connection();
    for (const auto &[rule, sql] : rules)
        EXPECT_EQ(count(c, sql), 0) << rule;

    // And there is something to look at in every list.
    const std::pair<const char *, QString> present[] = {
        {"open balances", u"SELECT COUNT(*) FROM siparis_satirlari WHERE kalan > 0"_s},
        {"orders in every state", u"SELECT COUNT(DISTINCT durum) - 5 FROM siparisler"_s},
        {"the demo dealer's basket", u"SELECT COUNT(*) FROM sepet WHERE carino = 1 AND sec = 1"_s},
        {"card payments", u"SELECT COUNT(*) FROM sanalpos"_s},
        {"new parts", u"SELECT COUNT(*) FROM stoklar WHERE yeni = 1"_s},
        {"campaign parts", u"SELECT COUNT(*) FROM stoklar WHERE kampanya > 0"_s},
        {"package quantities above 1", u"SELECT COUNT(*) FROM stoklar WHERE koliadet > 1"_s},
        {"a cargo type with a single carrier",
         u"SELECT COUNT(*) FROM (SELECT kargo_turu FROM kargolar GROUP BY kargo_turu HAVING COUNT(*) = 1) x"_s},
        {"at least three delivery options", u"SELECT COUNT(*) - 2 FROM teslim_sekilleri"_s},
    };
    for (const auto &[what, sql] : present)
        EXPECT_GT(count(c, sql), 0) << what;
}

TEST_F(Seed, PicturesAreInTheirFormats)
{
    QSqlDatabase c = db->connection();
    auto signatures = [&](const QString &sql, bool hexText) {
        QList<QByteArray> heads;
        auto query = Store::exec(c, sql);
        EXPECT_TRUE(query);
        while (query && query->next()) {
            const QByteArray bytes =
                hexText ? QByteArray::fromHex(query->value(0).toString().toLatin1()) : query->value(0).toByteArray();
            heads.append(bytes.left(4));
        }
        return heads;
    };
    const QList<QByteArray> announcements = signatures(u"SELECT resim FROM duyurular ORDER BY sira"_s, true);
    ASSERT_FALSE(announcements.isEmpty());
    for (const QByteArray &head : announcements)
        EXPECT_EQ(head, QByteArray("\x89PNG"));
    const QList<QByteArray> ads = signatures(u"SELECT resim FROM acilis_reklamlari ORDER BY sira"_s, true);
    ASSERT_FALSE(ads.isEmpty());
    for (const QByteArray &head : ads)
        EXPECT_EQ(head.left(3), QByteArray("\xFF\xD8\xFF")) << "opening advertisements are JPEG pictures";
    EXPECT_EQ(signatures(u"SELECT resim FROM bannerlar WHERE ad = 'ust'"_s, false),
              QList<QByteArray>{QByteArray("GIF8")});
    EXPECT_EQ(signatures(u"SELECT resim FROM bannerlar WHERE ad = 'alt'"_s, false).value(0).left(2), QByteArray("BM"));

    EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM duyurular WHERE arama = '#KAMPANYA#'"_s), 1);
    auto yeni = Store::scalar(c, u"SELECT COUNT(*) FROM duyurular WHERE arama = ?"_s, {u"#YENİ#"_s});
    ASSERT_TRUE(yeni);
    EXPECT_EQ(yeni->toInt(), 1);
    EXPECT_FALSE(db->setting(u"kayan_yazi"_s).trimmed().isEmpty());
}

} // namespace
} // namespace StoreTest
