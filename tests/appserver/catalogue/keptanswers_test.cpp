// The server keeps catalogue answers and its copy of the parts in memory. Whatever changes
// the data behind them, written by any program straight into the database as the
// distributor's own systems do, must show in the very next search; and a kept answer must
// never reach a user who may no longer have it.

#include "dbedit.h"

#include "tests/appserver/account/methodcalls.h"

using namespace CatalogueTests;
using namespace MethodTests;
using namespace Qt::StringLiterals;

namespace {

class KeptAnswers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.ok()) << m_server.error().toStdString();
        m_dealer = calls().login(u"BAYI"_s);
        ASSERT_GT(m_dealer.FCARINO, 0);
        const DatabaseEdit db(m_server);
        m_stokno = db.scalar(u"SELECT MIN(stokno) FROM stoklar WHERE kampanya = 0"_s).toInt();
        m_code = db.scalar(u"SELECT barkod FROM stoklar WHERE stokno = ?"_s, {m_stokno}).toString();
        db.exec(u"DELETE FROM cari_ozel_fiyatlar WHERE carino = ? AND stokno = ?"_s, {m_dealer.FCARINO, m_stokno});
    }

    Calls calls() const { return Calls(m_server); }

    // The part's row of a search for its code, asked twice so that the second answer is a kept one.
    QVariant searched(const char *column) const
    {
        Protocol::ClientTable table;
        for (int i = 0; i < 2; ++i)
            table = calls().table("StokAraGetirZerva", {m_code, m_dealer});
        for (int r = 0; r < table.rowCount(); ++r) {
            if (integer(table, r, "STOK_STOKNO") == m_stokno)
                return cell(table, r, column);
        }
        ADD_FAILURE() << "the part is missing from its own search";
        return {};
    }

    Support::AppServer m_server;
    Protocol::TSonucBilgisi m_dealer;
    int m_stokno = 0;
    QString m_code;
};

TEST_F(KeptAnswers, AChangeWrittenStraightIntoTheDatabaseShowsInTheNextSearch)
{
    const DatabaseEdit db(m_server);
    struct Case
    {
        const char *what;
        const char *column;
        QString sql; // ? is the part, then the customer where the statement has two
        QVariantList binds;
        QVariant expected;
    };
    const int carino = m_dealer.FCARINO;
    const int order = db.scalar(u"SELECT MIN(idno) FROM siparisler"_s).toInt();
    ASSERT_GT(order, 0);
    const Case cases[] = {
        {"list price", "LISTEFIYAT1", u"UPDATE stoklar SET fiyat = 123.45 WHERE stokno = ?"_s, {m_stokno}, 123.45},
        {"name", "ADI", u"UPDATE stoklar SET adi = 'YENİ ADI' WHERE stokno = ?"_s, {m_stokno}, u"YENİ ADI"_s},
        {"depot status", "DURUM2", u"UPDATE stoklar SET durum2 = 3 WHERE stokno = ?"_s, {m_stokno}, 3},
        {"special price", "FIYAT", u"INSERT INTO cari_ozel_fiyatlar (stokno, carino, fiyat) VALUES (?, ?, 99.5)"_s,
         {m_stokno, carino}, 99.5},
        {"open order quantity", "ALINANSIPARIS",
         u"INSERT INTO siparis_satirlari (idno, stokno, miktar, kalan) VALUES (?, ?, 1000, 1000)"_s,
         {order, m_stokno}, 1000.0 + db.scalar(u"SELECT COALESCE(SUM(kalan), 0) FROM siparis_satirlari"
                                                u" WHERE stokno = ? AND kalan > 0"_s,
                                                {m_stokno})
                                         .toDouble()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        (void)searched(c.column); // kept now
        db.exec(c.sql, c.binds);
        const QVariant now = searched(c.column);
        if (c.expected.typeId() == QMetaType::QString) {
            EXPECT_EQ(now.toString(), c.expected.toString());
        } else {
            EXPECT_DOUBLE_EQ(now.toDouble(), c.expected.toDouble());
        }
    }
}

TEST_F(KeptAnswers, ADiscountRowChangedForTheCustomerChangesTheRates)
{
    const DatabaseEdit db(m_server);
    db.exec(u"DELETE FROM cari_iskontolari WHERE carino = ?"_s, {m_dealer.FCARINO});
    EXPECT_DOUBLE_EQ(searched("IND1").toDouble(), 0.0);
    db.exec(u"INSERT INTO cari_iskontolari (carino, marka, anagrup, ind1, ind2, ind3, ind4)"
            u" VALUES (?, '', '', 17, 0, 0, 0)"_s,
            {m_dealer.FCARINO});
    EXPECT_DOUBLE_EQ(searched("IND1").toDouble(), 17.0);
}

TEST_F(KeptAnswers, AUserMadeInactiveGetsNoKeptAnswer)
{
    (void)searched("ADI");
    const DatabaseEdit db(m_server);
    db.exec(u"UPDATE kullanicilar SET aktif = 0 WHERE sirano = ?"_s, {m_dealer.FSirano});
    const auto refused = calls().call("StokAraGetirZerva", {m_code, m_dealer});
    EXPECT_FALSE(refused.has_value());
}

TEST_F(KeptAnswers, AnotherCustomersRecordNeverGetsTheKeptAnswer)
{
    (void)searched("ADI");
    Protocol::TSonucBilgisi other = m_dealer;
    const DatabaseEdit db(m_server);
    other.FCARINO = db.scalar(u"SELECT MIN(carino) FROM cariler WHERE carino <> ?"_s, {m_dealer.FCARINO}).toInt();
    ASSERT_GT(other.FCARINO, 0);
    EXPECT_FALSE(calls().call("StokAraGetirZerva", {m_code, other}).has_value());
}

} // namespace
