#include "fetch.h"

#include "client/server/callpatterns.h"

using namespace Qt::StringLiterals;

namespace Catalogue {

Protocol::Expected<Protocol::ClientTable> searchStock(Server::Connection copy, const QString &text,
                                                      Protocol::TSonucBilgisi session)
{
    auto result = Server::callOnOwnCopy(std::move(copy), false, [&](Server::TServerMethods1Client &proxy) {
        return proxy.StokAraGetirZerva(text, std::move(session));
    });
    if (!result)
        return result;
    // The discount columns come with every stock answer; without them the answer is not one.
    if (!result->hasColumn(u"IND1"))
        return Protocol::makeError(u"Stok listesinde IND1 kolonu yok"_s);
    return result;
}

Protocol::Expected<Protocol::ClientTable> fetchNewProducts(Server::Connection copy, qint32 carino)
{
    return Server::callOnOwnCopy(std::move(copy), false,
                                 [carino](Server::TServerMethods1Client &proxy) { return proxy.YenilerVer2(carino); });
}

Protocol::Expected<Protocol::ClientTable> fetchCampaignProducts(Server::Connection copy, qint32 carino,
                                                                qint32 musteriTipi)
{
    return Server::callOnOwnCopy(std::move(copy), false, [=](Server::TServerMethods1Client &proxy) {
        return proxy.KampanyaliVer2(carino, musteriTipi);
    });
}

std::optional<Protocol::ClientTable> fetchStockMovements(const Server::Connection &bagc, qint32 carino, qint32 stokno)
{
    return Server::callDirectOnCopy(
        bagc, [=](Server::TServerMethods1Client &proxy) { return proxy.StokHareketVer(carino, stokno); });
}

} // namespace Catalogue
