#include "requestform.h"

#include "webforms.h"

#include <QJsonObject>
#include <QUrlQuery>

#include <boost/beast/http/field.hpp>

#include <array>

namespace http = boost::beast::http;
using namespace Qt::StringLiterals;

namespace Http {

namespace {

struct Field
{
    QLatin1StringView key;
    const char16_t *label;
    bool required;
    int maxLength;
    bool multiline;
};

const std::array<Field, 10> kFields{{
    {"firma"_L1, u"Firma Adı", true, 200, false},
    {"yetkili"_L1, u"Yetkili Adı Soyadı", true, 200, false},
    {"telefon"_L1, u"Telefon", true, 50, false},
    {"eposta"_L1, u"E-posta", true, 200, false},
    {"adres"_L1, u"Adres", false, 500, true},
    {"ilce"_L1, u"İlçe", false, 100, false},
    {"sehir"_L1, u"Şehir", true, 100, false},
    {"vergidairesi"_L1, u"Vergi Dairesi", false, 100, false},
    {"vergino"_L1, u"Vergi No", false, 20, false},
    {"aciklama"_L1, u"Açıklama", false, 2000, true},
}};

const QString kTitle = u"Varsel Otomotiv B2B İstek Formu"_s;

// What the form was opened with; it travels back in hidden fields.
struct Origin
{
    QString carino = u"0"_s;
    QString kullanici;
    QString id;
};

QString value(const QUrlQuery &query, QLatin1StringView key)
{
    return query.queryItemValue(QString(key), QUrl::FullyDecoded);
}

Origin originFrom(const QUrlQuery &query)
{
    Origin origin;
    if (query.hasQueryItem(u"carino"_s))
        origin.carino = value(query, "carino"_L1).trimmed();
    origin.kullanici = value(query, "kullanici"_L1).trimmed();
    origin.id = value(query, "id"_L1).trimmed();
    return origin;
}

QString page(const QString &body)
{
    return u"<!DOCTYPE html>\n<html lang=\"tr\"><head><meta charset=\"utf-8\">"
           u"<meta name=\"viewport\" content=\"width=device-width\"><title>"_s
        + kTitle
        + u"</title><style>"
          u"body{font-family:Tahoma,Verdana,sans-serif;font-size:13px;margin:16px;color:#222}"
          u"h1{font-size:18px;color:#b00000}label{display:block;margin:6px 0}"
          u"label span{display:inline-block;width:150px;vertical-align:top}"
          u"input,textarea{width:360px}textarea{height:60px}"
          u".hata{color:#b00000;font-weight:bold}.kimlik{color:#555}"
          u"</style></head><body><h1>"_s
        + kTitle + u"</h1>\n"_s + body + u"</body></html>\n"_s;
}

void answer(Response &response, Status status, const QString &html)
{
    response.result(status);
    response.set(http::field::content_type, "text/html; charset=utf-8");
    response.set(http::field::cache_control, "no-store");
    response.body() = html.toStdString();
}

QString formHtml(const Origin &origin, const QUrlQuery &typed, const QString &problem)
{
    QString html = u"<p>Bu bilgisayar sistemimizde kayıtlı değil. Kayıt isteğinizi aşağıdaki formla "
                   u"gönderebilirsiniz; kaydınız yapıldığında programa giriş yapabilirsiniz.</p>\n"
                   u"<p class=\"kimlik\">Bilgisayar ID: "_s
        + origin.id.toHtmlEscaped() + u"</p>\n"_s;
    if (!problem.isEmpty())
        html += u"<p class=\"hata\">"_s + problem.toHtmlEscaped() + u"</p>\n"_s;
    html += u"<form method=\"post\" action=\"formmailgonder.aspx\" accept-charset=\"UTF-8\">\n"_s;
    html += u"<input type=\"hidden\" name=\"carino\" value=\"%1\">"
            u"<input type=\"hidden\" name=\"kullanici\" value=\"%2\">"
            u"<input type=\"hidden\" name=\"id\" value=\"%3\">\n"_s.arg(origin.carino.toHtmlEscaped(),
                                                                        origin.kullanici.toHtmlEscaped(),
                                                                        origin.id.toHtmlEscaped());
    for (const Field &field : kFields) {
        const QString label = QString::fromUtf16(field.label) + (field.required ? u" *"_s : QString());
        const QString current = value(typed, field.key).toHtmlEscaped();
        html += u"<label><span>"_s + label + u"</span>"_s;
        if (field.multiline) {
            html += u"<textarea name=\"%1\" maxlength=\"%2\">%3</textarea>"_s.arg(field.key).arg(field.maxLength).arg(
                current);
        } else {
            html += u"<input name=\"%1\" maxlength=\"%2\" value=\"%3\"%4>"_s.arg(field.key)
                        .arg(field.maxLength)
                        .arg(current, field.required ? u" required"_s : QString());
        }
        html += u"</label>\n"_s;
    }
    html += u"<p><button type=\"submit\">Gönder</button></p>\n</form>\n"_s;
    return html;
}

// The first refused field, in the order of the form, or empty when all is well.
QString problemWith(const QUrlQuery &typed)
{
    for (const Field &field : kFields) {
        const QString text = value(typed, field.key);
        const QString label = QString::fromUtf16(field.label);
        if (field.required && text.trimmed().isEmpty())
            return label + u" boş olamaz !"_s;
        if (text.size() > field.maxLength)
            return u"%1 en fazla %2 karakter olabilir !"_s.arg(label).arg(field.maxLength);
    }
    return {};
}

} // namespace

RequestForm::RequestForm(Store::Database &db)
    : m_db(db)
{}

void RequestForm::show(std::string_view query, Response &response) const
{
    const QUrlQuery parsed(QString::fromUtf8(query.data(), qsizetype(query.size())));
    const Origin origin = originFrom(parsed);
    if (origin.id.isEmpty()) {
        return answer(response, Status::bad_request,
                      page(u"<p class=\"hata\">Bilgisayar kimliği eksik. Formu programın içinden açınız.</p>\n"_s));
    }
    answer(response, Status::ok, page(formHtml(origin, QUrlQuery(), QString())));
}

void RequestForm::submit(const Request &request, Response &response) const
{
    const auto type = request[http::field::content_type];
    if (!std::string_view(type.data(), type.size()).starts_with("application/x-www-form-urlencoded")) {
        return answer(response, Status::unsupported_media_type,
                      page(u"<p class=\"hata\">Form verisi okunamadı.</p>\n"_s));
    }
    // Form encoding writes blanks as '+'; a typed '+' arrives as %2B and survives this.
    QString body = QString::fromUtf8(request.body().data(), qsizetype(request.body().size()));
    body.replace(u'+', u"%20"_s);
    const QUrlQuery typed(body);
    const Origin origin = originFrom(typed);
    if (origin.id.isEmpty()) {
        return answer(response, Status::bad_request,
                      page(u"<p class=\"hata\">Bilgisayar kimliği eksik. Formu programın içinden açınız.</p>\n"_s));
    }
    if (const QString problem = problemWith(typed); !problem.isEmpty())
        return answer(response, Status::unprocessable_entity, page(formHtml(origin, typed, problem)));

    WebRequest stored;
    stored.computerId = origin.id;
    stored.carino = origin.carino.toInt();
    stored.kullanici = origin.kullanici;
    for (const Field &field : kFields)
        stored.fields.insert(field.key, value(typed, field.key));
    const auto id = storeWebRequest(m_db, stored);
    if (!id) {
        qWarning("request form: %s", qUtf8Printable(id.error().message));
        return answer(response, Status::internal_server_error,
                      page(formHtml(origin, typed,
                                    u"İsteğiniz kaydedilemedi. Lütfen daha sonra tekrar deneyiniz."_s)));
    }
    answer(response, Status::ok,
           page(u"<p>İsteğiniz alındı. Kayıt numaranız: %1</p>\n"
                u"<p>Bilgisayarınız kaydedildiğinde programa giriş yapabilirsiniz. "
                u"Bu pencereyi kapatabilirsiniz.</p>\n"_s.arg(*id)));
}

} // namespace Http
