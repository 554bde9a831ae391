#include "users.h"

#include "sql.h"

using namespace Qt::StringLiterals;

namespace Store {

Protocol::Expected<std::optional<SessionUser>> sessionUserForComputer(const QSqlDatabase &db, const QString &computerId)
{
    auto query = exec(db,
                      u"SELECT k.sirano, k.adi, k.sifre, k.aktif, k.tipi, k.email,"
                      u" c.carino, c.carikod, c.cariadi, s.saticino, s.adi, s.email, s.telefon"
                      u" FROM bilgisayarlar b"
                      u" JOIN kullanicilar k ON k.sirano = b.kullanici"
                      u" LEFT JOIN cariler c ON c.carino = k.carino"
                      u" LEFT JOIN saticilar s ON s.saticino = COALESCE(k.saticino, c.saticino)"
                      u" WHERE b.bilgisayarid = ?"_s,
                      {computerId});
    if (!query)
        return query.error();
    if (!query->next())
        return std::optional<SessionUser>();

    SessionUser user;
    user.sirano = query->value(0).toInt();
    user.name = query->value(1).toString();
    user.password = query->value(2).toString();
    user.active = query->value(3).toInt();
    user.userType = query->value(4).toInt();
    user.email = query->value(5).toString();
    if (!isRepresentative(user.userType)) {
        user.customerNo = query->value(6).toInt();
        user.customerCode = query->value(7).toString();
        user.customerName = query->value(8).toString();
    }
    user.repNo = query->value(9).toInt();
    user.repName = query->value(10).toString();
    user.repEmail = query->value(11).toString();
    user.repPhone = query->value(12).toString();
    return std::optional<SessionUser>(std::move(user));
}

} // namespace Store
