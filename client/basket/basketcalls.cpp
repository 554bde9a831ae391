#include "basketcalls.h"

#include "basketmath.h"

#include "client/server/callpatterns.h"

#include <QMutex>

using namespace Qt::StringLiterals;

namespace Basket {

using Protocol::ClientTable;
using Protocol::Expected;
using Protocol::TSonucBilgisi;
using Server::Connection;
using Server::TServerMethods1Client;

namespace {

QMutex g_observerMutex;
CallObserver g_observer;

void observe(const QString &operation)
{
    CallObserver observer;
    {
        QMutexLocker lock(&g_observerMutex);
        observer = g_observer;
    }
    if (observer)
        observer(operation);
}

// A fresh copy of the session record for the one call that consumes it.
TSonucBilgisi kopya(const TSonucBilgisi &sbilgi)
{
    TSonucBilgisi copy;
    copy.Kopyala(sbilgi);
    return copy;
}

// The tax rate of a line "as a whole number", sent as floating point.
double wholeKdv(double kdv)
{
    return double(qRound(kdv));
}

} // namespace

void setCallObserver(CallObserver observer)
{
    QMutexLocker lock(&g_observerMutex);
    g_observer = std::move(observer);
}

Expected<ClientTable> fetchBasket(Connection copy, qint32 carino)
{
    return Server::callOnOwnCopy(std::move(copy), false, [carino](TServerMethods1Client &proxy) {
        observe(u"SepetVer2"_s);
        return proxy.SepetVer2(carino);
    });
}

std::optional<ClientTable> SepetYukle(const Connection &bagc, qint32 carino)
{
    return Server::callDirectOnCopy(bagc, [carino](TServerMethods1Client &proxy) {
        observe(u"SepetVer2"_s);
        return proxy.SepetVer2(carino);
    });
}

qint32 koliAdet(const Connection &bagc, qint32 stokno)
{
    const Expected<qint32> answer = Server::callOnOwnCopy(bagc.copy(), false, [stokno](TServerMethods1Client &proxy) {
        observe(u"EnVer"_s);
        return proxy.EnVer(stokno);
    });
    return answer ? packageQuantity(*answer) : 1;
}

std::optional<qint32> SepetEkle2(Connection &bagc, const TSonucBilgisi &sbilgi, const Catalogue::StockRow &line,
                                 const DialogValues &v)
{
    return Server::callOnMain(bagc, [&](TServerMethods1Client &proxy) {
        observe(u"SepetEkle2"_s);
        return proxy.SepetEkle2(kopya(sbilgi), sbilgi.FCARINO, line.stokno, line.barkod, line.adi, v.quantity,
                                wholeKdv(line.kdv), v.price, v.rates[0], sbilgi.FSirano, line.k, v.rates[1], v.rates[2],
                                v.rates[3]);
    });
}

std::optional<qint32> SepetGuncelle2(Connection &bagc, const TSonucBilgisi &sbilgi, const BasketLine &line,
                                     qint32 quantity, double price)
{
    return Server::callOnMain(bagc, [&](TServerMethods1Client &proxy) {
        observe(u"SepetGuncelle2"_s);
        return proxy.SepetGuncelle2(kopya(sbilgi), sbilgi.FCARINO, 0, line.barkod, line.stokadi, quantity,
                                    wholeKdv(line.kdv), price, line.oran[0], sbilgi.FSirano, line.sirano, line.oran[1],
                                    line.oran[2], line.oran[3]);
    });
}

bool SepetSatirSil(Connection &bagc, const TSonucBilgisi &sbilgi, const BasketLine &line)
{
    return Server::callOnMain(bagc,
                              [&](TServerMethods1Client &proxy) {
                                  observe(u"SepetSatirSil"_s);
                                  return proxy.SepetSatirSil(kopya(sbilgi), line.sirano,
                                                             line.barkod + u"-"_s + line.stokadi);
                              })
        .has_value();
}

bool SepetHepsiniSil(Connection &bagc, const TSonucBilgisi &sbilgi)
{
    return Server::callOnMain(bagc,
                              [&](TServerMethods1Client &proxy) {
                                  observe(u"SepetHepsiniSil"_s);
                                  return proxy.SepetHepsiniSil(kopya(sbilgi));
                              })
        .has_value();
}

void SepetSecimGuncelle(const Connection &bagc, qint32 sirano, qint32 secim)
{
    Connection copy = bagc.copy();
    if (!Server::openWithRetry(copy, true))
        return;
    TServerMethods1Client proxy(copy);
    observe(u"SepetSecimGuncelle"_s);
    // Its failure is not the user's concern: the next reload shows the server's flags.
    (void)proxy.SepetSecimGuncelle(sirano, secim);
    copy.close();
}

Expected<QString> CariVadeGunGecmismiBul(Connection copy, qint32 carino)
{
    return Server::callOnOwnCopy(std::move(copy), false, [carino](TServerMethods1Client &proxy) {
        observe(u"CariVadeGunGecmismiBul"_s);
        return proxy.CariVadeGunGecmismiBul(carino);
    });
}

std::vector<Choice> choicesOf(const ClientTable &table)
{
    std::vector<Choice> choices;
    if (table.columnCount() < 2)
        return choices;
    choices.reserve(size_t(table.rowCount()));
    for (int row = 0; row < table.rowCount(); ++row)
        choices.push_back({table.value(row, 0).toInt(), table.text(row, 1)});
    return choices;
}

std::optional<OrderChoices> orderChoices(const Connection &bagc)
{
    return Server::callDirectOnCopy(bagc, [](TServerMethods1Client &proxy) -> Expected<OrderChoices> {
        observe(u"TeslimVer"_s);
        Expected<ClientTable> teslim = proxy.TeslimVer();
        if (!teslim)
            return teslim.error();
        observe(u"KargoVer"_s);
        Expected<ClientTable> kargo = proxy.KargoVer();
        if (!kargo)
            return kargo.error();
        return OrderChoices{choicesOf(*teslim), choicesOf(*kargo)};
    });
}

std::optional<ClientTable> KargolarVer(Connection &bagc, qint32 kargoTuru)
{
    return Server::callOnMain(bagc, [kargoTuru](TServerMethods1Client &proxy) {
        observe(u"KargolarVer"_s);
        return proxy.KargolarVer(kargoTuru);
    });
}

std::optional<bool> SiparisKaydet(Connection &bagc, const TSonucBilgisi &sbilgi, qint32 td, qint32 kt,
                                  const QString &aciklama, qint32 kn)
{
    return Server::callOnMain(bagc, [&](TServerMethods1Client &proxy) {
        observe(u"SiparisKaydet"_s);
        return proxy.SiparisKaydet(kopya(sbilgi), sbilgi.FCARINO, td, kt, aciklama, sbilgi.FSirano, kn);
    });
}

} // namespace Basket
