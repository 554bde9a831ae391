// The proxy, the call patterns and the background task against the real server.
#include "rawpeer.h"
#include "realserver.h"

#include "client/server/callpatterns.h"
#include "client/server/tawait.h"
#include "client/session/messagedialog.h"

#include <QThread>

using namespace Qt::StringLiterals;
using Protocol::TSonucBilgisi;

namespace {

constexpr Server::RetryPolicy kQuick{11, std::chrono::milliseconds(5)};

// Errors that the client made up itself rather than carried from the server.
bool isLocalError(const QString &message)
{
    return message.startsWith(u"Sunucu cevabı bozuk"_s) || message.contains(u"parametresinin türü yanlış"_s) ||
           message.contains(u"imzasına uymuyor"_s);
}

} // namespace

class Proxy : public ClientTest::RealServer
{
};

TEST_F(Proxy, BuyukGetirGivesTheRecordOfAComputerOrNull)
{
    Server::ServerSession session;
    Server::Connection connection(params(), &session);
    ASSERT_TRUE(connection.open());
    Server::TServerMethods1Client proxy(connection);

    const auto found = proxy.BuyukGetir(registeredId());
    ASSERT_TRUE(found) << found.error().message.toStdString();
    ASSERT_TRUE(found->has_value());
    EXPECT_EQ((*found)->FADI, s_user.name);
    EXPECT_EQ((*found)->FMusteriTipi, s_user.userType);
    EXPECT_TRUE((*found)->FVarmi);

    // An unknown computer is a record that says so; no identifier at all is the null object.
    const auto unknown = proxy.BuyukGetir(u"NO-SUCH-COMPUTER"_s);
    ASSERT_TRUE(unknown) << unknown.error().message.toStdString();
    ASSERT_TRUE(unknown->has_value());
    EXPECT_FALSE((*unknown)->FVarmi);

    const auto none = proxy.BuyukGetir(QString());
    ASSERT_TRUE(none) << none.error().message.toStdString();
    EXPECT_FALSE(none->has_value());
}

TEST_F(Proxy, ServerHandsOutASessionIdAndAStaleOneIsReplacedTransparently)
{
    Server::ServerSession session;
    Server::Connection connection(params(), &session);
    ASSERT_TRUE(connection.open());
    Server::TServerMethods1Client proxy(connection);

    ASSERT_TRUE(proxy.BuyukGetir(registeredId()));
    const QByteArray first = session.dsSessionId();
    EXPECT_FALSE(first.isEmpty());

    session.setDsSessionId("forged-or-expired");
    const auto again = proxy.BuyukGetir(registeredId());
    ASSERT_TRUE(again) << again.error().message.toStdString();
    EXPECT_TRUE(again->has_value());
    EXPECT_FALSE(session.dsSessionId().isEmpty());
    EXPECT_NE(session.dsSessionId(), QByteArray("forged-or-expired"));
}

TEST_F(Proxy, EveryOperationTravelsByTheCatalogue)
{
    // Each typed method must reach the server with the parameters the server expects: the
    // answer is a value or the server's own error, never one the client made up.
    Server::ServerSession session;
    Server::Connection connection(params(), &session);
    ASSERT_TRUE(connection.open());
    Server::TServerMethods1Client p(connection);
    const auto found = p.BuyukGetir(registeredId());
    ASSERT_TRUE(found && found->has_value());
    const TSonucBilgisi rec = **found;
    const qint32 carino = rec.FCARINO;
    const QString t = u"x"_s;

    struct Outcome
    {
        const char *name;
        bool ok;
        QString error;
    };
    std::vector<Outcome> outcomes;
    auto note = [&](const char *name, const auto &result) {
        outcomes.push_back({name, result.has_value(), result.has_value() ? QString() : result.error().message});
    };
    note("BuyukGetir", p.BuyukGetir(t));
    note("StokAraGetirZerva", p.StokAraGetirZerva(u"FREN"_s, rec));
    note("YenilerVer2", p.YenilerVer2(carino));
    note("KampanyaliVer2", p.KampanyaliVer2(carino, rec.FSaticiNo));
    note("EnVer", p.EnVer(1));
    note("StokHareketVer", p.StokHareketVer(carino, 1));
    note("SepetVer2", p.SepetVer2(carino));
    note("SepetEkle2", p.SepetEkle2(rec, carino, 1, t, t, 1, 20, 10, 0, rec.FSirano, 0, 0, 0, 0));
    note("SepetGuncelle2", p.SepetGuncelle2(rec, carino, 1, t, t, 2, 20, 10, 0, rec.FSirano, 0, 0, 0, 0));
    note("SepetSatirSil", p.SepetSatirSil(rec, 0, t));
    note("SepetSecimGuncelle", p.SepetSecimGuncelle(0, 1));
    note("CariVadeGunGecmismiBul", p.CariVadeGunGecmismiBul(carino));
    note("TeslimVer", p.TeslimVer());
    note("KargoVer", p.KargoVer());
    note("KargolarVer", p.KargolarVer(1));
    note("SiparisKaydet", p.SiparisKaydet(rec, carino, 1, 1, t, rec.FSirano, 1));
    note("SepetHepsiniSil", p.SepetHepsiniSil(rec));
    note("OncekiSiparisler", p.OncekiSiparisler(carino));
    note("SiparisAyrintisi2", p.SiparisAyrintisi2(carino, 1));
    note("SiparisAytintisiDip", p.SiparisAytintisiDip(carino, 1));
    note("CariEkstreVer", p.CariEkstreVer(carino));
    note("FaturaGetir", p.FaturaGetir(carino, 1));
    note("FaturaAltGetir", p.FaturaAltGetir(1));
    note("Tahsilat", p.Tahsilat(1));
    note("SanalposSiranoVer", p.SanalposSiranoVer(1));
    note("SAnalPosPdfVer", p.SAnalPosPdfVer(1));
    note("BakiyelerVer2", p.BakiyelerVer2(carino));
    note("BakiyeDuzenle", p.BakiyeDuzenle(rec, 1, 0, 0, 1, 1, t));
    note("BakiyeDegistir", p.BakiyeDegistir(rec, 1, 0, 0, 1, 1, t));
    note("BakiyeFiyatDegistir", p.BakiyeFiyatDegistir(rec, 1, 0, 0, 1, 1, t, 10, 0));
    note("TumSiparislerVer", p.TumSiparislerVer(carino, 0));
    note("RaporAlinanSiparisler", p.RaporAlinanSiparisler(rec, 45000, 46000));
    note("RaporEnCokSatilanStoklar", p.RaporEnCokSatilanStoklar(rec, 45000, 46000));
    note("CariAra", p.CariAra(rec, t));
    note("CariSepetVer", p.CariSepetVer(rec, 1));
    note("SepetSayisi", p.SepetSayisi(rec));
    note("TusSonuclariVer", p.TusSonuclariVer(rec));
    note("RaporGetir", p.RaporGetir(1, 1, 0, carino, t, 45000, 46000));
    note("KayanYaziGetir", p.KayanYaziGetir());
    note("BalonGetir", p.BalonGetir(rec));
    note("AcilisEkranlarVer2", p.AcilisEkranlarVer2());
    note("AcilisReklamAdet", p.AcilisReklamAdet());
    note("AcilisREklamVer", p.AcilisREklamVer(0));
    note("BannerResimVer2", p.BannerResimVer2());
    note("BannerResimVer3", p.BannerResimVer3());
    note("MobilCariBilgisiGetir", p.MobilCariBilgisiGetir(0, registeredId()));
    note("MailGonserCari", p.MailGonserCari(t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t));
    note("MailGonserCariNormal", p.MailGonserCariNormal(t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t));
    note("CariDurumVer", p.CariDurumVer(carino));

    EXPECT_EQ(outcomes.size(), Protocol::operations().size()) << "one typed method per operation";
    for (const Outcome &o : outcomes) {
        SCOPED_TRACE(o.name);
        EXPECT_TRUE(Protocol::findOperation(o.name));
        if (!o.ok) {
            EXPECT_FALSE(o.error.isEmpty());
            EXPECT_FALSE(isLocalError(o.error)) << o.error.toStdString();
        }
    }
}

TEST_F(Proxy, ServerErrorTextReachesTheCallerAndTheConnectionStaysUsable)
{
    // A request without the session record the operation needs: the server refuses it.
    Server::ServerSession session;
    Server::Connection connection(params(), &session);
    ASSERT_TRUE(connection.open());
    Server::TServerMethods1Client proxy(connection);

    const auto refused = proxy.call("SepetSayisi", {std::monostate()});
    ASSERT_FALSE(refused);
    EXPECT_FALSE(refused.error().message.isEmpty());
    EXPECT_FALSE(isLocalError(refused.error().message)) << refused.error().message.toStdString();

    const auto next = proxy.BuyukGetir(registeredId());
    ASSERT_TRUE(next) << next.error().message.toStdString();
    EXPECT_TRUE(next->has_value());
}

TEST_F(Proxy, DirectCallOnTheMainConnectionClosesItAfterwards)
{
    Server::ServerSession session;
    Server::Connection bagc(params(), &session);
    Session::ScriptedAnswerer answerer;

    const auto record =
        Server::callOnMain(bagc, [](Server::TServerMethods1Client &p) { return p.BuyukGetir(registeredId()); });
    ASSERT_TRUE(record.has_value());
    EXPECT_TRUE(record->has_value());
    EXPECT_FALSE(bagc.isOpen());
    EXPECT_TRUE(answerer.shown().isEmpty());

    // A failing call shows the server's text in the platform's error box, once.
    const auto failed = Server::callDirectOnCopy(
        bagc, [](Server::TServerMethods1Client &p) { return p.call("SepetSayisi", {std::monostate()}); });
    EXPECT_FALSE(failed.has_value());
    ASSERT_EQ(answerer.shown().size(), 1);
    EXPECT_TRUE(answerer.shown().first().plain);
    EXPECT_EQ(answerer.shown().first().kind, Session::DialogKind::Error);
}

TEST_F(Proxy, UnreachableServerForTheFourPatterns)
{
    Server::setDefaultRetryPolicy(kQuick);
    Server::ServerSession session;
    Server::Connection bagc(ClientTest::loopback(ClientTest::unusedPort()), &session);
    int bodies = 0;
    auto body = [&bodies](Server::TServerMethods1Client &p) {
        ++bodies;
        return p.KayanYaziGetir();
    };

    {
        SCOPED_TRACE("direct on the main connection: 11 errors, the final message, no call");
        Session::ScriptedAnswerer answerer;
        EXPECT_FALSE(Server::callOnMain(bagc, body).has_value());
        EXPECT_EQ(answerer.shown().size(), 12);
    }
    {
        SCOPED_TRACE("own copy on a worker, report later: 11 errors only");
        Session::ScriptedAnswerer answerer;
        EXPECT_FALSE(Server::callOnOwnCopy(bagc, false, body));
        EXPECT_EQ(answerer.shown().size(), 11);
    }
    {
        SCOPED_TRACE("plain open: the system's text comes back, nothing is shown");
        Session::ScriptedAnswerer answerer;
        const auto r = Server::callWithPlainOpen(bagc, body);
        ASSERT_FALSE(r);
        EXPECT_EQ(r.error().message, u"Connection refused"_s);
        EXPECT_TRUE(answerer.shown().isEmpty());
    }
    EXPECT_EQ(bodies, 0);
    Server::setDefaultRetryPolicy({});
}

TEST_F(Proxy, BackgroundFetchFillsOnAWorkerAndCompletesOnTheUiThread)
{
    Server::ServerSession session;
    const Server::Connection bagc(params(), &session);
    Session::ScriptedAnswerer answerer;
    QObject view;
    QStringList steps;
    auto table = std::make_shared<std::optional<TSonucBilgisi>>();
    QThread *workerThread = nullptr;
    bool completed = false;
    bool hata = true;

    Server::BackgroundFetch::start(
        &view, {[&] { steps << u"begin"_s; }, [&] { steps << u"end"_s; }},
        [copy = bagc, table, &workerThread] {
            workerThread = QThread::currentThread();
            auto r = Server::callOnOwnCopy(
                copy, false, [](Server::TServerMethods1Client &p) { return p.BuyukGetir(registeredId()); });
            if (!r)
                return true;
            *table = *r;
            return false;
        },
        [&](bool failed) {
            EXPECT_EQ(QThread::currentThread(), view.thread());
            steps << u"completion"_s;
            hata = failed;
            completed = true;
        });
    EXPECT_EQ(steps, QStringList{u"begin"_s}) << "start returns before the worker ends";
    ASSERT_TRUE(ClientTest::processEventsUntil([&] { return completed; }));
    EXPECT_EQ(steps, (QStringList{u"begin"_s, u"end"_s, u"completion"_s}));
    EXPECT_FALSE(hata);
    EXPECT_NE(workerThread, view.thread());
    ASSERT_TRUE(table->has_value());
    EXPECT_EQ((*table)->FADI, s_user.name);
    EXPECT_TRUE(answerer.shown().isEmpty());
}
