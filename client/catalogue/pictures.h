#pragma once

#include <QByteArray>

namespace Catalogue {

// The decoder a picture answer is read with, chosen by its Content-Type: the first six
// characters (the "image/" of an image type) are dropped and the rest, lower-cased, must be
// exactly "jpeg" or "jpg" (→ "JPEG"), "png" (→ "PNG") or "bmp" (→ "BMP"). Anything else, a type
// with parameters included, gives an empty name: no picture.
QByteArray pictureFormatFor(const QByteArray &contentType);

} // namespace Catalogue
