#include "client/widgets/compoundfile.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

using namespace Spreadsheet;

namespace {

quint32 at32(const QByteArray &f, qsizetype pos)
{
    return qFromLittleEndian<quint32>(f.constData() + pos);
}

// Reads the "Workbook" stream back the way a strict reader does: header DIFAT, chained DIFAT
// sectors, the FAT, then the stream's sector chain; every sector marked as the rules say.
QByteArray readBack(const QByteArray &file)
{
    const auto sector = [](quint32 n) { return qsizetype(n + 1) * 512; };
    EXPECT_EQ(file.size() % 512, 0);
    EXPECT_EQ(file.left(8), QByteArray::fromHex("D0CF11E0A1B11AE1"));
    const quint32 fatSectors = at32(file, 44);
    std::vector<quint32> fatList;
    for (int i = 0; i < 109 && fatList.size() < fatSectors; ++i)
        fatList.push_back(at32(file, 76 + 4 * i));
    quint32 difat = at32(file, 68);
    quint32 difatCount = 0;
    std::vector<quint32> difatSectors;
    while (difat != 0xFFFFFFFE && fatList.size() < fatSectors) {
        difatSectors.push_back(difat);
        for (int i = 0; i < 127 && fatList.size() < fatSectors; ++i)
            fatList.push_back(at32(file, sector(difat) + 4 * i));
        difat = at32(file, sector(difat) + 4 * 127);
        ++difatCount;
    }
    EXPECT_EQ(difatCount, at32(file, 72));
    EXPECT_EQ(fatList.size(), fatSectors);
    std::vector<quint32> fat;
    for (quint32 s : fatList) {
        for (int i = 0; i < 128; ++i)
            fat.push_back(at32(file, sector(s) + 4 * i));
    }
    for (quint32 s : fatList)
        EXPECT_EQ(fat[s], 0xFFFFFFFDu) << "a FAT sector is marked as such";
    for (quint32 s : difatSectors)
        EXPECT_EQ(fat[s], 0xFFFFFFFCu) << "a DIFAT sector is marked as such";
    const qsizetype dir = sector(at32(file, 48));
    EXPECT_EQ(file[dir + 66], 5);       // root
    EXPECT_EQ(file[dir + 128 + 66], 2); // stream
    for (int unused : {2, 3}) {
        const QByteArray e = file.mid(dir + 128 * unused, 128);
        EXPECT_EQ(at32(e, 68), 0xFFFFFFFFu);
        EXPECT_EQ(e[67], 0);
    }
    const quint32 size = at32(file, dir + 128 + 120);
    QByteArray stream;
    for (quint32 s = at32(file, dir + 128 + 116); s != 0xFFFFFFFE; s = fat[s]) {
        stream.append(file.mid(sector(s), 512));
        if (stream.size() > file.size())
            break; // a cycle
    }
    return stream.left(size);
}

TEST(CompoundFile, StreamsOfEverySizeReadBackThroughTheirChains)
{
    // Small (padded to 4096), one FAT sector, past the header's 109 FAT places (one DIFAT
    // sector), and past 236 FAT sectors (two chained DIFAT sectors).
    for (const qsizetype size : {qsizetype(100), qsizetype(60000), qsizetype(8) << 20, qsizetype(17) << 20}) {
        QByteArray stream(size, '\0');
        for (qsizetype i = 0; i < size; ++i)
            stream[i] = char((i * 7 + i / 511) & 0xFF);
        const QByteArray back = readBack(compoundFileWithWorkbook(stream));
        if (size < 4096) {
            ASSERT_EQ(back.size(), 4096);
            EXPECT_EQ(back.left(size), stream);
            EXPECT_EQ(back.mid(size), QByteArray(4096 - size, '\0'));
        } else {
            EXPECT_TRUE(back == stream) << size;
        }
    }
}

} // namespace
