#pragma once

#include "publicaddress.h"

#include "protocol/records.h"

#include <QString>

#include <functional>
#include <optional>

namespace Server {
class Connection;
}

namespace Session {

// The client's own version; a server that announces another one gets the update.
inline constexpr qint32 kClientVersion = 1;

// The login's texts.
QString emptyNameText();        // "Lütfen kullanıcı adını giriniz !"
QString emptyPasswordText();    // "Lütfen kullanıcı şifresini giriniz !"
QString emptyAddressText();     // "Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"
QString notConnectedText();     // "Bağlantı Kurulamadı !"
QString wrongCredentialsText(); // "Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"

// What the login does with a fetched user record, in the order it is decided.
enum class LoginOutcome {
    NotConnected,     // the record could not be fetched
    Update,           // another version is announced: the update runs before anything is checked
    Unregistered,     // the computer has no user: the request form, then the end
    WrongCredentials, // name or password differ (exact, case-sensitive)
    Inactive,         // name and password match, the user is not active
    ChooseCustomer,   // a sales representative chooses the customer first
    SignedIn,
};
LoginOutcome decideLogin(bool fetched, const Protocol::TSonucBilgisi &record, const QString &typedName,
                         const QString &typedPassword);
// From Inactive on, the name and password matched: ayar.ini is written before going on.
inline bool credentialsMatched(LoginOutcome outcome)
{
    return outcome >= LoginOutcome::Inactive;
}

// The worker side of the login: opens the connection copy with retry (no report of its
// own), fetches the record of the computer with BuyukGetir and fills this computer's
// identity into it, the public address from a new lookup. nullopt when the connection
// could not be opened, the call failed or the server has no record.
std::optional<Protocol::TSonucBilgisi> loginFetch(Server::Connection copy, const QString &idsi,
                                                  const std::function<QString()> &publicAddress);

} // namespace Session
