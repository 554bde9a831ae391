#include "caller.h"

#include "appserver/store/sql.h"

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

Protocol::Error refused()
{
    return Protocol::makeError(u"Oturum bilgisi geçersiz: kullanıcı doğrulanamadı"_s);
}

} // namespace

Protocol::Expected<Caller> authenticate(const QSqlDatabase &db, const Protocol::TSonucBilgisi *record)
{
    if (!record)
        return Protocol::makeError(u"Oturum bilgisi eksik"_s);
    auto query = Store::exec(db,
                             u"SELECT sirano, adi, sifre, aktif, tipi, COALESCE(carino, 0), COALESCE(saticino, 0)"
                             u" FROM kullanicilar WHERE sirano = ?"_s,
                             {record->FSirano});
    if (!query)
        return query.error();
    if (!query->next())
        return refused();
    // Names are kept in upper case, as the login types them; the password as it was set.
    if (query->value(1).toString() != record->FADI.trimmed().toUpper() || query->value(2).toString() != record->FSIFRE)
        return refused();
    if (query->value(3).toInt() != 1)
        return Protocol::makeError(u"Kullanıcı hesabı etkin değil"_s);
    Caller caller;
    caller.sirano = query->value(0).toInt();
    caller.name = query->value(1).toString();
    caller.userType = query->value(4).toInt();
    caller.ownCustomer = query->value(5).toInt();
    caller.repNo = query->value(6).toInt();
    return caller;
}

Protocol::Expected<Protocol::Done> mayUseCustomer(const QSqlDatabase &db, const Caller &caller, int carino)
{
    const auto notYours = [carino] {
        return Protocol::makeError(u"Bu cari hesap (%1) için yetkiniz yok"_s.arg(carino));
    };
    if (!caller.representative())
        return carino == caller.ownCustomer && carino > 0 ? Protocol::Expected<Protocol::Done>(Protocol::Done{})
                                                          : notYours();
    if (carino == 0)
        return Protocol::Done{};
    auto assigned =
        Store::scalar(db, u"SELECT 1 FROM satici_cariler WHERE saticino = ? AND carino = ?"_s, {caller.repNo, carino});
    if (!assigned)
        return assigned.error();
    if (!assigned->isValid())
        return notYours();
    return Protocol::Done{};
}

Protocol::Expected<Caller> authenticateFor(const QSqlDatabase &db, const Protocol::TSonucBilgisi *record)
{
    auto caller = authenticate(db, record);
    if (!caller)
        return caller;
    if (auto allowed = mayUseCustomer(db, *caller, record->FCARINO); !allowed)
        return allowed.error();
    return caller;
}

Protocol::Expected<Caller> callerByNumber(const QSqlDatabase &db, int sirano)
{
    auto query = Store::exec(db,
                             u"SELECT sirano, adi, tipi, COALESCE(carino, 0), COALESCE(saticino, 0) FROM kullanicilar"
                             u" WHERE sirano = ? AND aktif = 1"_s,
                             {sirano});
    if (!query)
        return query.error();
    if (!query->next())
        return Protocol::makeError(u"Kullanıcı bulunamadı: %1"_s.arg(sirano));
    Caller caller;
    caller.sirano = query->value(0).toInt();
    caller.name = query->value(1).toString();
    caller.userType = query->value(2).toInt();
    caller.ownCustomer = query->value(3).toInt();
    caller.repNo = query->value(4).toInt();
    return caller;
}

QString visibleCustomers(const Caller &caller, const QString &column)
{
    if (caller.representative())
        return column + u" IN (SELECT carino FROM satici_cariler WHERE saticino = ?)"_s;
    return column + u" = ?"_s;
}

int visibleBind(const Caller &caller)
{
    return caller.representative() ? caller.repNo : caller.ownCustomer;
}

} // namespace Methods
