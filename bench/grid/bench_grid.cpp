// The grid on a list of 100,000 rows × 35 columns: load and first paint, a scroll step, fitting
// columns, sorting, filtering, and the longest stall of the UI thread while a background fill
// is swapped in.
//   QT_QPA_PLATFORM=offscreen build/bench/grid/bench_grid
#include "client/widgets/datagrid.h"
#include "client/widgets/gridview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QScrollBar>
#include <QTimer>
#include <QtConcurrent>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 35;

ColumnKind kindOf(int column)
{
    if (column < 20)
        return ColumnKind::Text;
    if (column < 25)
        return ColumnKind::Int32;
    if (column < 33)
        return ColumnKind::Float;
    return ColumnKind::DateTime;
}

// A stock-list-like table: codes and names, quantities, prices and dates.
Protocol::ClientTable bigTable()
{
    static const char *words[] = {"FREN",   "BALATA", "ŞAFT", "DİSK", "AMORTİSÖR", "ÇAMURLUK", "GÖSTERGE", "KAYIŞ",
                                  "ZİNCİR", "FİLTRE", "YAĞ",  "BUJİ", "RADYATÖR",  "AYNA",     "FAR",      "STOP"};
    Protocol::ClientTable t;
    for (int c = 0; c < kColumns; ++c) {
        Protocol::ColumnInfo info;
        info.name = u"KOLON%1"_s.arg(c);
        info.kind = kindOf(c);
        info.typeCode = Protocol::defaultTypeCode(info.kind);
        t.addColumn(info);
    }
    t.reserveRows(kRows);
    char buffer[96];
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            switch (kindOf(c)) {
            case ColumnKind::Text: {
                const int n = c % 3 == 0 ? std::snprintf(buffer, sizeof buffer, "%08u", next() % 10000000u)
                                         : std::snprintf(buffer, sizeof buffer, "%s %s %u", words[next() % 16],
                                                         words[next() % 16], next() % (c == 1 ? 50u : 100000u));
                t.appendText(std::string_view(buffer, size_t(n)));
                break;
            }
            case ColumnKind::Int32: t.appendInteger(next() % 1000); break;
            case ColumnKind::Float: t.appendNumber(double(next() % 10000000) / 100.0); break;
            default: t.appendDateTimeMsecs(qint64(1700000000000) + qint64(next() % 100000) * 86400); break;
            }
        }
        t.endRow();
    }
    t.applyMoneyFormat();
    return t;
}

// CPU time of the calling thread: what a step costs, whatever else the machine runs.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

const Protocol::ClientTable &sharedBigTable()
{
    static const Protocol::ClientTable table = bigTable();
    return table;
}

std::vector<Widgets::ColumnSpec> columns()
{
    std::vector<Widgets::ColumnSpec> columnSpecs;
    for (int c = 0; c < kColumns; ++c) {
        Widgets::ColumnSpec s;
        s.name = u"KOLON%1"_s.arg(c);
        s.weight = c % 3 + 1;
        s.summary = c == 0              ? Widgets::Summary::Count
                    : c >= 25 && c < 33 ? Widgets::Summary::Sum
                                        : Widgets::Summary::None;
        columnSpecs.push_back(s);
    }
    return columnSpecs;
}

struct Grid
{
    Grid()
    {
        grid.setColumns(columns());
        grid.setFooterVisible(true);
        grid.setFilterButtons(true);
        grid.setRowHeight(40);
        grid.resize(1366, 700);
        grid.show();
        QCoreApplication::processEvents();
    }
    void paint()
    {
        grid.repaint();
        grid.view()->viewport()->repaint();
        QCoreApplication::processEvents();
    }
    Widgets::DataGrid grid;
};

void BM_LoadAndFirstPaint(benchmark::State &state)
{
    Grid g;
    for (auto _ : state) {
        state.PauseTiming();
        Protocol::ClientTable copy = sharedBigTable();
        state.ResumeTiming();
        g.grid.setTable(std::move(copy));
        g.paint();
    }
}
BENCHMARK(BM_LoadAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State &state)
{
    Grid g;
    g.grid.setTable(Protocol::ClientTable(sharedBigTable()));
    g.paint();
    QScrollBar *bar = g.grid.view()->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + 3 * bar->singleStep() >= bar->maximum() ? 0
                                                                             : bar->value() + 3 * bar->singleStep());
        g.grid.view()->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond);

void BM_FitToContent(benchmark::State &state)
{
    Grid g;
    g.grid.setTable(Protocol::ClientTable(sharedBigTable()));
    g.paint();
    for (auto _ : state)
        g.grid.fitColumnsToContent();
}
BENCHMARK(BM_FitToContent)->Unit(benchmark::kMillisecond);

// Arg: the column sorted (1 text, 21 integer, 26 money); the first sort of a table builds its keys.
void BM_SortFirstTime(benchmark::State &state)
{
    Grid g;
    const int column = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        g.grid.model()->sort(-1);
        g.grid.setTable(Protocol::ClientTable(sharedBigTable()));
        state.ResumeTiming();
        g.grid.model()->sort(column, Qt::AscendingOrder);
        g.paint();
    }
}
BENCHMARK(BM_SortFirstTime)->Arg(1)->Arg(21)->Arg(26)->Unit(benchmark::kMillisecond);

void BM_SortAgain(benchmark::State &state)
{
    Grid g;
    g.grid.setTable(Protocol::ClientTable(sharedBigTable()));
    const int column = int(state.range(0));
    bool descending = false;
    for (auto _ : state) {
        g.grid.model()->sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        g.paint();
        descending = !descending;
    }
}
BENCHMARK(BM_SortAgain)->Arg(1)->Arg(21)->Arg(26)->Unit(benchmark::kMillisecond);

// The model alone, without a view: the sort itself.
void BM_SortModelOnly(benchmark::State &state)
{
    Widgets::TableModel model;
    model.setColumns(columns());
    model.setTable(Protocol::ClientTable(sharedBigTable()));
    const int column = int(state.range(0));
    bool descending = false;
    for (auto _ : state) {
        model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        descending = !descending;
    }
}
BENCHMARK(BM_SortModelOnly)->Arg(1)->Arg(21)->Unit(benchmark::kMillisecond);

// A header filter on a text column of 32 distinct values, accepting half of them.
void BM_Filter(benchmark::State &state)
{
    Grid g;
    g.grid.setTable(Protocol::ClientTable(sharedBigTable()));
    Widgets::TableModel *model = g.grid.model();
    const std::vector<Widgets::FilterValue> values = model->distinctValues(2);
    std::vector<std::string> half;
    for (size_t i = 0; i < values.size(); i += 2)
        half.push_back(values[i].key);
    int shown = 0;
    for (auto _ : state) {
        model->setValueFilter(2, half);
        g.paint();
        shown = model->dataRowCount();
        state.PauseTiming();
        model->clearFilters();
        state.ResumeTiming();
    }
    state.counters["shown_rows"] = shown;
}
BENCHMARK(BM_Filter)->Unit(benchmark::kMillisecond);

void BM_DistinctValues(benchmark::State &state)
{
    Grid g;
    g.grid.setTable(Protocol::ClientTable(sharedBigTable()));
    for (auto _ : state)
        benchmark::DoNotOptimize(g.grid.model()->distinctValues(int(state.range(0))));
}
BENCHMARK(BM_DistinctValues)->Arg(2)->Arg(26)->Unit(benchmark::kMillisecond);

// A worker builds the table while a 1 ms heartbeat runs on the UI thread; its completion swaps
// the table into the grid. The counter is the longest gap between two heartbeats.
void BM_BackgroundFillStall(benchmark::State &state)
{
    Grid g;
    g.grid.setTable(Protocol::ClientTable(sharedBigTable()));
    g.paint();
    double worst = 0, swap = 0, swapCpu = 0, paintCpu = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0, maxGap = 0;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, &heartbeat, [&] {
            const qint64 now = clock.nsecsElapsed();
            maxGap = std::max(maxGap, now - last);
            last = now;
        });
        QEventLoop loop;
        QFutureWatcher<Protocol::ClientTable> watcher;
        qint64 swapNs = 0;
        QObject::connect(&watcher, &QFutureWatcher<Protocol::ClientTable>::finished, &loop, [&] {
            QElapsedTimer t;
            t.start();
            const double cpu0 = threadCpuMs();
            g.grid.setTable(watcher.future().takeResult());
            const double cpu1 = threadCpuMs();
            g.grid.view()->viewport()->repaint();
            swapNs = t.nsecsElapsed();
            swapCpu = std::max(swapCpu, cpu1 - cpu0);
            paintCpu = std::max(paintCpu, threadCpuMs() - cpu1);
            QTimer::singleShot(100, &loop, &QEventLoop::quit); // keep beating a while after the swap
        });
        last = clock.nsecsElapsed();
        heartbeat.start();
        watcher.setFuture(QtConcurrent::run(bigTable));
        loop.exec();
        heartbeat.stop();
        worst = std::max(worst, double(maxGap) / 1e6);
        swap = std::max(swap, double(swapNs) / 1e6);
    }
    state.counters["max_stall_ms"] = worst;
    state.counters["swap_and_paint_ms"] = swap;
    state.counters["swap_cpu_ms"] = swapCpu;
    state.counters["paint_cpu_ms"] = paintCpu;
}
BENCHMARK(BM_BackgroundFillStall)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same heartbeat with nothing else to do for a second: the machine's own gaps, to read the
// stall above against.
void BM_IdleHeartbeat(benchmark::State &state)
{
    double worst = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0, maxGap = 0;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, &heartbeat, [&] {
            const qint64 now = clock.nsecsElapsed();
            maxGap = std::max(maxGap, now - last);
            last = now;
        });
        QEventLoop loop;
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        heartbeat.start();
        loop.exec();
        worst = std::max(worst, double(maxGap) / 1e6);
    }
    state.counters["max_gap_ms"] = worst;
}
BENCHMARK(BM_IdleHeartbeat)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    sharedBigTable();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
