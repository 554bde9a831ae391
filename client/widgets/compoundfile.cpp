#include "compoundfile.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace Spreadsheet {

namespace {

constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kDifSect = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr int kSector = 512;
constexpr int kEntriesPerSector = kSector / 4;
constexpr int kHeaderDifat = 109;
constexpr int kMiniStreamCutoff = 4096;

void put16(char *p, quint16 v)
{
    qToLittleEndian(v, p);
}
void put32(char *p, quint32 v)
{
    qToLittleEndian(v, p);
}

void directoryEntry(char *e, const QString &name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    std::memset(e, 0, 128);
    for (int i = 0; i < name.size() && i < 31; ++i)
        put16(e + 2 * i, name.at(i).unicode());
    put16(e + 64, quint16(name.isEmpty() ? 0 : (name.size() + 1) * 2));
    e[66] = char(type);
    e[67] = type == 0 ? 0 : 1; // black (a tree of one node); an unused entry is all zeros
    put32(e + 68, kNoStream);
    put32(e + 72, kNoStream);
    put32(e + 76, child);
    put32(e + 116, start);
    put32(e + 120, size);
}

} // namespace

QByteArray compoundFileWithWorkbook(QByteArray stream)
{
    if (stream.size() < kMiniStreamCutoff)
        stream.append(QByteArray(kMiniStreamCutoff - stream.size(), '\0'));
    const quint32 streamSectors = quint32((stream.size() + kSector - 1) / kSector);
    const quint32 dirSectors = 1;

    // The FAT must also map its own sectors and the DIFAT sectors: grow until it fits.
    quint32 fatSectors = 1;
    quint32 difatSectors = 0;
    for (;;) {
        difatSectors = fatSectors > kHeaderDifat ? (fatSectors - kHeaderDifat + 126) / 127 : 0;
        const quint32 total = streamSectors + dirSectors + fatSectors + difatSectors;
        if (total <= fatSectors * kEntriesPerSector)
            break;
        ++fatSectors;
    }
    const quint32 dirStart = streamSectors;
    const quint32 fatStart = dirStart + dirSectors;
    const quint32 difatStart = fatStart + fatSectors;
    const quint32 totalSectors = difatStart + difatSectors;

    QByteArray file(qsizetype(kSector) * (totalSectors + 1), '\0');
    char *header = file.data();
    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(header, signature, 8);
    put16(header + 24, 0x003E); // minor version
    put16(header + 26, 0x0003); // major version 3
    put16(header + 28, 0xFFFE); // little-endian
    put16(header + 30, 9);      // 512-byte sectors
    put16(header + 32, 6);      // 64-byte mini sectors
    put32(header + 44, fatSectors);
    put32(header + 48, dirStart);
    put32(header + 56, kMiniStreamCutoff);
    put32(header + 60, kEndOfChain); // no mini FAT
    put32(header + 64, 0);
    put32(header + 68, difatSectors ? difatStart : kEndOfChain);
    put32(header + 72, difatSectors);
    for (int i = 0; i < kHeaderDifat; ++i)
        put32(header + 76 + 4 * i, quint32(i) < fatSectors ? fatStart + quint32(i) : kFreeSect);

    auto sector = [&file](quint32 n) { return file.data() + qsizetype(kSector) * (n + 1); };

    std::memcpy(sector(0), stream.constData(), size_t(stream.size()));

    char *dir = sector(dirStart);
    directoryEntry(dir, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    directoryEntry(dir + 128, QStringLiteral("Workbook"), 2, kNoStream, 0, quint32(stream.size()));
    directoryEntry(dir + 256, QString(), 0, kNoStream, 0, 0);
    directoryEntry(dir + 384, QString(), 0, kNoStream, 0, 0);

    std::vector<quint32> fat(size_t(fatSectors) * kEntriesPerSector, kFreeSect);
    for (quint32 i = 0; i < streamSectors; ++i)
        fat[i] = i + 1 < streamSectors ? i + 1 : kEndOfChain;
    fat[dirStart] = kEndOfChain;
    for (quint32 i = 0; i < fatSectors; ++i)
        fat[fatStart + i] = kFatSect;
    for (quint32 i = 0; i < difatSectors; ++i)
        fat[difatStart + i] = kDifSect;
    for (size_t i = 0; i < fat.size(); ++i)
        put32(sector(fatStart) + 4 * i, fat[i]);

    // DIFAT sectors: 127 FAT sector numbers each, the last slot chains to the next one.
    quint32 nextFat = kHeaderDifat;
    for (quint32 d = 0; d < difatSectors; ++d) {
        char *s = sector(difatStart + d);
        for (int i = 0; i < 127; ++i, ++nextFat)
            put32(s + 4 * i, nextFat < fatSectors ? fatStart + nextFat : kFreeSect);
        put32(s + 4 * 127, d + 1 < difatSectors ? difatStart + d + 1 : kEndOfChain);
    }
    return file;
}

} // namespace Spreadsheet
