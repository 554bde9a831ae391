#include "dataversions.h"

#include "sql.h"

#include <QSqlQuery>

#include <optional>

using namespace Qt::StringLiterals;

namespace Store {

namespace {

// The tables a catalogue answer depends on: the parts, the customer's prices, the open
// order quantities (ALINANSIPARIS), who may ask for which customer, and the settings (the
// row limit, the search index's stamp).
const char *const kWatched[] = {
    "stoklar",      "cari_iskontolari", "cari_ozel_fiyatlar", "siparis_satirlari",
    "kullanicilar", "satici_cariler",   "cariler",            "settings",
};

// The names come from the fixed list above, never from a request.
Protocol::Expected<Protocol::Done> sqliteTriggers(const QSqlDatabase &db, const QString &table)
{
    for (const char *event : {"INSERT", "UPDATE", "DELETE"}) {
        const QString sql = u"CREATE TRIGGER IF NOT EXISTS veri_surumu_%1_%2 AFTER %3 ON %1 BEGIN"
                            u" UPDATE veri_surumleri SET surum = surum + 1 WHERE alan = '%1'; END"_s.arg(
                                table, QString::fromLatin1(event).toLower(), QString::fromLatin1(event));
        if (auto done = exec(db, sql); !done)
            return done.error();
    }
    return Protocol::Done{};
}

Protocol::Expected<Protocol::Done> postgresTriggers(const QSqlDatabase &db, const QString &table)
{
    // One raise per statement: a price list update of 100,000 rows moves the number once.
    const QString sql = u"CREATE OR REPLACE TRIGGER veri_surumu AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE ON %1"
                        u" FOR EACH STATEMENT EXECUTE FUNCTION veri_surumu_artir('%1')"_s.arg(table);
    if (auto done = exec(db, sql); !done)
        return done.error();
    return Protocol::Done{};
}

} // namespace

Protocol::Expected<Protocol::Done> ensureDataVersions(const QSqlDatabase &db, Dialect dialect)
{
    if (auto done = exec(db, u"CREATE TABLE IF NOT EXISTS veri_surumleri (alan TEXT PRIMARY KEY,"
                             u" surum BIGINT NOT NULL DEFAULT 0)"_s);
        !done)
        return done.error();
    if (dialect == Dialect::Postgres) {
        if (auto done = exec(db, u"CREATE OR REPLACE FUNCTION veri_surumu_artir() RETURNS trigger AS $$ BEGIN"
                                 u" UPDATE veri_surumleri SET surum = surum + 1 WHERE alan = TG_ARGV[0];"
                                 u" RETURN NULL; END $$ LANGUAGE plpgsql"_s);
            !done)
            return done.error();
    }
    for (const char *watched : kWatched) {
        const QString table = QString::fromLatin1(watched);
        if (auto done = exec(db, u"INSERT INTO veri_surumleri (alan, surum) VALUES (?, 0) ON CONFLICT (alan) DO NOTHING"_s,
                             {table});
            !done)
            return done.error();
        auto done = dialect == Dialect::Postgres ? postgresTriggers(db, table) : sqliteTriggers(db, table);
        if (!done)
            return done.error();
    }
    return Protocol::Done{};
}

Protocol::Expected<DataVersions> dataVersions(const QSqlDatabase &db)
{
    // Asked before every kept answer is given: the statement is prepared once per thread and
    // connection, not parsed again for each request.
    struct Prepared
    {
        QString connection;
        std::optional<QSqlQuery> query;
    };
    thread_local Prepared prepared;
    if (!prepared.query || prepared.connection != db.connectionName()) {
        prepared.query.reset();
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.prepare(u"SELECT COALESCE(SUM(surum), 0),"
                           u" COALESCE(MAX(CASE WHEN alan = 'stoklar' THEN surum END), 0) FROM veri_surumleri"_s))
            return Protocol::makeError(u"Veritabanı hatası: veri sürümleri okunamadı"_s);
        prepared = {db.connectionName(), std::move(query)};
    }
    QSqlQuery &query = *prepared.query;
    if (!query.exec() || !query.next()) {
        prepared.query.reset(); // prepared again next time, on a connection that may have been reopened
        return Protocol::makeError(u"Veritabanı hatası: veri sürümleri okunamadı"_s);
    }
    DataVersions versions;
    versions.all = query.value(0).toLongLong();
    versions.catalogue = query.value(1).toLongLong();
    query.finish(); // ends the read at once, so it holds no snapshot of the database
    return versions;
}

} // namespace Store
