// Store::Database: opening and creating databases, per-thread connections, settings,
// demo users and computer registration.

#include "storefixture.h"

#include "appserver/store/schema.h"
#include "appserver/store/sql.h"

#include <QFile>
#include <QSet>
#include <QSqlError>

#include <atomic>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace StoreTest {
namespace {

using StoreDatabase = StoreFixture;

TEST_F(StoreDatabase, NewFileGetsTheSchemaInWalModeWithForeignKeysEnforced)
{
    QSqlDatabase c = db->connection();
    EXPECT_EQ(count(c, u"SELECT MAX(version) FROM schema_version"_s), Store::kSchemaVersion);
    QSqlQuery mode(c);
    ASSERT_TRUE(mode.exec(u"PRAGMA journal_mode"_s) && mode.next());
    EXPECT_EQ(mode.value(0).toString(), u"wal"_s);

    const QStringList tables = c.tables();
    for (const QString &table : {u"settings"_s,
                                 u"kullanicilar"_s,
                                 u"bilgisayarlar"_s,
                                 u"cariler"_s,
                                 u"saticilar"_s,
                                 u"satici_cariler"_s,
                                 u"stoklar"_s,
                                 u"cari_iskontolari"_s,
                                 u"cari_ozel_fiyatlar"_s,
                                 u"sepet"_s,
                                 u"siparisler"_s,
                                 u"siparis_satirlari"_s,
                                 u"teslim_sekilleri"_s,
                                 u"kargo_turleri"_s,
                                 u"kargolar"_s,
                                 u"faturalar"_s,
                                 u"stok_hareketleri"_s,
                                 u"cari_hareketler"_s,
                                 u"tahsilatlar"_s,
                                 u"sanalpos"_s,
                                 u"duyurular"_s,
                                 u"acilis_reklamlari"_s,
                                 u"bannerlar"_s,
                                 u"mail_kutusu"_s,
                                 u"web_requests"_s})
        EXPECT_TRUE(tables.contains(table)) << table.toStdString();

    // A basket line for a customer that does not exist is refused, and nothing is left.
    auto refused = Store::exec(c, u"INSERT INTO sepet (carino, stokno) VALUES (?, ?)"_s, {99999, 1});
    EXPECT_FALSE(refused);
    EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM sepet WHERE carino = 99999"_s), 0);
    EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM pragma_foreign_key_check"_s), 0);
}

TEST_F(StoreDatabase, ReopeningKeepsDataAndSecretAndDoesNotSeedAgain)
{
    const QByteArray secret = db->serverSecret();
    EXPECT_EQ(secret.size(), 32);
    ASSERT_TRUE(db->setSetting(u"version"_s, u"3"_s));
    const qint64 orders = count(db->connection(), u"SELECT COUNT(*) FROM siparisler"_s);
    db.reset();

    Store::OpenOptions options;
    options.seedParts = 50; // ignored: the file already has its data
    auto again = Store::Database::open(url(u"main.db"_s), options);
    ASSERT_TRUE(again) << again.error().message.toStdString();
    EXPECT_EQ((*again)->serverSecret(), secret);
    EXPECT_EQ((*again)->announcedVersion(), 3);
    EXPECT_EQ(count((*again)->connection(), u"SELECT COUNT(*) FROM stoklar"_s), kParts);
    EXPECT_EQ(count((*again)->connection(), u"SELECT COUNT(*) FROM siparisler"_s), orders);
}

TEST_F(StoreDatabase, RefusesBadAddressesAndNewerSchemas)
{
    for (const QString &bad :
         {u""_s, u"sqlite:"_s, u"mysql://u:p@h/db"_s, u"postgresql://host"_s, u"sqlite:/nonexistent-folder/x/y.db"_s}) {
        auto opened = Store::Database::open(bad, 10);
        EXPECT_FALSE(opened) << bad.toStdString();
        if (!opened) {
            EXPECT_FALSE(opened.error().message.isEmpty());
        }
    }

    ASSERT_TRUE(Store::exec(db->connection(), u"UPDATE schema_version SET version = ?"_s, {Store::kSchemaVersion + 1}));
    db.reset();
    auto newer = Store::Database::open(url(u"main.db"_s), 10);
    ASSERT_FALSE(newer);
    EXPECT_TRUE(newer.error().message.contains(u"şema"_s)) << newer.error().message.toStdString();
}

TEST_F(StoreDatabase, AnnouncedVersionDefaultsToOne)
{
    EXPECT_EQ(db->announcedVersion(), 1);
    ASSERT_TRUE(db->setSetting(u"version"_s, u"kaputt"_s));
    EXPECT_EQ(db->announcedVersion(), 1);
    ASSERT_TRUE(db->setSetting(u"version"_s, u"2"_s));
    EXPECT_EQ(db->announcedVersion(), 2);
    EXPECT_EQ(db->setting(u"missing"_s, u"fallback"_s), u"fallback"_s);
}

TEST_F(StoreDatabase, DemoUsersCoverEveryTypeAndAnInactiveOne)
{
    const QList<Store::DemoUser> users = db->demoUsers();
    QSet<int> types;
    int inactive = 0;
    for (const Store::DemoUser &user : users) {
        types.insert(user.userType);
        EXPECT_EQ(user.name, user.name.toUpper()) << "the login upper-cases what is typed";
        EXPECT_EQ(user.password, user.password.toUpper());
        if (user.userType >= 3) {
            EXPECT_GT(user.customerNo, 0) << user.name.toStdString();
            EXPECT_FALSE(user.customerName.isEmpty());
        } else {
            EXPECT_EQ(user.customerNo, 0) << user.name.toStdString();
        }
        if (!user.active) {
            ++inactive;
            auto active =
                Store::scalar(db->connection(), u"SELECT aktif FROM kullanicilar WHERE adi = ?"_s, {user.name});
            ASSERT_TRUE(active);
            EXPECT_EQ(active->toInt(), 0);
        }
    }
    EXPECT_EQ(types, (QSet<int>{1, 2, 3, 4}));
    EXPECT_EQ(inactive, 1);
    EXPECT_EQ(users.first().name, u"YONETICI"_s);
}

TEST_F(StoreDatabase, RegisterComputer)
{
    QSqlDatabase c = db->connection();
    auto userOf = [&](const QString &id) {
        auto user = Store::scalar(c,
                                  u"SELECT k.adi FROM bilgisayarlar b JOIN kullanicilar k ON k.sirano = b.kullanici"
                                  u" WHERE b.bilgisayarid = ?"_s,
                                  {id});
        return user && user->isValid() ? user->toString() : QString();
    };

    struct Case
    {
        QString id;
        QString user;
        bool ok;
        QString registeredAs;
    };
    const Case cases[] = {
        {u"PC-1"_s, u"BAYI"_s, true, u"BAYI"_s},
        {u"PC-2"_s, u" temsilci "_s, true, u"TEMSILCI"_s}, // typed in lower case, with blanks
        {u"PC-3"_s, u"NOBODY"_s, false, QString()},
        {u"   "_s, u"BAYI"_s, false, QString()},
        {u"PC-1"_s, u"BAYI2"_s, true, u"BAYI2"_s},   // a second registration moves the computer
        {u"PC-1"_s, u"NOBODY"_s, false, u"BAYI2"_s}, // an unknown user changes nothing
    };
    for (const Case &k : cases) {
        auto done = db->registerComputer(k.id, k.user);
        EXPECT_EQ(bool(done), k.ok) << k.id.toStdString() << " / " << k.user.toStdString();
        if (!done) {
            EXPECT_FALSE(done.error().message.isEmpty());
        }
        EXPECT_EQ(userOf(k.id.trimmed()), k.registeredAs) << k.id.toStdString();
    }
    EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM bilgisayarlar"_s), 2);
}

TEST_F(StoreDatabase, EachThreadHasItsOwnConnectionRemovedWhenTheThreadEnds)
{
    const QString mine = db->connection().connectionName();
    EXPECT_EQ(db->connection().connectionName(), mine) << "the same thread keeps its connection";

    QString other;
    std::thread worker([&] {
        QSqlDatabase c = db->connection();
        other = c.connectionName();
        EXPECT_TRUE(c.isOpen());
        EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM stoklar"_s), kParts);
    });
    worker.join();
    EXPECT_NE(other, mine);
    EXPECT_FALSE(other.isEmpty());
    EXPECT_FALSE(QSqlDatabase::contains(other)) << "removed when its thread ended";
    EXPECT_TRUE(QSqlDatabase::contains(mine));

    db.reset();
    EXPECT_FALSE(QSqlDatabase::contains(mine)) << "removed with the database";
}

TEST_F(StoreDatabase, ConcurrentWritersAllSucceed)
{
    constexpr int kThreads = 4, kWrites = 25;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kWrites; ++i) {
                if (!db->setSetting(u"t%1-%2"_s.arg(t).arg(i), QString::number(i)))
                    ++failures;
            }
        });
    }
    for (std::thread &t : threads)
        t.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(count(db->connection(), u"SELECT COUNT(*) FROM settings WHERE key LIKE 't%'"_s), kThreads * kWrites);
}

TEST_F(StoreDatabase, AFailedTransactionLeavesNothing)
{
    QSqlDatabase c = db->connection();
    auto result = Store::inTransaction(c, [](QSqlDatabase &tx) -> Protocol::Expected<Protocol::Done> {
        if (auto done = Store::exec(tx, u"INSERT INTO settings (key, value) VALUES (?, ?)"_s, {u"half"_s, u"1"_s});
            !done)
            return done.error();
        return Protocol::makeError(u"second step failed"_s);
    });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().message, u"second step failed"_s);
    EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM settings WHERE key = 'half'"_s), 0);

    // A null text is written as an empty one: text columns are NOT NULL.
    ASSERT_TRUE(Store::exec(c, u"INSERT INTO settings (key, value) VALUES (?, ?)"_s, {u"empty"_s, QString()}));
    EXPECT_EQ(count(c, u"SELECT COUNT(*) FROM settings WHERE key = 'empty' AND value = ''"_s), 1);
}

TEST(StoreSchema, StatementsDifferOnlyWhereTheEnginesDo)
{
    const QStringList sqlite = Store::schemaStatements(Store::Dialect::Sqlite);
    const QStringList postgres = Store::schemaStatements(Store::Dialect::Postgres);
    ASSERT_EQ(sqlite.size(), postgres.size());
    for (const QString &statement : sqlite + postgres)
        EXPECT_FALSE(statement.contains(u'{')) << "unexpanded shorthand: " << statement.toStdString();
    EXPECT_TRUE(postgres.join(u'\n').contains(u"GENERATED BY DEFAULT AS IDENTITY"_s));
    EXPECT_TRUE(postgres.join(u'\n').contains(u"BYTEA"_s));
    EXPECT_FALSE(postgres.join(u'\n').contains(u"AUTOINCREMENT"_s));
}

} // namespace
} // namespace StoreTest
