#include "client/platform/fakeservices.h"
#include "client/session/browser.h"
#include "client/session/folders.h"
#include "client/session/moneyformat.h"
#include "client/session/addresses.h"
#include "client/session/sessionoptions.h"
#include "client/session/tablechecks.h"
#include "client/session/weburl.h"
#include "protocol/clienttable.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(MoneyText, TurkishAndOtherSeparators)
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    struct
    {
        double value;
        QLocale locale;
        QString expected;
    } cases[] = {
        {1234.5, tr, u"1.234,50"_s},
        {0.0, tr, u"0,00"_s},
        {0.125, tr, u"0,13"_s},
        {-1234567.891, tr, u"-1.234.567,89"_s},
        {-0.001, tr, u"0,00"_s},
        {999.999, tr, u"1.000,00"_s},
        {1234.5, en, u"1,234.50"_s},
        {1234.5, QLocale::c(), u"1,234.50"_s}, // groups even where the locale omits them
    };
    for (const auto &c : cases)
        EXPECT_EQ(Session::moneyText(c.value, c.locale), c.expected) << c.value;
}

Protocol::ClientTable secTable(std::initializer_list<int> secs)
{
    Protocol::ClientTable t;
    t.addColumn({u"STOKKODU"_s, Protocol::ColumnKind::Text});
    t.addColumn({u"SEC"_s, Protocol::ColumnKind::Int32});
    int i = 0;
    for (int s : secs)
        t.appendRow({QString::number(++i), s});
    return t;
}

TEST(TableChecks, AnyRowSelectedLeavesTheCursorWhereItStopped)
{
    Protocol::ClientTable none = secTable({0, 0, 0});
    EXPECT_FALSE(Session::anyRowSelected(none));
    EXPECT_TRUE(none.eof());
    EXPECT_EQ(none.currentRow(), 3);

    Protocol::ClientTable second = secTable({0, 1, 0});
    second.setCurrentRow(2);
    EXPECT_TRUE(Session::anyRowSelected(second));
    EXPECT_EQ(second.currentRow(), 1);

    Protocol::ClientTable empty = secTable({});
    EXPECT_FALSE(Session::tableHasRows(empty));
    EXPECT_FALSE(Session::anyRowSelected(empty));
    Protocol::ClientTable closed;
    EXPECT_FALSE(Session::tableHasRows(closed));
    EXPECT_FALSE(Session::anyRowSelected(closed));
    EXPECT_TRUE(Session::tableHasRows(second));
}

TEST(WebAddress, EncodesPathAndQueryPartsOnly)
{
    struct
    {
        QString in;
        QString out;
    } cases[] = {
        {u"http://pos.example.com/tahsilkart.html?carino=12&firmasi=ŞEN OTO&bakiye=1.234,50"_s,
         u"http://pos.example.com/tahsilkart.html?carino=12&firmasi=%C5%9EEN%20OTO&bakiye=1.234%2C50"_s},
        {u"https://h:8080/a b/ç.html"_s, u"https://h:8080/a%20b/%C3%A7.html"_s},
        {u"http://h/?q=a+b&x"_s, u"http://h/?q=a%2Bb&x"_s},
        {u"http://h"_s, u"http://h"_s},
        {u"yol/dosya adı"_s, u"yol/dosya%20ad%C4%B1"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Session::encodeWebAddress(c.in), c.out) << c.in.toStdString();
}

TEST(Folders, ProgramFolderIsCreatedUnderRoamingData)
{
    Platform::FakeServices fake;
    Platform::ScopedServices installed(fake);
    const QString expected = fake.roaming + u"/varseloto"_s;
    ASSERT_FALSE(QFileInfo::exists(expected));
    EXPECT_EQ(Session::applicationDataFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(Session::settingsFilePath(), expected + u"/ayar.ini"_s);
    EXPECT_EQ(Session::documentsFolder(), fake.documents);

    fake.roaming = fake.local + u"/dosya"_s; // a file where the folder should be
    QFile blocker(fake.roaming);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(Session::applicationDataFolder(), fake.roaming + u"/varseloto"_s); // the path all the same
}

TEST(Browser, FirstExistingChromeLocation)
{
    Platform::FakeServices fake;
    Platform::ScopedServices installed(fake);
    EXPECT_EQ(Session::chromePath(), QString());
    fake.existingFiles = {u"/usr/bin/chromium"_s, u"/opt/google/chrome/chrome"_s};
    EXPECT_EQ(Session::chromePath(), u"/opt/google/chrome/chrome"_s);

    // The fake's 17-character user name does not fit: no per-user location is tried.
    for (const QString &path : Session::chromeLocations())
        EXPECT_FALSE(path.startsWith(u"/home/"_s)) << path.toStdString();
    fake.user = u"ali"_s;
    fake.existingFiles = {u"/home/ali/.local/share/flatpak/exports/bin/com.google.Chrome"_s};
    EXPECT_EQ(Session::chromePath(), u"/home/ali/.local/share/flatpak/exports/bin/com.google.Chrome"_s);
    EXPECT_EQ(Session::internetExplorerVersion(), 0);
}

TEST(SessionOptions, AddressesFromTheCommandLine)
{
    const auto rest = Session::applySessionOptions(
        {u"--server"_s, u"127.0.0.1:9"_s, u"--ip-service"_s, u"http://127.0.0.1:81"_s,
         u"--download-host=http://127.0.0.1:82/indir/"_s, u"--"_s, u"--ip-service"_s});
    ASSERT_TRUE(rest) << rest.error().message.toStdString();
    EXPECT_EQ(*rest, (QStringList{u"--server"_s, u"127.0.0.1:9"_s, u"--"_s, u"--ip-service"_s}));
    EXPECT_EQ(Session::publicAddressUrl(), QUrl(u"http://127.0.0.1:81/ip"_s));
    EXPECT_EQ(Session::setupDownloadUrl(), QUrl(u"http://127.0.0.1:82/indir/exe/VarselSetup.exe"_s));

    for (const QStringList &bad : {QStringList{u"--ip-service"_s}, QStringList{u"--download-host=ftp://h"_s},
                                   QStringList{u"--ip-service"_s, u"yok"_s}}) {
        const auto refused = Session::applySessionOptions(bad);
        ASSERT_FALSE(refused) << bad.join(u' ').toStdString();
        EXPECT_FALSE(refused.error().message.isEmpty());
    }
    Session::setPublicAddressServiceOverride({});
    Session::setDownloadHostOverride({});
    EXPECT_EQ(Session::setupDownloadUrl(), QUrl(u"http://b2b.varseloto.com.tr/exe/VarselSetup.exe"_s));
}

} // namespace
