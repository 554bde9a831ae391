#include "pictures.h"

namespace Catalogue {

QByteArray pictureFormatFor(const QByteArray &contentType)
{
    const QByteArray rest = contentType.mid(6).toLower();
    if (rest == "jpeg" || rest == "jpg")
        return QByteArrayLiteral("JPEG");
    if (rest == "png")
        return QByteArrayLiteral("PNG");
    if (rest == "bmp")
        return QByteArrayLiteral("BMP");
    return {};
}

} // namespace Catalogue
