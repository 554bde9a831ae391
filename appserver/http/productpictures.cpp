#include "productpictures.h"

#include "appserver/seed/images.h"
#include "appserver/store/database.h"
#include "appserver/store/sql.h"

#include <QUrlQuery>

#include <boost/beast/http/field.hpp>

namespace http = boost::beast::http;
using namespace Qt::StringLiterals;

namespace Http {

namespace {

void notFound(Response &response)
{
    response.result(Status::not_found);
    response.set(http::field::content_type, "text/html; charset=utf-8");
    response.body() = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>404</title></head>"
                      "<body><h1>Resim bulunamadı</h1></body></html>\n";
}

// The type of stored picture bytes, by their signature.
const char *storedType(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return "image/jpeg";
    if (bytes.startsWith("\x89PNG"))
        return "image/png";
    if (bytes.startsWith("BM"))
        return "image/bmp";
    return nullptr;
}

// A card for a part without a stored picture: its code, name and make in block letters.
QByteArray drawnPicture(qint64 stokno, const QString &barkod, const QString &adi, const QString &marka)
{
    static const QColor tops[] = {QColor(32, 86, 160), QColor(38, 120, 70), QColor(150, 60, 30), QColor(90, 60, 140)};
    const QColor top = tops[stokno % 4];
    return Seed::encodeImage(Seed::poster(QSize(480, 360), top, top.darker(160), {barkod, adi, marka}, Qt::white),
                             "JPG");
}

} // namespace

ProductPictures::ProductPictures(Store::Database &db)
    : m_db(db)
{}

void ProductPictures::serve(std::string_view query, Response &response) const
{
    const QUrlQuery parsed(QString::fromUtf8(query.data(), qsizetype(query.size())));
    bool ok = false;
    const qint64 stokno = parsed.queryItemValue(u"id"_s).trimmed().toLongLong(&ok);
    if (!ok || stokno <= 0)
        return notFound(response);

    auto part = Store::exec(m_db.connection(),
                            u"SELECT s.barkod, s.adi, s.marka, s.resim, r.resim FROM stoklar s"
                            u" LEFT JOIN stok_resimleri r ON r.stokno = s.stokno WHERE s.stokno = ?"_s,
                            {stokno});
    if (!part || !part->next() || part->value(3).toInt() != 1)
        return notFound(response);

    QByteArray bytes = part->value(4).toByteArray();
    const char *type = storedType(bytes);
    if (!type) {
        bytes = drawnPicture(stokno, part->value(0).toString(), part->value(1).toString(), part->value(2).toString());
        type = "image/jpeg";
    }
    if (bytes.isEmpty())
        return notFound(response);
    response.result(Status::ok);
    response.set(http::field::content_type, type);
    response.set(http::field::cache_control, "max-age=3600");
    response.body().assign(bytes.constData(), size_t(bytes.size()));
}

} // namespace Http
