// The two mail operations: a customer's free message and the password change request.
// Mails are not sent from here: each is stored in the outbox (mail_kutusu) with every
// field it came with, in one statement, for the distributor's mail service to deliver.

#include "accountparts.h"
#include "inputs.h"
#include "registry.h"

#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

constexpr int kFieldLimit = 1000;     // one of the sixteen card fields
constexpr int kMessageLimit = 100000; // the message body of MailGonserCariNormal
const QString kRecipient = u"b2b@varseloto.com.tr"_s;

const char *const kFields[] = {"idsi", "baslik", "firmaadi", "adres1",  "adres2",       "ilce",  "sehir", "telefon",
                               "fax",  "vd",     "vn",       "yetkili", "kullaniciadi", "sifre", "mail",  "kargoambar"};
constexpr int kFieldCount = int(std::size(kFields));

Outputs storeMail(CallContext &context, const Inputs &inputs, const char *operation, bool withMessage)
{
    for (int i = 0; i < kFieldCount; ++i) {
        if (textAt(inputs, i).size() > kFieldLimit)
            return Protocol::makeError(
                u"%1 alanı çok uzun (en çok %2 karakter)"_s.arg(QLatin1StringView(kFields[i])).arg(kFieldLimit));
    }
    if (textAt(inputs, 0).trimmed().isEmpty())
        return Protocol::makeError(u"Bilgisayar kimliği eksik"_s);
    if (textAt(inputs, 1).trimmed().isEmpty())
        return Protocol::makeError(u"Mail başlığı boş olamaz"_s);
    const QString message = withMessage ? textAt(inputs, kFieldCount) : QString();
    if (withMessage && message.trimmed().isEmpty())
        return Protocol::makeError(u"Mail içeriği boş olamaz"_s);
    if (message.size() > kMessageLimit)
        return Protocol::makeError(u"Mail içeriği çok uzun (en çok %1 karakter)"_s.arg(kMessageLimit));

    QString columns = u"olusturma, islem, alici, gonderildi, konu"_s;
    QVariantList binds{QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s), QString::fromLatin1(operation),
                       kRecipient, 0, withMessage ? QVariant(message) : QVariant()};
    for (int i = 0; i < kFieldCount; ++i) {
        columns += u", "_s + QLatin1StringView(kFields[i]);
        binds.append(textAt(inputs, i));
    }
    const QString placeholders = QStringList(binds.size(), u"?"_s).join(u", "_s);
    auto id = Store::inTransaction(context.db.connection(), [&](QSqlDatabase &db) -> Protocol::Expected<qint64> {
        return Store::insertReturningId(
            db, u"INSERT INTO mail_kutusu ("_s + columns + u") VALUES ("_s + placeholders + u')', binds, u"id"_s);
    });
    if (!id)
        return id.error();
    return answer(qint32(*id));
}

// MailGonserCari(16 texts): the password change request, without a message body.
Outputs mailGonserCari(CallContext &context, const Inputs &inputs)
{
    return storeMail(context, inputs, "MailGonserCari", false);
}

// MailGonserCariNormal(16 texts, konu): a customer's message with his card data.
Outputs mailGonserCariNormal(CallContext &context, const Inputs &inputs)
{
    return storeMail(context, inputs, "MailGonserCariNormal", true);
}

} // namespace

void registerMailMethods(Registry &registry)
{
    registry.add("MailGonserCari", mailGonserCari);
    registry.add("MailGonserCariNormal", mailGonserCariNormal);
}

} // namespace Methods
