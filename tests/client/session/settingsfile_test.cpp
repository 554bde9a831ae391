#include "client/session/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Session::LoginSettings;

namespace {

class SettingsFile : public ::testing::Test
{
protected:
    void put(const QByteArray &bytes)
    {
        QFile f(m_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytes() const
    {
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(u"ayar.ini"_s);
};

TEST_F(SettingsFile, MissingFileIsNothing)
{
    EXPECT_EQ(Session::readLoginSettings(m_path), std::nullopt);
}

TEST_F(SettingsFile, WrittenAsUtf8AndReadBack)
{
    const LoginSettings s{u"ŞÜKRÜ ÇİFTÇİ"_s, u"ĞÖ=1;2 x"_s, false};
    ASSERT_TRUE(Session::writeLoginSettings(m_path, s));
    EXPECT_EQ(bytes(), QByteArray("[kullanici]\r\nisim=") + u"ŞÜKRÜ ÇİFTÇİ"_s.toUtf8()
                           + "\r\nsifre=" + u"ĞÖ=1;2 x"_s.toUtf8() + "\r\nhat\xc4\xb1rla=0\r\n");
    EXPECT_EQ(Session::readLoginSettings(m_path), s);

    // Values whose ends would be lost to trimming or quote stripping survive.
    const LoginSettings edged{u" A "_s, u"\"Q\""_s, true};
    ASSERT_TRUE(Session::writeLoginSettings(m_path, edged));
    EXPECT_EQ(Session::readLoginSettings(m_path), edged);
}

TEST_F(SettingsFile, LenientReading)
{
    struct
    {
        const char *name;
        QByteArray content;
        LoginSettings expected;
    } cases[] = {
        {"empty", "", {}},
        {"junk", QByteArray("\x00\xff\xfe\x01garbage=\x00", 14), {}},
        {"truncated", "[kullanici]\r\nisim=ALI\r\nsif", {u"ALI"_s, {}, true}},
        {"other section only", "[baska]\nisim=X\nhat\xc4\xb1rla=0\n", {}},
        {"remember off", "[kullanici]\nisim=ALI\nsifre=123\nhat\xc4\xb1rla=0\n", {u"ALI"_s, u"123"_s, false}},
        {"remember not a number", "[kullanici]\nhat\xc4\xb1rla=evet\n", {}},
        {"remember any non-zero", "[kullanici]\nhat\xc4\xb1rla= 2 \n", {}},
        {"case and blanks", " [ KULLANICI ] \r\n ISIM = VELI \r\nSifre=\"  s \"\r\n", {u"VELI"_s, u"  s "_s, true}},
        {"first key wins", "[kullanici]\nisim=A\nisim=B\n", {u"A"_s, {}, true}},
        {"utf-8 bom", "\xef\xbb\xbf[kullanici]\nisim=\xc3\x96ZG\xc3\x9cR\n", {u"ÖZGÜR"_s, {}, true}},
        {"latin-1 bytes", "[kullanici]\nisim=\xd6ZG\xdcR\n", {u"ÖZGÜR"_s, {}, true}},
    };
    for (const auto &c : cases) {
        put(c.content);
        EXPECT_EQ(Session::readLoginSettings(m_path), c.expected) << c.name;
    }

    const QString utf16 = u"[kullanici]\r\nisim=ALİ\r\nhatırla=0\r\n"_s;
    put(QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2));
    EXPECT_EQ(Session::readLoginSettings(m_path), (LoginSettings{u"ALİ"_s, {}, false}));
}

TEST_F(SettingsFile, UnreadableFileGivesDefaultsAndUnwritableFolderAnError)
{
    QTemporaryDir dir;
    const QString asFile = dir.filePath(u"klasor"_s);
    ASSERT_TRUE(QDir().mkpath(asFile));
    EXPECT_EQ(Session::readLoginSettings(asFile), LoginSettings{}); // a folder in the file's place

    const auto written = Session::writeLoginSettings(dir.filePath(u"yok/ayar.ini"_s), {u"A"_s, u"B"_s, true});
    ASSERT_FALSE(written);
    EXPECT_FALSE(written.error().message.isEmpty());
}

} // namespace
