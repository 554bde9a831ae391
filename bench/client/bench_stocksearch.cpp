// The stock search as the user sees it: Enter in the search box to the first paint of the rows,
// for answers of 1,000 and 100,000 rows, against a real varsel-appserver on loopback; whether the
// busy indicator shows at once; and the longest stall of the UI thread meanwhile, measured with
// a 1 ms heartbeat.
//   B2B_APPSERVER=build/appserver/varsel-appserver build/bench/client/bench_stocksearch
// B2B_BENCH_PARTS sets the catalogue size of the server's new database (100000).
#include "client/catalogue/fetch.h"
#include "client/catalogue/stocklistview.h"
#include "client/server/callpatterns.h"
#include "client/server/serversession.h"
#include "client/session/messagedialog.h"
#include "client/session/uppercaseedit.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/gridview.h"
#include "protocol/largebuffers.h"
#include "tests/support/appserver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Fixture
{
    std::unique_ptr<Support::AppServer> server;
    Server::Connection bagc;
    Protocol::TSonucBilgisi sbilgi;
    QString error;
};

Fixture &fixture()
{
    static Fixture f = [] {
        Fixture made;
        Support::AppServer::Options options;
        options.parts = qEnvironmentVariableIntValue("B2B_BENCH_PARTS");
        if (options.parts <= 0)
            options.parts = 100000;
        options.startTimeout = std::chrono::seconds(3600);
        made.server = std::make_unique<Support::AppServer>(options);
        if (!made.server->ok()) {
            made.error = made.server->error();
            return made;
        }
        Support::DemoUser dealer;
        for (const Support::DemoUser &user : made.server->users()) {
            if (user.userType == 3 && user.customerNo > 0) {
                dealer = user;
                break;
            }
        }
        made.server->registerComputer(u"BENCH-PC"_s, dealer.name);
        auto &session = Server::ServerSession::instance();
        session.setServerOverride(QString::fromStdString(made.server->host()), made.server->port());
        session.applyProductionValues();
        made.bagc = Server::Connection(session.connectionParams());
        auto record = Server::callWithPlainOpen(
            made.bagc, [](Server::TServerMethods1Client &proxy) { return proxy.BuyukGetir(u"BENCH-PC"_s); });
        if (!record || !record->has_value()) {
            made.error = u"no session record for the dealer"_s;
            return made;
        }
        made.sbilgi = **record;
        return made;
    }();
    return f;
}

// One statement on the server's database beside it.
bool writeSetting(const QString &sql, const QVariantList &binds = {})
{
    const QString name = u"bench-settings"_s;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(fixture().server->dbPath());
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(sql);
            for (const QVariant &bind : binds)
                query.addBindValue(bind);
            ok = query.exec();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// The server answers at most this many rows of a search (its setting stok_arama_limiti).
// Only a change is written: any write makes the server's kept answers stale.
bool setSearchLimit(int rows)
{
    return writeSetting(u"INSERT INTO settings (key, value) VALUES ('stok_arama_limiti', ?)"
                        u" ON CONFLICT (key) DO UPDATE SET value = excluded.value"
                        u" WHERE settings.value <> excluded.value"_s,
                        {QString::number(rows)});
}

// A write to a table the kept answers depend on: the next search is answered afresh, as the
// first search after a price change would be.
bool moveDataVersions()
{
    return writeSetting(u"INSERT INTO settings (key, value) VALUES ('bench_tick', '1')"
                        u" ON CONFLICT (key) DO UPDATE SET value = CAST(settings.value AS INTEGER) + 1"_s);
}

// Notes the first paint of the grid after the search has ended.
class PaintWatch final : public QObject
{
public:
    bool armed = false;
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (armed && event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void BM_EnterToPaintedRows(benchmark::State &state)
{
    Fixture &f = fixture();
    if (!f.error.isEmpty()) {
        state.SkipWithError(f.error.toUtf8().constData());
        return;
    }
    const int limit = int(state.range(0));
    const bool fresh = state.range(1) != 0;
    if (!setSearchLimit(limit)) {
        state.SkipWithError("the search limit could not be set");
        return;
    }
    Session::ScriptedAnswerer answerer;
    QWidget window;
    window.resize(1400, 800);
    auto *layout = new QVBoxLayout(&window);
    auto *box = new Session::UppercaseEdit(&window);
    auto *busy = new QWidget(&window);
    busy->setGeometry(0, 0, 24, 24);
    busy->hide();
    auto *view = new Catalogue::StockListView(&window);
    layout->addWidget(box);
    layout->addWidget(view, 1);
    view->setContext({.araedit = box, .busy = busy, .bagc = &f.bagc, .sbilgi = &f.sbilgi});
    QObject::connect(box, &QLineEdit::returnPressed, view, [view] { view->search(); });
    PaintWatch watch;
    view->grid()->view()->viewport()->installEventFilter(&watch);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not shown");
        return;
    }

    std::vector<double> times;
    double worstStall = 0;
    bool busyAtOnce = true;
    int rows = 0;
    for (auto _ : state) {
        bool finished = false;
        const auto connection = QObject::connect(view, &Catalogue::StockListView::searchFinished, view, [&](bool) {
            finished = true;
            watch.armed = true;
        });
        watch.armed = false;
        watch.painted = false;
        box->setText(QString()); // every part, up to the server's limit
        box->setFocus();
        if (fresh && !moveDataVersions()) {
            state.SkipWithError("the database could not be written");
            return;
        }

        QElapsedTimer clock;
        qint64 last = 0, maxGap = 0;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, &heartbeat, [&] {
            const qint64 now = clock.nsecsElapsed();
            maxGap = std::max(maxGap, now - last);
            last = now;
        });
        clock.start();
        heartbeat.start();
        QTest::keyClick(box, Qt::Key_Return);
        busyAtOnce = busyAtOnce && busy->isVisible() && !box->isEnabled();
        while (!(finished && watch.painted))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        heartbeat.stop();
        QObject::disconnect(connection);
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms);
        worstStall = std::max(worstStall, double(maxGap) / 1e6);
        rows = view->grid()->table().rowCount();
    }
    std::sort(times.begin(), times.end());
    state.counters["rows"] = rows;
    state.counters["p50_ms"] = times.empty() ? 0 : times[times.size() / 2];
    state.counters["max_ms"] = times.empty() ? 0 : times.back();
    state.counters["max_stall_ms"] = worstStall;
    state.counters["busy_at_once"] = busyAtOnce ? 1 : 0;
    state.counters["dialogs"] = double(answerer.shown().size());
}
// Second argument 1: every search answered afresh by the server; 0: the same search again,
// answered from what the server kept.
BENCHMARK(BM_EnterToPaintedRows)
    ->ArgNames({"rows", "fresh"})
    ->ArgsProduct({{1000, 100000}, {1, 0}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(9);

// The same search without a window: the call, the server's work and the decoding into a table,
// to read the figure above against.
void BM_SearchCallOnly(benchmark::State &state)
{
    Fixture &f = fixture();
    if (!f.error.isEmpty() || !setSearchLimit(int(state.range(0)))) {
        state.SkipWithError("no server");
        return;
    }
    int rows = 0;
    for (auto _ : state) {
        auto table = Catalogue::searchStock(f.bagc.copy(), QString(), f.sbilgi);
        if (!table) {
            state.SkipWithError(table.error().message.toUtf8().constData());
            return;
        }
        rows = table->rowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_SearchCallOnly)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Protocol::keepLargeBuffersInHeap(); // as varsel-b2b does
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture().server.reset();
    return 0;
}
