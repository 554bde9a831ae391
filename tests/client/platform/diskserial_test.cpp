#include "client/platform/linuxservices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A made-up /sys/block and udev database: which device counts as the first physical disk.
class DiskSerial : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir root(m_dir.path());
        root.mkpath(u"block"_s);
        root.mkpath(u"udev"_s);
        root.mkpath(u"devices/virtual/block/loop0/device"_s);
        write(u"devices/virtual/block/loop0/removable"_s, "0\n");
        write(u"devices/virtual/block/loop0/dev"_s, "7:0\n");
        QFile::link(root.filePath(u"devices/virtual/block/loop0"_s), root.filePath(u"block/loop0"_s));
    }

    void disk(const QString &name, const char *dev, const char *removable)
    {
        QDir(m_dir.path()).mkpath(u"block/"_s + name + u"/device"_s);
        write(u"block/"_s + name + u"/dev"_s, dev);
        write(u"block/"_s + name + u"/removable"_s, removable);
    }

    void write(const QString &rel, const QByteArray &content)
    {
        QFile f(QDir(m_dir.path()).filePath(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QString read() const
    {
        return Platform::LinuxServices::diskSerialFrom(m_dir.path() + u"/block"_s,
                                                       m_dir.path() + u"/udev"_s);
    }

    QTemporaryDir m_dir;
};

TEST_F(DiskSerial, NoDiskGivesEmpty)
{
    EXPECT_EQ(read(), QString());
}

TEST_F(DiskSerial, VirtualAndRemovableDevicesAreSkipped)
{
    write(u"devices/virtual/block/loop0/serial"_s, "LOOPSERIAL");
    disk(u"sda"_s, "8:0\n", "1\n"); // a stick
    write(u"block/sda/device/serial"_s, "STICK");
    disk(u"sdb"_s, "8:16\n", "0\n");
    write(u"block/sdb/device/serial"_s, "  wd-123 \n");
    EXPECT_EQ(read(), u"wd-123"_s); // upper-casing belongs to the identifier
}

TEST_F(DiskSerial, UdevShortSerialIsPreferred)
{
    disk(u"nvme0n1"_s, "259:0\n", "0\n");
    write(u"block/nvme0n1/device/serial"_s, "SYSFS");
    write(u"udev/b259:0"_s, "S:disk/by-id/x\nE:ID_SERIAL=Samsung_SSD_S3Z\nE:ID_SERIAL_SHORT=S3Z\n");
    EXPECT_EQ(read(), u"S3Z"_s);
}

TEST_F(DiskSerial, FirstDiskDecidesEvenWithoutSerial)
{
    disk(u"sda"_s, "8:0\n", "0\n");
    disk(u"sdb"_s, "8:16\n", "0\n");
    write(u"block/sdb/device/serial"_s, "SECOND");
    EXPECT_EQ(read(), QString());
}

TEST_F(DiskSerial, ScsiSerialPage)
{
    disk(u"sda"_s, "8:0\n", "0\n");
    write(u"block/sda/device/vpd_pg80"_s, QByteArray("\x00\x80\x00\x06 ZX99 ", 10));
    EXPECT_EQ(read(), u"ZX99"_s);
}

} // namespace
