// StokAraGetirZerva through the client's proxy (Server::Connection + TServerMethods1Client)
// against a started varsel-appserver on loopback, over the 200,000-part database: the whole
// way a search takes, request encoding, HTTP, the server's search, pricing and table writing,
// and the client's table decoding. Each repetition is one call; the median is the p50.
//
//   ninja -C build-release bench_stocksearch_roundtrip
//   build-release/bench/appserver/bench_stocksearch_roundtrip

#include "partsdb.h"

#include "client/server/connection.h"
#include "client/server/servermethods.h"
#include "client/server/serversession.h"
#include "protocol/largebuffers.h"
#include "tests/support/appserver.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<Support::AppServer> g_server;
Protocol::TSonucBilgisi g_record;

// The number of rows a search answers is a settings row the server reads on every search.
// Each repetition sets it again; only a change is written, as any write moves the versions.
bool setSearchLimit(int rows)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"bench-settings"_s);
    db.setDatabaseName(g_server->dbPath());
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
    bool ok = db.open();
    if (ok) {
        QSqlQuery query(db);
        ok = query.prepare(u"INSERT INTO settings (key, value) VALUES ('stok_arama_limiti', ?)"
                           u" ON CONFLICT (key) DO UPDATE SET value = excluded.value"
                           u" WHERE settings.value <> excluded.value"_s); // unchanged: answers stay kept
        query.addBindValue(QString::number(rows));
        ok = ok && query.exec();
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"bench-settings"_s);
    return ok;
}

Server::ConnectionParams params()
{
    Server::ConnectionParams p;
    p.hostName = QString::fromStdString(g_server->host());
    p.port = QString::number(g_server->port());
    return p;
}

// A write the kept answers depend on (a settings row no method reads): the next search is
// made afresh, as the first search of a text after a price change would be.
bool moveDataVersions()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"bench-versions"_s);
    db.setDatabaseName(g_server->dbPath());
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
    bool ok = db.open();
    if (ok) {
        QSqlQuery query(db);
        ok = query.exec(u"INSERT INTO settings (key, value) VALUES ('bench_tick', '1')"
                        u" ON CONFLICT (key) DO UPDATE SET value = CAST(settings.value AS INTEGER) + 1"_s);
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"bench-versions"_s);
    return ok;
}

enum class Answer { Kept, Fresh };

void roundTrip(benchmark::State &state, QString term, int limit, Answer answer)
{
    if (!setSearchLimit(limit)) {
        state.SkipWithError("cannot set the search limit");
        return;
    }
    Server::ServerSession session;
    Server::Connection connection(params(), &session);
    if (!connection.open()) {
        state.SkipWithError("cannot connect");
        return;
    }
    int rows = 0;
    for (auto _ : state) {
        if (answer == Answer::Fresh) {
            state.PauseTiming();
            if (!moveDataVersions()) {
                state.SkipWithError("cannot write the database");
                return;
            }
            state.ResumeTiming();
        }
        Server::TServerMethods1Client proxy(connection);
        auto table = proxy.StokAraGetirZerva(term, g_record);
        if (!table) {
            state.SkipWithError(qPrintable(table.error().message));
            return;
        }
        rows = table->rowCount();
    }
    state.counters["rows"] = rows;
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    Protocol::keepLargeBuffersInHeap(); // as varsel-b2b does
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("B2B_APPSERVER"))
        qputenv("B2B_APPSERVER", B2B_APPSERVER_BINARY);
    const QString path = BenchParts::databasePath();
    if (path.isEmpty())
        return 1;

    Support::AppServer::Options options;
    options.dbUrl = u"sqlite:"_s + path;
    g_server = std::make_unique<Support::AppServer>(options);
    if (!g_server->ok()) {
        std::fprintf(stderr, "server: %s\n", qPrintable(g_server->error()));
        return 1;
    }
    QString error;
    if (!g_server->registerComputer(u"BENCH-PC"_s, u"BAYI"_s, &error)) {
        std::fprintf(stderr, "register-computer: %s\n", qPrintable(error));
        return 1;
    }
    {
        Server::ServerSession session;
        Server::Connection connection(params(), &session);
        if (!connection.open())
            return 1;
        Server::TServerMethods1Client proxy(connection);
        auto record = proxy.BuyukGetir(u"BENCH-PC"_s);
        if (!record || !record->has_value()) {
            std::fprintf(stderr, "BuyukGetir gave no session record\n");
            return 1;
        }
        g_record = **record;
    }

    // "FREN" matches about 24,000 parts, "-20" (model years) all of them: the limit cuts both.
    // Fresh: the server makes the answer (its parts already in memory); kept: the same search
    // again with nothing changed, answered from what the server kept.
    for (const Answer answer : {Answer::Fresh, Answer::Kept}) {
        const char *kind = answer == Answer::Fresh ? "fresh" : "kept";
        benchmark::RegisterBenchmark((std::string("StokAraGetirZerva/rows:1000/") + kind).c_str(), roundTrip,
                                     u"FREN"_s, 1000, answer)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(31)
            ->ReportAggregatesOnly();
        benchmark::RegisterBenchmark((std::string("StokAraGetirZerva/rows:100000/") + kind).c_str(), roundTrip,
                                     u"-20"_s, 100000, answer)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(11)
            ->ReportAggregatesOnly();
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    setSearchLimit(0); // back to the server's default
    g_server.reset();
    return 0;
}
