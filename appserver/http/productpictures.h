#pragma once

#include "listener.h"

#include <string_view>

namespace Store {
class Database;
}

namespace Http {

// resimgoster.ashx?id=STOKNO: the picture of a part. A part whose picture mark (RESIM) is 1 gets
// its stored picture, or else a JPEG drawn for it (its code and name on a coloured card); any
// other id, a part without a picture and an unknown part get 404 with an HTML page, as a web
// server's error page.
class ProductPictures final
{
public:
    explicit ProductPictures(Store::Database &db);

    void serve(std::string_view query, Response &response) const;

private:
    Store::Database &m_db;
};

} // namespace Http
