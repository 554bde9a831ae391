// Session methods: the user record a computer logs in with.

#include "areas.h"
#include "registry.h"

#include "appserver/store/database.h"
#include "appserver/store/users.h"

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

// BuyukGetir(idsi): the session record of the user registered for this computer.
// An unregistered computer gets a record with FVarmi false, so that the login sends it to the
// web request form; only a request without any identifier gets null.
Protocol::Expected<std::vector<Protocol::Value>> buyukGetir(CallContext &context,
                                                            const std::vector<Protocol::Value> &inputs)
{
    const QString *idsi = inputs.empty() ? nullptr : std::get_if<QString>(&inputs.front());
    if (!idsi)
        return Protocol::makeError(u"BuyukGetir: bilgisayar kimliği eksik"_s);
    if (idsi->trimmed().isEmpty())
        return std::vector<Protocol::Value>{std::monostate{}};

    auto user = Store::sessionUserForComputer(context.db.connection(), *idsi);
    if (!user)
        return user.error();

    Protocol::TSonucBilgisi record;
    record.FBILGISAYARID = *idsi;
    record.FVersion = context.db.announcedVersion();
    if (!user->has_value()) {
        record.FVarmi = false;
        record.FMusteriTipi = 0;
        return std::vector<Protocol::Value>{record};
    }
    const Store::SessionUser &u = **user;
    record.FVarmi = true;
    record.FSirano = u.sirano;
    record.FADI = u.name;
    record.FSIFRE = u.password;
    record.FAKTIF = u.active;
    record.FKullanicimail = u.email;
    record.FMusteriTipi = u.userType;
    record.FCARINO = u.customerNo;
    record.Fcarikod = u.customerCode;
    record.FCariAdi = u.customerName;
    record.FSaticiNo = u.repNo;
    record.FSaticiAdi = u.repName;
    record.FSaticiMail = u.repEmail;
    record.FSaticiTelefon = u.repPhone;
    return std::vector<Protocol::Value>{record};
}

} // namespace

void registerSessionMethods(Registry &registry)
{
    registry.add("BuyukGetir", buyukGetir);
}

} // namespace Methods
