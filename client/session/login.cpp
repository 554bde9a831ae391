#include "login.h"

#include "client/platform/identity.h"
#include "client/server/connection.h"
#include "client/server/openretry.h"
#include "client/server/servermethods.h"

using namespace Qt::StringLiterals;

namespace Session {

QString emptyNameText()
{
    return u"Lütfen kullanıcı adını giriniz !"_s;
}

QString emptyPasswordText()
{
    return u"Lütfen kullanıcı şifresini giriniz !"_s;
}

QString emptyAddressText()
{
    return u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"_s;
}

QString notConnectedText()
{
    return u"Bağlantı Kurulamadı !"_s;
}

QString wrongCredentialsText()
{
    return u"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"_s;
}

LoginOutcome decideLogin(bool fetched, const Protocol::TSonucBilgisi &record, const QString &typedName,
                         const QString &typedPassword)
{
    if (!fetched)
        return LoginOutcome::NotConnected;
    if (record.FVersion != kClientVersion)
        return LoginOutcome::Update;
    if (!record.FVarmi)
        return LoginOutcome::Unregistered;
    if (typedName != record.FADI || typedPassword != record.FSIFRE)
        return LoginOutcome::WrongCredentials;
    if (record.FAKTIF != 1)
        return LoginOutcome::Inactive;
    if (record.FMusteriTipi == 1 || record.FMusteriTipi == 2)
        return LoginOutcome::ChooseCustomer;
    return LoginOutcome::SignedIn;
}

std::optional<Protocol::TSonucBilgisi> loginFetch(Server::Connection copy, const QString &idsi,
                                                  const std::function<QString()> &publicAddress)
{
    if (!Server::openWithRetry(copy, false))
        return std::nullopt;
    std::optional<Protocol::TSonucBilgisi> record;
    {
        Server::TServerMethods1Client proxy(copy);
        auto fetched = proxy.BuyukGetir(idsi);
        if (fetched && fetched->has_value()) {
            record.emplace();
            record->Kopyala(**fetched);
        }
    }
    copy.close();
    if (!record)
        return std::nullopt;

    record->FBilgiSayarAdi = Platform::computerName();
    record->FBilgisayarKullanici = Platform::userName();
    record->FIcip = Platform::localAddress();
    record->FBILGISAYARID = Platform::computerIdentifier();
    record->FDisip = publicAddress ? publicAddress() : QString();
    return record;
}

} // namespace Session
