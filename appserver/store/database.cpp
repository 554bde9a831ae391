#include "database.h"

#include "dataversions.h"
#include "schema.h"
#include "searchindex.h"
#include "sql.h"
#include "walwatch.h"

#include "appserver/seed/seed.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

using namespace Qt::StringLiterals;

namespace Store {

namespace {

std::atomic<quint64> g_nextDatabaseId{1};

// The connections one Database handed out, shared with the threads that hold them, so that
// whichever ends first (the thread or the Database) removes them.
struct ConnectionSet
{
    quint64 id = 0;
    std::mutex mutex;
    std::set<QString> names;
    bool alive = true;

    void release(const QString &name)
    {
        std::lock_guard lock(mutex);
        if (alive && names.erase(name) > 0)
            QSqlDatabase::removeDatabase(name);
    }
};

// Per thread: the connections this thread opened, removed when the thread ends.
struct ThreadConnections
{
    struct Entry
    {
        std::weak_ptr<ConnectionSet> owner;
        quint64 ownerId = 0;
        QString name;
    };
    std::vector<Entry> entries;
    quint64 counter = 0;

    ~ThreadConnections()
    {
        for (const Entry &entry : entries) {
            if (auto owner = entry.owner.lock())
                owner->release(entry.name);
        }
    }
};

thread_local ThreadConnections t_connections;

struct ParsedUrl
{
    Dialect dialect = Dialect::Sqlite;
    QString driver;
    QString databaseName;
    QString host;
    int port = -1;
    QString user;
    QString password;
};

Protocol::Expected<ParsedUrl> parseUrl(const QString &url)
{
    ParsedUrl parsed;
    if (url.startsWith(u"sqlite:"_s)) {
        parsed.driver = u"QSQLITE"_s;
        parsed.databaseName = url.mid(7);
        if (parsed.databaseName.startsWith(u"//"_s)) // sqlite:///abs/path
            parsed.databaseName = parsed.databaseName.mid(2);
        if (parsed.databaseName.isEmpty() || parsed.databaseName == u":memory:"_s)
            return Protocol::makeError(u"Veritabanı adresinde dosya yolu yok: "_s + url);
        return parsed;
    }
    if (url.startsWith(u"postgresql://"_s) || url.startsWith(u"postgres://"_s)) {
        const QUrl u = QUrl(url, QUrl::StrictMode);
        if (!u.isValid() || u.path().size() < 2)
            return Protocol::makeError(u"Geçersiz PostgreSQL adresi: "_s + url);
        parsed.dialect = Dialect::Postgres;
        parsed.driver = u"QPSQL"_s;
        parsed.databaseName = u.path().mid(1);
        parsed.host = u.host();
        parsed.port = u.port(5432);
        parsed.user = u.userName();
        parsed.password = u.password();
        return parsed;
    }
    return Protocol::makeError(u"Tanınmayan veritabanı adresi (sqlite:DOSYA ya da postgresql://...): "_s + url);
}

// Settings every connection needs. SQLite keeps WAL in the file; foreign keys and the
// synchronous level are per connection.
bool prepareConnection(QSqlDatabase &db, Dialect dialect)
{
    if (dialect != Dialect::Sqlite)
        return true;
    return exec(db, u"PRAGMA foreign_keys = ON"_s).has_value() &&
           exec(db, u"PRAGMA synchronous = NORMAL"_s).has_value();
}

Protocol::Expected<Protocol::Done> createAndSeed(const QSqlDatabase &db, Dialect dialect, const OpenOptions &options)
{
    if (auto done = createSchema(db, dialect); !done)
        return done;
    Seed::Options seed;
    seed.parts = std::max(0, options.seedParts);
    seed.anchor = options.seedAnchor.isValid() ? options.seedAnchor : QDate::currentDate();
    if (auto done = Seed::populate(db, seed); !done)
        return done;
    if (auto done = syncGeneratedKeys(db, dialect); !done)
        return done;

    QByteArray secret(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(secret.data()), secret.size() / 4);
    const QList<std::pair<QString, QString>> settings = {
        {u"version"_s, u"1"_s},
        {u"server_secret"_s, QString::fromLatin1(secret.toHex())},
        {u"seed_parts"_s, QString::number(seed.parts)},
        {u"seed_anchor"_s, seed.anchor.toString(Qt::ISODate)},
    };
    for (const auto &[key, value] : settings) {
        // The seed may have written a row already (the ticker); these keys are the store's own.
        if (auto done = exec(db, u"INSERT INTO settings (key, value) VALUES (?, ?)"_s, {key, value}); !done)
            return done.error();
    }
    return Protocol::Done{};
}

} // namespace

struct Database::Private
{
    QString templateName; // registered, closed: the source every thread's connection is cloned from
    Dialect dialect = Dialect::Sqlite;
    QString path; // SQLite's file
    std::shared_ptr<ConnectionSet> connections;

    // The last versions read and the WAL index header read just before them.
    std::mutex versionsMutex;
    bool watchTried = false;
    std::unique_ptr<WalWatch> watch;
    WalWatch::Header header{};
    std::optional<DataVersions> versions;
};

Protocol::Expected<std::unique_ptr<Database>> Database::open(const QString &url, int seedParts)
{
    OpenOptions options;
    options.seedParts = seedParts;
    return open(url, options);
}

Protocol::Expected<std::unique_ptr<Database>> Database::open(const QString &url, const OpenOptions &options)
{
    auto parsed = parseUrl(url);
    if (!parsed)
        return parsed.error();
    if (!QSqlDatabase::isDriverAvailable(parsed->driver))
        return Protocol::makeError(u"Qt SQL sürücüsü yok: "_s + parsed->driver);

    std::unique_ptr<Database> database(new Database);
    database->d = std::make_unique<Private>();
    Private &p = *database->d;
    p.dialect = parsed->dialect;
    p.path = parsed->databaseName;
    p.connections = std::make_shared<ConnectionSet>();
    p.connections->id = g_nextDatabaseId.fetch_add(1);
    p.templateName = u"varsel-store-%1"_s.arg(p.connections->id);

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(parsed->driver, p.templateName);
        db.setDatabaseName(parsed->databaseName);
        if (p.dialect == Dialect::Sqlite) {
            db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
        } else {
            db.setHostName(parsed->host);
            db.setPort(parsed->port);
            db.setUserName(parsed->user);
            db.setPassword(parsed->password);
        }
        if (!db.open()) {
            const QString error = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(p.templateName);
            return Protocol::makeError(u"Veritabanı açılamadı: "_s + error);
        }

        auto ready = [&]() -> Protocol::Expected<Protocol::Done> {
            if (p.dialect == Dialect::Sqlite) {
                auto mode = scalar(db, u"PRAGMA journal_mode = WAL"_s);
                if (!mode)
                    return mode.error();
            }
            if (!prepareConnection(db, p.dialect))
                return Protocol::makeError(u"Veritabanı bağlantısı hazırlanamadı"_s);
            return inTransaction(db, [&](QSqlDatabase &tx) -> Protocol::Expected<Protocol::Done> {
                if (p.dialect == Dialect::Postgres) {
                    // Several servers starting on one empty database: one creates, the others wait.
                    if (auto locked = exec(tx, u"SELECT pg_advisory_xact_lock(7263514)"_s); !locked)
                        return locked.error();
                }
                auto version = schemaVersion(tx);
                if (!version)
                    return version.error();
                if (*version == 0) {
                    // A large seed in one transaction: keep its pages in memory instead of
                    // spilling them to the log again and again (SQLite; per connection).
                    if (p.dialect == Dialect::Sqlite)
                        (void)exec(tx, u"PRAGMA cache_size = -131072"_s); // only a speed-up
                    if (auto done = createAndSeed(tx, p.dialect, options); !done)
                        return done;
                } else if (*version > kSchemaVersion) {
                    return Protocol::makeError(
                        u"Veritabanı bu sunucudan yeni (şema %1, beklenen %2)"_s.arg(*version).arg(kSchemaVersion));
                }
                // The catalogue's substring index, also for a database made before it existed.
                if (auto done = ensureSearchIndex(tx); !done)
                    return done;
                // The open order lines, summed into every catalogue list (ALINANSIPARIS).
                if (auto done = exec(tx, u"CREATE INDEX IF NOT EXISTS siparis_satirlari_acik ON siparis_satirlari"
                                         u" (stokno, kalan) WHERE kalan > 0"_s);
                    !done)
                    return done.error();
                return ensureDataVersions(tx, p.dialect);
            });
        }();
        db.close();
        if (!ready) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(p.templateName);
            return ready.error();
        }
    }
    return database;
}

Database::~Database()
{
    if (!d)
        return;
    d->watch.reset(); // before the connections that keep its file in place close
    {
        std::lock_guard lock(d->connections->mutex);
        d->connections->alive = false;
        for (const QString &name : d->connections->names)
            QSqlDatabase::removeDatabase(name);
        d->connections->names.clear();
    }
    QSqlDatabase::removeDatabase(d->templateName);
}

QSqlDatabase Database::connection()
{
    ThreadConnections &mine = t_connections;
    const quint64 ownerId = d->connections->id;
    // Forget entries of databases that are gone, so a long-lived thread does not collect them.
    std::erase_if(mine.entries, [](const ThreadConnections::Entry &e) { return e.owner.expired(); });
    for (const auto &entry : mine.entries) {
        if (entry.ownerId == ownerId)
            return QSqlDatabase::database(entry.name, true);
    }

    static std::atomic<quint64> threadSerial{0};
    if (mine.counter == 0)
        mine.counter = threadSerial.fetch_add(1) + 1;
    const QString name = u"%1-t%2"_s.arg(d->templateName).arg(mine.counter);
    {
        std::lock_guard lock(d->connections->mutex);
        d->connections->names.insert(name);
    }
    QSqlDatabase db = QSqlDatabase::cloneDatabase(d->templateName, name);
    mine.entries.push_back({d->connections, ownerId, name});
    if (db.open())
        prepareConnection(db, d->dialect);
    return db;
}

Protocol::Expected<DataVersions> Database::dataVersions()
{
    std::optional<QSqlDatabase> db;
    WalWatch::Header before{};
    {
        std::lock_guard lock(d->versionsMutex);
        if (!d->watchTried && d->dialect == Dialect::Sqlite) {
            // A connection first: this process holds its connections from then on, and they
            // keep the index file in place for the watch.
            db = connection();
            d->watchTried = db->isOpen();
            if (d->watchTried)
                d->watch = WalWatch::open(d->path);
        }
        if (d->watch) {
            before = d->watch->read();
            if (d->versions && before == d->header)
                return *d->versions;
        }
    }
    if (!db)
        db = connection();
    auto versions = Store::dataVersions(*db);
    if (versions && d->watch) {
        std::lock_guard lock(d->versionsMutex);
        d->header = before; // read before the versions: they are at least as new as it
        d->versions = *versions;
    }
    return versions;
}

bool Database::isPostgres() const
{
    return d->dialect == Dialect::Postgres;
}

QList<DemoUser> Database::demoUsers()
{
    QList<DemoUser> users;
    auto query =
        exec(connection(), u"SELECT k.adi, k.sifre, k.tipi, COALESCE(c.carino, 0), COALESCE(c.cariadi, ''), k.aktif"
                           u" FROM kullanicilar k LEFT JOIN cariler c ON c.carino = k.carino"
                           u" WHERE k.demo = 1 ORDER BY k.sirano"_s);
    if (!query)
        return users;
    while (query->next()) {
        DemoUser user;
        user.name = query->value(0).toString();
        user.password = query->value(1).toString();
        user.userType = query->value(2).toInt();
        user.customerNo = query->value(3).toInt();
        user.customerName = query->value(4).toString();
        user.active = query->value(5).toInt() == 1;
        users.append(user);
    }
    return users;
}

Protocol::Expected<Protocol::Done> Database::registerComputer(const QString &computerId, const QString &userName)
{
    const QString id = computerId.trimmed();
    if (id.isEmpty())
        return Protocol::makeError(u"Bilgisayar kimliği boş olamaz"_s);
    // The login turns what is typed to upper case, and user names are kept that way.
    const QString name = userName.trimmed().toUpper();
    return inTransaction(connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
        auto user = scalar(db, u"SELECT sirano FROM kullanicilar WHERE adi = ?"_s, {name});
        if (!user)
            return user.error();
        if (!user->isValid())
            return Protocol::makeError(u"Kullanıcı bulunamadı: "_s + userName);
        const QString now = QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
        auto done = exec(db,
                         u"INSERT INTO bilgisayarlar (bilgisayarid, kullanici, kayit_tarihi) VALUES (?, ?, ?)"
                         u" ON CONFLICT (bilgisayarid) DO UPDATE SET kullanici = excluded.kullanici,"
                         u" kayit_tarihi = excluded.kayit_tarihi"_s,
                         {id, user->toInt(), now});
        if (!done)
            return done.error();
        return Protocol::Done{};
    });
}

QString Database::setting(const QString &key, const QString &fallback)
{
    auto value = scalar(connection(), u"SELECT value FROM settings WHERE key = ?"_s, {key});
    if (!value || !value->isValid())
        return fallback;
    return value->toString();
}

Protocol::Expected<Protocol::Done> Database::setSetting(const QString &key, const QString &value)
{
    return inTransaction(connection(), [&](QSqlDatabase &db) -> Protocol::Expected<Protocol::Done> {
        auto done = exec(db,
                         u"INSERT INTO settings (key, value) VALUES (?, ?)"
                         u" ON CONFLICT (key) DO UPDATE SET value = excluded.value"_s,
                         {key, value});
        if (!done)
            return done.error();
        return Protocol::Done{};
    });
}

int Database::announcedVersion()
{
    bool ok = false;
    const int version = setting(u"version"_s, u"1"_s).toInt(&ok);
    return ok ? version : 1;
}

QByteArray Database::serverSecret()
{
    return QByteArray::fromHex(setting(u"server_secret"_s).toLatin1());
}

} // namespace Store
