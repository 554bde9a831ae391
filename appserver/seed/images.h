#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QStringList>

namespace Seed {

// A picture with a vertical colour gradient and the given lines in large block letters.
QImage poster(QSize size, QColor top, QColor bottom, const QStringList &lines, QColor ink);
// The image in an encoded file format ("PNG", "JPG", "BMP"); empty when the encoder is missing.
QByteArray encodeImage(const QImage &image, const char *format, int quality = 85);
// A two-frame looping GIF: the text in white, then in orange, on dark blue.
QByteArray gifBanner(int width, int height, const QString &text);

} // namespace Seed
