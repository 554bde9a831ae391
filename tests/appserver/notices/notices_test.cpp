// Notices against the real server: ticker, badges, announcements, opening advertisements,
// banners, the computer's customer card and the payment page's balance.

#include "tests/appserver/account/methodcalls.h"

#include <limits>

using namespace MethodTests;
using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

class Notices : public ::testing::Test
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

Support::AppServer *Notices::s_server = nullptr;
Protocol::TSonucBilgisi Notices::s_dealer;

TEST_F(Notices, TickerIsSimpleHtml)
{
    const Protocol::Value ticker = calls().value("KayanYaziGetir");
    ASSERT_TRUE(std::holds_alternative<QString>(ticker));
    const QString text = std::get<QString>(ticker);
    EXPECT_FALSE(text.trimmed().isEmpty());
    EXPECT_TRUE(text.contains(u"<b>"_s) && text.contains(u"</b>"_s)) << text.toStdString();
}

// One row of five counts read by position, the fifth a double; each is what the database holds.
TEST_F(Notices, BadgesCountWhatTheyName)
{
    const Protocol::ClientTable badges = calls().table("BalonGetir", {s_dealer});
    ASSERT_EQ(badges.rowCount(), 1);
    ASSERT_EQ(badges.columnCount(), 5);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(badges.column(c).kind, ColumnKind::Int32) << c;
    }
    EXPECT_EQ(badges.column(4).kind, ColumnKind::Float);

    const DatabaseView view(*s_server);
    const qint64 expected[] = {
        view.scalar(u"SELECT COUNT(*) FROM sepet WHERE carino = ?"_s, {s_dealer.FCARINO}).toLongLong(),
        view.scalar(u"SELECT COUNT(*) FROM stoklar WHERE yeni = 1"_s).toLongLong(),
        view.scalar(u"SELECT COUNT(*) FROM stoklar WHERE kampanya > 0"_s).toLongLong(),
        view.scalar(u"SELECT COUNT(*) FROM duyurular WHERE aktif = 1"_s).toLongLong(),
        calls().table("BakiyelerVer2", {qint32(s_dealer.FCARINO)}).rowCount(),
    };
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(badges.number(0, c), double(expected[c])) << c;
    }
    EXPECT_GT(expected[0], 0);
    EXPECT_GT(expected[3], 0);

    Protocol::TSonucBilgisi other = s_dealer;
    other.FCARINO += 1;
    EXPECT_FALSE(calls().call("BalonGetir", {other}));
    EXPECT_FALSE(calls().call("BalonGetir", {std::monostate{}}));
}

QByteArray picture(const QString &hex)
{
    return QByteArray::fromHex(hex.toLatin1());
}

TEST_F(Notices, AnnouncementsCarryTheirPicturesAsHexText)
{
    const Protocol::Value result = calls().value("AcilisEkranlarVer2");
    const auto *list = std::get_if<Protocol::TAcilisEkranlariki>(&result);
    ASSERT_NE(list, nullptr);
    ASSERT_FALSE(list->FEkranlar.isEmpty());
    bool campaign = false;
    for (const Protocol::TAcilisEkran &item : list->FEkranlar) {
        EXPECT_FALSE(item.FBaslik.isEmpty());
        EXPECT_EQ(item.FResim.size() % 2, 0);
        const QByteArray bytes = picture(item.FResim);
        EXPECT_TRUE(bytes.startsWith("\x89PNG") || bytes.startsWith("\xFF\xD8")) << item.FBaslik.toStdString();
        campaign = campaign || item.FArama == u"#KAMPANYA#"_s;
    }
    EXPECT_TRUE(campaign);
}

// Advertisements by 0-based position: JPEG pictures up to the count, null past either end.
TEST_F(Notices, AdvertisementsByPositionAndNullPastTheEnd)
{
    const Protocol::Value count = calls().value("AcilisReklamAdet");
    ASSERT_TRUE(std::holds_alternative<qint32>(count));
    const qint32 n = std::get<qint32>(count);
    ASSERT_GT(n, 1);
    QSet<qint32> seen;
    for (qint32 i = 0; i < n; ++i) {
        const Protocol::Value ad = calls().value("AcilisREklamVer", {i});
        const auto *item = std::get_if<Protocol::TAcilisEkran>(&ad);
        ASSERT_NE(item, nullptr) << i;
        EXPECT_TRUE(picture(item->FResim).startsWith("\xFF\xD8\xFF")) << "JPEG at " << i;
        EXPECT_FALSE(item->FBaslik.isEmpty());
        seen.insert(item->FSiraNo);
    }
    EXPECT_EQ(seen.size(), n) << "each position its own advertisement";
    for (const qint32 past :
         {n, n + 1, qint32(-1), std::numeric_limits<qint32>::max(), std::numeric_limits<qint32>::min()}) {
        EXPECT_TRUE(std::holds_alternative<std::monostate>(calls().value("AcilisREklamVer", {past}))) << past;
    }
}

TEST_F(Notices, BannersAreGifAndBmpOfTheAnnouncedSize)
{
    const struct
    {
        const char *operation;
        QByteArray magic;
    } cases[] = {{"BannerResimVer2", "GIF89a"}, {"BannerResimVer3", "BM"}};
    for (const auto &c : cases) {
        auto answer = calls().call(c.operation);
        ASSERT_TRUE(answer) << c.operation;
        ASSERT_EQ(answer->size(), 2u);
        const qint64 size = std::get<qint64>(answer->at(0));
        const QByteArray &bytes = std::get<Protocol::Stream>(answer->at(1)).bytes;
        EXPECT_EQ(size, bytes.size()) << c.operation;
        EXPECT_GT(size, 10) << c.operation;
        EXPECT_TRUE(bytes.startsWith(c.magic)) << c.operation;
    }
}

TEST_F(Notices, CustomerCardOfTheComputer)
{
    const Protocol::Value result = calls().value("MobilCariBilgisiGetir", {qint32(0), u"PC-BAYI"_s});
    const auto *card = std::get_if<Protocol::TMobilCariBilgisi>(&result);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->FCARINO, s_dealer.FCARINO);
    EXPECT_EQ(card->FCARIADI, s_dealer.FCariAdi);
    EXPECT_EQ(card->FCARIKOD, s_dealer.Fcarikod);
    EXPECT_EQ(card->FKULLANICIADI, s_dealer.FADI);
    EXPECT_EQ(card->FBILGISAYARID, u"PC-BAYI"_s);
    EXPECT_FALSE(card->FADRES1.isEmpty());
    EXPECT_FALSE(card->FSEHIR.isEmpty());
    EXPECT_FALSE(card->FVERGIDAIRESI.isEmpty());
    EXPECT_NEAR(card->FTLBAKIYE, card->FTLBORC - card->FTLALACAK, 0.005);
    EXPECT_EQ(card->FSATICIADI, s_dealer.FSaticiAdi);

    const struct
    {
        qint32 sirano;
        QString computer;
    } none[] = {{0, u"PC-NOBODY"_s}, {0, QString()}, {0, u"' OR 1=1 --"_s}, {s_dealer.FSirano + 1, u"PC-BAYI"_s}};
    for (const auto &c : none) {
        EXPECT_TRUE(
            std::holds_alternative<std::monostate>(calls().value("MobilCariBilgisiGetir", {c.sirano, c.computer})))
            << c.computer.toStdString();
    }
}

TEST_F(Notices, BalanceTextOfThePaymentPage)
{
    const Protocol::Value balance = calls().value("CariDurumVer", {qint32(s_dealer.FCARINO)});
    ASSERT_TRUE(std::holds_alternative<QString>(balance));
    bool ok = false;
    const double value = std::get<QString>(balance).toDouble(&ok);
    EXPECT_TRUE(ok) << std::get<QString>(balance).toStdString();
    const DatabaseView view(*s_server);
    EXPECT_NEAR(
        value,
        view.scalar(u"SELECT SUM(borc) - SUM(alacak) FROM cari_hareketler WHERE carino = ?"_s, {s_dealer.FCARINO})
            .toDouble(),
        0.005);
    for (const qint32 unknown : {qint32(0), qint32(-1), qint32(999999)}) {
        EXPECT_EQ(std::get<QString>(calls().value("CariDurumVer", {unknown})), QString()) << unknown;
    }
}

} // namespace
