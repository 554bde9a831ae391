// Pictures of the demo data: posters with large block letters for announcements and
// advertisements, and the two banners. Drawn pixel by pixel with a built-in 5×7 font, so
// making them needs no font database and no GUI application object.

#include "images.h"

#include "appserver/store/folding.h"

#include <QBuffer>
#include <QImageWriter>

#include <array>

using namespace Qt::StringLiterals;

namespace Seed {

namespace {

struct Glyph
{
    char c;
    std::array<quint8, 7> rows; // five bits per row, the leftmost pixel in bit 4
};

// clang-format off
const Glyph kFont[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}}, {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}}, {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}},
};
// clang-format on

const Glyph *glyph(char c)
{
    for (const Glyph &g : kFont) {
        if (g.c == c)
            return &g;
    }
    return nullptr; // a blank
}

// Calls plot(x, y) for every lit cell of the text at the given scale (6 cells per character).
template<typename Plot> void forEachCell(const QByteArray &text, int scale, Plot &&plot)
{
    for (int i = 0; i < text.size(); ++i) {
        const Glyph *g = glyph(text.at(i));
        if (!g)
            continue;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g->rows[size_t(row)] & (0x10 >> col))
                    plot(i * 6 * scale + col * scale, row * scale);
    }
}

QByteArray asciiText(const QString &text)
{
    return Store::foldForSearch(text).toLatin1();
}

void fillRect(QImage &image, int x0, int y0, int w, int h, QRgb color)
{
    for (int y = std::max(0, y0); y < std::min(image.height(), y0 + h); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = std::max(0, x0); x < std::min(image.width(), x0 + w); ++x)
            line[x] = color;
    }
}

QRgb mix(QColor a, QColor b, double t)
{
    return qRgb(int(a.red() + (b.red() - a.red()) * t), int(a.green() + (b.green() - a.green()) * t),
                int(a.blue() + (b.blue() - a.blue()) * t));
}

// The GIF form of an image with at most 256 colours (palette indices per pixel). Codes are
// written 9 bits wide with a clear code before the table would grow: larger than a packed
// GIF, but every decoder reads it.
void appendLzw(QByteArray &out, const QByteArray &indices)
{
    out.append(char(8)); // minimum code size
    QByteArray packed;
    quint32 bits = 0;
    int count = 0;
    auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            packed.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    constexpr int kClear = 256, kEnd = 257, kRun = 250;
    for (int i = 0; i < indices.size(); ++i) {
        if (i % kRun == 0)
            put(kClear);
        put(quint8(indices.at(i)));
    }
    put(kEnd);
    if (count > 0)
        packed.append(char(bits & 0xFF));
    for (int i = 0; i < packed.size(); i += 255) {
        const QByteArray block = packed.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
}

void appendLe16(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

} // namespace

QImage poster(QSize size, QColor top, QColor bottom, const QStringList &lines, QColor ink)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        fillRect(image, 0, y, size.width(), 1, mix(top, bottom, double(y) / std::max(1, size.height() - 1)));
    fillRect(image, 0, 0, size.width(), 8, ink.rgb());
    fillRect(image, 0, size.height() - 8, size.width(), 8, ink.rgb());

    const int lineCount = std::max<qsizetype>(1, lines.size());
    int y = 0;
    const int slot = (size.height() - 40) / lineCount;
    for (const QString &line : lines) {
        const QByteArray text = asciiText(line);
        const int widthCells = std::max(1, int(text.size()) * 6 - 1);
        const int scale = std::max(1, std::min((size.width() - 40) / widthCells, slot / 9));
        const int x0 = (size.width() - widthCells * scale) / 2;
        const int y0 = 20 + y + (slot - 7 * scale) / 2;
        forEachCell(text, scale, [&](int x, int yy) { fillRect(image, x0 + x, y0 + yy, scale, scale, ink.rgb()); });
        y += slot;
    }
    return image;
}

QByteArray encodeImage(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        return {};
    return bytes;
}

QByteArray gifBanner(int width, int height, const QString &text)
{
    // Palette: 0 dark blue, 1 white, 2 orange.
    const QRgb palette[4] = {qRgb(12, 44, 96), qRgb(255, 255, 255), qRgb(245, 130, 32), qRgb(0, 0, 0)};
    QByteArray gif = "GIF89a";
    appendLe16(gif, width);
    appendLe16(gif, height);
    gif.append(char(0xF1)); // global colour table of 4 entries
    gif.append(char(0));
    gif.append(char(0));
    for (const QRgb c : palette) {
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19); // loop for ever

    const QByteArray ascii = asciiText(text);
    const int widthCells = std::max(1, int(ascii.size()) * 6 - 1);
    const int scale = std::max(1, std::min((width - 20) / widthCells, (height - 8) / 7));
    for (int frame = 0; frame < 2; ++frame) {
        QByteArray indices(qsizetype(width) * height, char(0));
        const int x0 = (width - widthCells * scale) / 2;
        const int y0 = (height - 7 * scale) / 2;
        forEachCell(ascii, scale, [&](int x, int y) {
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    indices[qsizetype(y0 + y + dy) * width + x0 + x + dx] = char(frame == 0 ? 1 : 2);
        });
        gif.append("\x21\xF9\x04\x04\x5A\x00\x00\x00", 8); // 0.9 s per frame
        gif.append(char(0x2C));
        appendLe16(gif, 0);
        appendLe16(gif, 0);
        appendLe16(gif, width);
        appendLe16(gif, height);
        gif.append(char(0));
        appendLzw(gif, indices);
    }
    gif.append(char(0x3B));
    return gif;
}

} // namespace Seed
