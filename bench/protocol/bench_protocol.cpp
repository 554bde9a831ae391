// Decoding and writing a stock-search sized table: 100,000 rows x 35 columns.
//   build/bench/protocol/bench_protocol --benchmark_counters_tabular=true
// Compare DecodeTable's bytes_per_second with SimdjsonParse's (same bytes, same run).

#include "protocol/codec.h"
#include "protocol/largebuffers.h"
#include "protocol/tablejson.h"

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <random>

using namespace Protocol;

namespace {

constexpr int kRows = 100'000;

// 35 columns shaped like the stock list: codes and names as text, numbers, prices, marks.
ClientTable stockTable(int rows)
{
    struct Col
    {
        const char *name;
        ColumnKind kind;
    };
    static const Col cols[] = {
        {"STOK_STOKNO", ColumnKind::Int32}, {"BARKOD", ColumnKind::Text},      {"ADI", ColumnKind::Text},
        {"URETICIKODU", ColumnKind::Text},  {"OEMNO", ColumnKind::Text},       {"MARKA", ColumnKind::Text},
        {"MODEL", ColumnKind::Text},        {"GRUP", ColumnKind::Text},        {"BIRIM", ColumnKind::Text},
        {"KDV", ColumnKind::Float},         {"FIYAT", ColumnKind::Float},      {"DOVIZ", ColumnKind::Text},
        {"IND1", ColumnKind::Float},        {"IND2", ColumnKind::Float},       {"IND3", ColumnKind::Float},
        {"IND4", ColumnKind::Float},        {"INDIRIMYAZI", ColumnKind::Text}, {"NETFIYAT", ColumnKind::Float},
        {"KDVDAHIL", ColumnKind::Float},    {"KAMPANYA", ColumnKind::Int32},   {"KAMPANYAFIYAT", ColumnKind::Float},
        {"YENI", ColumnKind::Int32},        {"RESIM", ColumnKind::Int32},      {"DEPO1", ColumnKind::Int32},
        {"DEPO2", ColumnKind::Int32},       {"KOLIADET", ColumnKind::Int32},   {"ARAC", ColumnKind::Text},
        {"ACIKLAMA", ColumnKind::Text},     {"MENSEI", ColumnKind::Text},      {"ESKIKOD", ColumnKind::Text},
        {"SIPARISTE", ColumnKind::Float},   {"SEPETTE", ColumnKind::Float},    {"PUAN", ColumnKind::Int32},
        {"SIRA", ColumnKind::Int32},        {"NOTU", ColumnKind::Text},
    };
    static const char *names[] = {"FREN BALATASI ÖN", "DEBRİYAJ SETİ", "ŞANZIMAN YAĞI 75W90", "AMORTİSÖR ARKA SOL",
                                  "YAĞ FİLTRESİ", "HAVA FİLTRESİ", "TRİGER SETİ", "SU POMPASI"};
    static const char *makes[] = {"FORD", "FIAT", "RENAULT", "VOLKSWAGEN", "TOYOTA", "HYUNDAI"};
    ClientTable t;
    for (const Col &c : cols)
        t.addColumn({QString::fromLatin1(c.name), c.kind, defaultTypeCode(c.kind)});
    std::mt19937 rng(7);
    t.reserveRows(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < t.columnCount(); ++c) {
            const std::string_view n = cols[c].name;
            switch (cols[c].kind) {
            case ColumnKind::Int32: t.appendInteger(n == "STOK_STOKNO" ? r + 1 : int(rng() % 100)); break;
            case ColumnKind::Float: t.appendNumber(double(rng() % 100000) / 100.0); break;
            default:
                if (n == "ADI")
                    t.appendText(std::string_view(names[rng() % 8]));
                else if (n == "MARKA")
                    t.appendText(std::string_view(makes[rng() % 6]));
                else if (n == "NOTU" || n == "ESKIKOD")
                    t.appendNull();
                else
                    t.appendText(std::to_string(rng() % 10'000'000));
            }
        }
        t.endRow();
    }
    return t;
}

const std::string &responseBody()
{
    static const std::string body = encodeResponse(operation("StokAraGetirZerva"), {stockTable(kRows)});
    return body;
}

void SimdjsonParse(benchmark::State &state)
{
    const simdjson::padded_string padded(responseBody());
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element root;
        if (parser.parse(padded).get(root))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(root);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(padded.size()));
}

void DecodeTable(benchmark::State &state)
{
    const std::string &body = responseBody();
    size_t held = 0;
    for (auto _ : state) {
        auto decoded = decodeResponse(operation("StokAraGetirZerva"), body);
        if (!decoded)
            state.SkipWithError("decode failed");
        held = std::get<ClientTable>(decoded->back()).memoryBytes();
        benchmark::DoNotOptimize(decoded);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(body.size()));
    state.counters["bytes_per_row"] = double(held) / kRows;
    state.counters["json_MB"] = double(body.size()) / 1e6;
}

void WriteTable(benchmark::State &state)
{
    std::vector<Value> outputs;
    outputs.emplace_back(stockTable(kRows));
    size_t size = 0;
    for (auto _ : state) {
        const std::string body = encodeResponse(operation("StokAraGetirZerva"), outputs);
        size = body.size();
        benchmark::DoNotOptimize(body.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

// The same into a buffer that keeps its capacity, as a server connection reuses its body buffer.
void WriteTableReusedBuffer(benchmark::State &state)
{
    const ClientTable table = stockTable(kRows);
    std::string out;
    for (auto _ : state) {
        out.clear();
        writeTable(out, table);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.size()));
}

} // namespace

BENCHMARK(SimdjsonParse)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeTable)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteTable)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteTableReusedBuffer)->Unit(benchmark::kMillisecond);
int main(int argc, char **argv)
{
    Protocol::keepLargeBuffersInHeap(); // as both programs do
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
