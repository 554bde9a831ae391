#pragma once

// The basket's windows against a real varsel-appserver: one server per test program, a
// registered computer for a dealer and one for a representative, the session record as the
// login would have it, and helpers to answer the modal windows as a user does.

#include "client/basket/basketcalls.h"
#include "client/basket/sepetview.h"
#include "client/catalogue/stockrow.h"
#include "client/server/openretry.h"
#include "client/server/servermethods.h"
#include "client/server/serversession.h"
#include "client/session/messagedialog.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/gridview.h"
#include "tests/support/appserver.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>

namespace BasketTest {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

inline bool waitFor(const std::function<bool()> &condition, int ms = 30000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

// Runs `act` on the next modal window of type W once it is up (the dialogs of the basket are
// modal: the test answers them from the event loop that exec() runs).
template<typename W> class OnModal final
{
public:
    explicit OnModal(std::function<void(W *)> act)
        : m_act(std::move(act))
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            auto *w = qobject_cast<W *>(QApplication::activeModalWidget());
            if (!w || m_done)
                return;
            m_done = true;
            m_timer.stop();
            m_act(w);
        });
        m_timer.start(10);
    }
    bool ran() const { return m_done; }

private:
    std::function<void(W *)> m_act;
    QTimer m_timer;
    bool m_done = false;
};

// Counts the basket's calls by operation, on the real connection.
class CallCounter final
{
public:
    CallCounter()
    {
        Basket::setCallObserver([this](const QString &op) { m_calls.append(op); });
    }
    ~CallCounter() { Basket::setCallObserver({}); }
    int count(const QString &op) const { return int(m_calls.count(op)); }
    const QStringList &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    QStringList m_calls;
};

class BasketFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (!s_server->ok())
            return;
        for (const Support::DemoUser &user : s_server->users()) {
            if (user.name == u"BAYI"_s)
                s_dealer = user;
            if (user.name == u"TEMSILCI"_s)
                s_rep = user;
        }
        s_server->registerComputer(u"SEPET-BAYI"_s, s_dealer.name);
        s_server->registerComputer(u"SEPET-TEMSILCI"_s, s_rep.name);
    }
    static void TearDownTestSuite()
    {
        QSqlDatabase::removeDatabase(u"basket-test"_s);
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString();
        ASSERT_FALSE(s_dealer.name.isEmpty());
        ASSERT_FALSE(s_rep.name.isEmpty());
        auto &session = Server::ServerSession::instance();
        session.setServerOverride(QString::fromStdString(s_server->host()), s_server->port());
        session.setWebRootOverride(s_server->webRoot());
        session.applyProductionValues();
        Server::setDefaultRetryPolicy({2, 20ms});
        m_bagc = std::make_unique<Server::Connection>();
    }
    void TearDown() override
    {
        m_view.reset();
        Server::setDefaultRetryPolicy({});
    }

    // The session record the login leaves: the dealer's own, or the representative's with a
    // customer he may work for.
    Protocol::TSonucBilgisi signIn(bool representative)
    {
        Protocol::TSonucBilgisi record;
        auto found = call([&](Server::TServerMethods1Client &p) {
            return p.BuyukGetir(representative ? u"SEPET-TEMSILCI"_s : u"SEPET-BAYI"_s);
        });
        EXPECT_TRUE(found && found->has_value());
        if (found && found->has_value())
            record = **found;
        if (representative) {
            QSqlQuery q = sql(u"SELECT sc.carino FROM satici_cariler sc JOIN kullanicilar k"
                              u" ON k.saticino = sc.saticino WHERE k.adi = 'TEMSILCI' ORDER BY sc.carino LIMIT 1"_s);
            EXPECT_TRUE(q.next());
            record.FCARINO = q.value(0).toInt();
        }
        return record;
    }

    // The basket tab as the main window installs it, for a fresh session record.
    Basket::SepetView &openView(bool representative = false)
    {
        m_sbilgi = signIn(representative);
        emptyBasket();
        Basket::SepetHost host;
        host.bagc = m_bagc.get();
        host.sbilgi = &m_sbilgi;
        host.busy = [this](bool on) { m_busy = on; };
        host.setCaption = [this](const QString &c) { m_caption = c; };
        host.focusSearch = [this] { ++m_searchFocused; };
        m_view = std::make_unique<Basket::SepetView>(std::move(host));
        m_view->resize(1400, 700);
        m_view->show();
        return *m_view;
    }

    void loadView()
    {
        bool done = false;
        QObject::connect(m_view.get(), &Basket::SepetView::loaded, m_view.get(), [&done] { done = true; });
        m_view->load();
        ASSERT_TRUE(waitFor([&] { return done; }));
    }

    template<typename Body> std::invoke_result_t<Body &, Server::TServerMethods1Client &> call(Body body)
    {
        Server::Connection c = m_bagc ? m_bagc->copy() : Server::Connection();
        EXPECT_TRUE(c.open());
        Server::TServerMethods1Client proxy(c);
        auto result = body(proxy);
        c.close();
        return result;
    }

    static QSqlQuery sql(const QString &statement, const QVariantList &values = {})
    {
        QSqlDatabase db = QSqlDatabase::contains(u"basket-test"_s)
                              ? QSqlDatabase::database(u"basket-test"_s)
                              : QSqlDatabase::addDatabase(u"QSQLITE"_s, u"basket-test"_s);
        if (!db.isOpen()) {
            db.setDatabaseName(s_server->dbPath());
            db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
            EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        }
        QSqlQuery q(db);
        q.prepare(statement);
        for (const QVariant &v : values)
            q.addBindValue(v);
        EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString() << " in " << statement.toStdString();
        return q;
    }

    void emptyBasket()
    {
        Protocol::TSonucBilgisi copy = m_sbilgi;
        auto done = call([&](Server::TServerMethods1Client &p) { return p.SepetHepsiniSil(copy); });
        ASSERT_TRUE(done) << done.error().message.toStdString();
    }

    // The server's basket of the session's customer.
    Protocol::ClientTable serverBasket()
    {
        auto t = call([&](Server::TServerMethods1Client &p) { return p.SepetVer2(m_sbilgi.FCARINO); });
        EXPECT_TRUE(t);
        return t ? std::move(*t) : Protocol::ClientTable();
    }

    // A part of the catalogue as the stock list would hand it over: searched by its code.
    Catalogue::StockRow part(int index, Catalogue::ProductSource source = Catalogue::ProductSource::StockList)
    {
        QSqlQuery q = sql(u"SELECT barkod FROM stoklar WHERE kampanya = 0 ORDER BY stokno LIMIT 1 OFFSET ?"_s, {index});
        EXPECT_TRUE(q.next());
        const QString barkod = q.value(0).toString();
        Protocol::TSonucBilgisi copy = m_sbilgi;
        auto found = call([&](Server::TServerMethods1Client &p) { return p.StokAraGetirZerva(barkod, copy); });
        EXPECT_TRUE(found && found->rowCount() > 0) << barkod.toStdString();
        if (!found)
            return {};
        const int col = found->columnIndex(u"BARKOD");
        for (int row = 0; row < found->rowCount(); ++row) {
            if (found->text(row, col) == barkod)
                return *Catalogue::stockRowFrom(*found, row, source);
        }
        ADD_FAILURE() << "the search for " << barkod.toStdString() << " did not list it";
        return {};
    }

    // Puts a part into the server's basket the way the dialog would, without the dialog.
    void addDirectly(const Catalogue::StockRow &p, double quantity, std::array<double, 4> rates = {})
    {
        Protocol::TSonucBilgisi copy = m_sbilgi;
        auto added = call([&](Server::TServerMethods1Client &proxy) {
            return proxy.SepetEkle2(copy, m_sbilgi.FCARINO, p.stokno, p.barkod, p.adi, quantity, p.kdv, p.fiyat,
                                    rates[0], m_sbilgi.FSirano, p.k, rates[1], rates[2], rates[3]);
        });
        ASSERT_TRUE(added) << added.error().message.toStdString();
        ASSERT_EQ(*added, 1);
    }

    // Sets a line's selection flag on the server, as another client would.
    void setSec(qint32 sirano, qint32 flag)
    {
        auto done = call([&](Server::TServerMethods1Client &p) { return p.SepetSecimGuncelle(sirano, flag); });
        ASSERT_TRUE(done) << done.error().message.toStdString();
    }

    // The cell of a column in a table row of the view's grid, focused as a click would.
    void focusCell(int tableRow, const QString &column)
    {
        Widgets::DataGrid *grid = m_view->grid();
        const int viewRow = grid->model()->rowOfTableRow(tableRow);
        const int viewCol = grid->model()->columnOf(column);
        ASSERT_GE(viewRow, 0);
        ASSERT_GE(viewCol, 0);
        grid->view()->setCurrentIndex(grid->model()->index(viewRow, viewCol));
    }

    static inline Support::AppServer *s_server = nullptr;
    static inline Support::DemoUser s_dealer;
    static inline Support::DemoUser s_rep;

    std::unique_ptr<Server::Connection> m_bagc;
    Protocol::TSonucBilgisi m_sbilgi;
    std::unique_ptr<Basket::SepetView> m_view;
    Session::ScriptedAnswerer m_answerer;
    bool m_busy = false;
    QString m_caption;
    int m_searchFocused = 0;
};

} // namespace BasketTest
