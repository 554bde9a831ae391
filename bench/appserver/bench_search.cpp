// The stock search's search step on 200,000 parts, in process: the folded text turned into
// the matching stock numbers (at most the server's default number of rows), through the
// substring index, against a plain LIKE scan of the search column for comparison.
//
//   ninja -C build-release bench_search && build-release/bench/appserver/bench_search

#include "partsdb.h"

#include "appserver/methods/cataloguerows.h"
#include "appserver/store/database.h"
#include "appserver/store/searchindex.h"
#include "appserver/store/sql.h"

#include "protocol/catalogue.h"
#include "protocol/codec.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<Store::Database> g_db;

struct Term
{
    const char *label;
    QString text;
};

// What people type: part codes and OEM numbers (whole or partly), Turkish names as typed
// (folded by the server), phrases whose three-letter pieces are all common, and misses.
const Term kLongTerms[] = {
    {"code_digits", u"012345"_s},
    {"oem_part", u"1K0"_s},
    {"word_common", u"FREN"_s},
    {"word_turkish", u"şanzıman"_s},
    {"phrase_common_pieces", u"1.6 TDCI 2010"_s},
    {"phrase_long", u"ÖN FREN BALATASI SAĞ"_s},
    {"maker_code", u"BO 123"_s},
    {"miss", u"ZZZQ"_s},
};
const Term kShortTerms[] = {
    {"one_common", u"A"_s},  {"one_digit", u"7"_s}, {"one_miss", u"Q"_s},
    {"two_common", u"FO"_s}, {"two_rare", u"XZ"_s}, {"two_turkish", u"şa"_s},
};

void searchStep(benchmark::State &state, QString text)
{
    QSqlDatabase db = g_db->connection();
    std::size_t rows = 0;
    for (auto _ : state) {
        auto found = Store::searchParts(db, text, Store::kDefaultSearchLimit);
        if (!found) {
            state.SkipWithError(qPrintable(found.error().message));
            return;
        }
        rows = found->size();
        benchmark::DoNotOptimize(found->data());
    }
    state.counters["rows"] = double(rows);
}

// The same question as one LIKE over the search column, which is what the index replaces.
void likeScan(benchmark::State &state, QString text)
{
    QSqlDatabase db = g_db->connection();
    const QString pattern = u"%"_s + text + u"%"_s;
    std::size_t rows = 0;
    for (auto _ : state) {
        auto query = Store::exec(db, u"SELECT stokno FROM stoklar WHERE arama LIKE ? ORDER BY stokno LIMIT ?"_s,
                                 {pattern, Store::kDefaultSearchLimit});
        if (!query) {
            state.SkipWithError(qPrintable(query.error().message));
            return;
        }
        rows = 0;
        while (query->next())
            ++rows;
    }
    state.counters["rows"] = double(rows);
}

// The server's work after the search step, for a search answering `rows` parts: the
// priced rows read and built into the table, then the answer written as JSON.
void buildRows(benchmark::State &state)
{
    QSqlDatabase db = g_db->connection();
    auto found = Store::searchParts(db, u"-20"_s, int(state.range(0))); // every part has a model year
    auto pricing = Methods::CustomerPricing::load(db, 1);
    if (!found || !pricing) {
        state.SkipWithError("no parts");
        return;
    }
    for (auto _ : state) {
        Protocol::ClientTable table = Methods::partTable(Methods::PartList::Search);
        if (!Methods::appendPartsByNumber(table, Methods::PartList::Search, db, *pricing, *found)) {
            state.SkipWithError("rows failed");
            return;
        }
        benchmark::DoNotOptimize(table.rowCount());
    }
    state.counters["rows"] = double(found->size());
}

void writeAnswer(benchmark::State &state)
{
    QSqlDatabase db = g_db->connection();
    auto found = Store::searchParts(db, u"-20"_s, int(state.range(0)));
    auto pricing = Methods::CustomerPricing::load(db, 1);
    Protocol::ClientTable table = Methods::partTable(Methods::PartList::Search);
    if (!found || !pricing || !Methods::appendPartsByNumber(table, Methods::PartList::Search, db, *pricing, *found)) {
        state.SkipWithError("rows failed");
        return;
    }
    const Protocol::Operation *op = Protocol::findOperation("StokAraGetirZerva");
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string body = Protocol::encodeResponse(*op, {Protocol::Value(table)});
        bytes = body.size();
        benchmark::DoNotOptimize(body.data());
    }
    state.counters["bytes"] = double(bytes);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    QCoreApplication app(argc, argv);
    const QString path = BenchParts::databasePath();
    if (path.isEmpty())
        return 1;
    auto db = Store::Database::open(u"sqlite:"_s + path);
    if (!db) {
        std::fprintf(stderr, "%s\n", qPrintable(db.error().message));
        return 1;
    }
    g_db = std::move(*db);
    // The first longer search of a process loads the texts the candidates are checked against.
    if (auto warm = Store::searchParts(g_db->connection(), u"FREN"_s, 1); !warm) {
        std::fprintf(stderr, "%s\n", qPrintable(warm.error().message));
        return 1;
    }

    for (const Term &term : kLongTerms) {
        benchmark::RegisterBenchmark((std::string("SearchStep/3plus/") + term.label).c_str(), searchStep, term.text)
            ->Unit(benchmark::kMillisecond);
    }
    for (const Term &term : kShortTerms) {
        benchmark::RegisterBenchmark((std::string("SearchStep/1to2/") + term.label).c_str(), searchStep, term.text)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("LikeScan/word_common", likeScan, u"FREN"_s)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LikeScan/miss", likeScan, u"ZZZQ"_s)->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("ServerRows/build", buildRows)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ServerRows/json", writeAnswer)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_db.reset();
    return 0;
}
