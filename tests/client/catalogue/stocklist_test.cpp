// The stock list against a real server: the search typed into the box like a user does, the
// busy state, the failure paths, the modes by window width, the pop-up menu and the movements.
#include "catalogue_fixture.h"

#include "client/catalogue/columns.h"
#include "client/catalogue/hareketstok.h"
#include "client/catalogue/stocklistview.h"
#include "client/session/uppercaseedit.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/gridview.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTimer>
#include <QVBoxLayout>

namespace CatalogueTest {
namespace {

class StockList : public RealServer
{
protected:
    void SetUp() override
    {
        RealServer::SetUp();
        m_window.resize(1300, 700);
        auto *layout = new QVBoxLayout(&m_window);
        m_box = new Session::UppercaseEdit(&m_window);
        m_busy = new QWidget(&m_window); // outside the layout, as in the search bar: it never resizes the list
        m_busy->setGeometry(0, 0, 24, 24);
        m_busy->hide();
        m_view = new Catalogue::StockListView(&m_window);
        layout->addWidget(m_box);
        layout->addWidget(m_view, 1);
        m_view->setContext({
            .araedit = m_box,
            .busy = m_busy,
            .bagc = &m_bagc,
            .sbilgi = &m_sbilgi,
            .activateTab = [this] { ++m_activations; },
            .setCaption = [this](const QString &caption) { m_caption = caption; },
        });
        // What the search bar does with Enter.
        QObject::connect(m_box, &QLineEdit::returnPressed, m_view, [this] { m_view->search(); });
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_box->setFocus();
    }

    // Types the text and presses Enter; true when the search ended within the time.
    bool typeAndSearch(const QString &text, bool *succeeded = nullptr)
    {
        QSignalSpy finished(m_view, &Catalogue::StockListView::searchFinished);
        m_box->clear();
        QTest::keyClicks(m_box, text);
        QTest::keyClick(m_box, Qt::Key_Return);
        if (!waitFor([&] { return finished.count() > 0; }))
            return false;
        if (succeeded)
            *succeeded = finished.first().first().toBool();
        return true;
    }

    int rows() const { return m_view->grid()->table().rowCount(); }

    QWidget m_window;
    Session::UppercaseEdit *m_box = nullptr;
    QWidget *m_busy = nullptr;
    Catalogue::StockListView *m_view = nullptr;
    QString m_caption = u"Stok Listesi"_s;
    int m_activations = 0;
};

TEST_F(StockList, TypedTurkishLettersAreFoldedButTextSetByTheProgramIsNot)
{
    typeText(m_box, u"çağrı"_s);
    EXPECT_EQ(m_box->text(), u"CAGRI"_s);
    m_box->clear();
    typeText(m_box, u"şişe öğün"_s);
    EXPECT_EQ(m_box->text(), u"SISE OGUN"_s) << "a typed i is searched as a plain I";
    m_box->setText(u"çağrı"_s);
    EXPECT_EQ(m_box->text(), u"ÇAĞRI"_s) << "text put in by the program is upper-cased, not folded";
}

TEST_F(StockList, EnterSearchesInTheBackgroundAndWritesTheCaption)
{
    QSignalSpy finished(m_view, &Catalogue::StockListView::searchFinished);
    QTest::keyClicks(m_box, u"fren"_s);
    QTest::keyClick(m_box, Qt::Key_Return);
    // The search runs: the box is disabled, the busy indicator shows, a second Enter is ignored.
    EXPECT_FALSE(m_box->isEnabled());
    EXPECT_TRUE(m_busy->isVisible());
    EXPECT_EQ(m_activations, 1) << "the stock tab is made the current one";
    QTest::keyClick(m_box, Qt::Key_Return);
    m_view->search();
    ASSERT_TRUE(waitFor([&] { return finished.count() > 0; }));
    QTest::qWait(200);
    EXPECT_EQ(finished.count(), 1) << "one search at a time";
    EXPECT_TRUE(finished.first().first().toBool()) << shownTexts();

    ASSERT_GT(rows(), 0);
    EXPECT_EQ(m_caption, u"%1=Stok Listesi"_s.arg(rows()));
    EXPECT_EQ(m_view->rowCount(), rows());
    EXPECT_TRUE(m_box->isEnabled());
    EXPECT_FALSE(m_busy->isVisible());
    EXPECT_TRUE(m_box->hasFocus());
    EXPECT_EQ(m_box->selectedText(), u"FREN"_s) << "the next search can be typed at once";
    EXPECT_TRUE(m_answerer.shown().isEmpty());
    // The rows are the grid's: the model shows them, the first row is focused.
    EXPECT_EQ(m_view->grid()->model()->rowCount(), rows());
    EXPECT_EQ(m_view->grid()->currentTableRow(), 0);
    // Prices come with the money format.
    const auto &table = m_view->grid()->table();
    EXPECT_TRUE(table.column(table.columnIndex(u"NETFIYAT")).moneyFormat);
}

TEST_F(StockList, SearchesThatFindNothingOrCarryOddTextAreNoFailure)
{
    bool ok = false;
    ASSERT_TRUE(typeAndSearch(u"QQQZZZ-YOK-BOYLE-PARCA"_s, &ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(m_caption, u"0=Stok Listesi"_s);

    // Quotes, backslashes and a very long text go to the server as they are.
    for (const QString &text : QStringList{u"\"'%_\\;--"_s, QString(10000, u'A') + u"\"x'"_s}) {
        QSignalSpy finished(m_view, &Catalogue::StockListView::searchFinished);
        m_box->setText(text);
        QTest::keyClick(m_box, Qt::Key_Return);
        ASSERT_TRUE(waitFor([&] { return finished.count() > 0; })) << text.left(20).toStdString();
        EXPECT_TRUE(finished.first().first().toBool()) << text.left(20).toStdString();
        EXPECT_EQ(m_caption, u"%1=Stok Listesi"_s.arg(rows()));
        EXPECT_TRUE(m_box->isEnabled());
    }
    EXPECT_TRUE(m_answerer.shown().isEmpty());
}

TEST_F(StockList, AnUnreachableServerEmptiesTheListAndSaysSo)
{
    ASSERT_TRUE(typeAndSearch(u"fren"_s));
    ASSERT_GT(rows(), 0);
    const int before = m_view->rowCount();

    m_bagc = deadConnection();
    bool ok = true;
    ASSERT_TRUE(typeAndSearch(u"fren"_s, &ok));
    EXPECT_FALSE(ok);
    EXPECT_EQ(rows(), 0) << "the stock table is emptied";
    EXPECT_EQ(m_caption, u"Stok Listesi"_s);
    EXPECT_TRUE(m_box->isEnabled());
    EXPECT_FALSE(m_busy->isVisible());
    EXPECT_EQ(m_view->rowCount(), before) << "only a successful search stores a row count";
    // One plain box per failed attempt, then the connection message.
    ASSERT_EQ(m_answerer.shown().size(), 3);
    EXPECT_TRUE(m_answerer.shown().at(0).plain);
    EXPECT_TRUE(m_answerer.shown().at(1).plain);
    EXPECT_EQ(m_answerer.shown().at(2).text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
    EXPECT_EQ(m_answerer.shown().at(2).kind, Session::DialogKind::Error);
}

TEST_F(StockList, AServerThatDropsTheSearchIsAFailure)
{
    // A peer that takes the request and hangs up without an answer.
    QTcpServer dropper;
    ASSERT_TRUE(dropper.listen(QHostAddress::LocalHost));
    QObject::connect(&dropper, &QTcpServer::newConnection, &dropper, [&] {
        while (QTcpSocket *socket = dropper.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                socket->readAll();
                socket->abort();
                socket->deleteLater();
            });
        }
    });
    Server::ConnectionParams params = m_bagc.params();
    params.port = QString::number(dropper.serverPort());
    m_bagc = Server::Connection(params);

    bool ok = true;
    ASSERT_TRUE(typeAndSearch(u"fren"_s, &ok));
    EXPECT_FALSE(ok);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(m_caption, u"Stok Listesi"_s);
    ASSERT_FALSE(m_answerer.shown().isEmpty());
    EXPECT_EQ(m_answerer.shown().last().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
    EXPECT_TRUE(m_box->isEnabled());
}

TEST_F(StockList, WideAndNarrowModesFollowTheWindowWidth)
{
    ASSERT_TRUE(typeAndSearch(u"fren"_s));
    Widgets::DataGrid *grid = m_view->grid();
    const QStringList prices{u"KDVDAHIL"_s, u"NETFIYAT"_s, u"KAMPFIYAT"_s, u"LISTEFIYAT1"_s};

    m_window.resize(1153, 700);
    ASSERT_TRUE(waitFor([&] { return grid->rowHeight() == 60; }));
    for (const QString &column : prices)
        EXPECT_TRUE(grid->isColumnVisible(column)) << column.toStdString();
    EXPECT_FALSE(grid->isColumnVisible(Catalogue::kFiyatBilgisi.toString()));

    m_window.resize(1152, 700);
    ASSERT_TRUE(waitFor([&] { return grid->rowHeight() == 100; }));
    for (const QString &column : prices)
        EXPECT_FALSE(grid->isColumnVisible(column)) << column.toStdString();
    EXPECT_TRUE(grid->isColumnVisible(Catalogue::kFiyatBilgisi.toString()));
    EXPECT_EQ(grid->columnWidth(Catalogue::kFiyatBilgisi.toString()), 150);
    // The rest by weight: every visible column of weight w is w × one share wide.
    const int share = grid->columnWidth(u"BARKOD"_s) / 2;
    EXPECT_GT(share, 0);
    EXPECT_EQ(grid->columnWidth(u"ADI"_s), 3 * share);
    EXPECT_EQ(grid->columnWidth(u"DURUM"_s), share);
    // With the price cell's fixed width the narrow list still fits: no column is out of sight.
    int total = 0;
    for (const QString &column : grid->visibleColumnsInOrder())
        total += grid->columnWidth(column);
    EXPECT_LE(total, grid->width() - 20);
    EXPECT_GE(total, grid->width() - 30 - 40) << "and it fills the width, less a share's rounding";

    // A resize while a search runs changes nothing; the next resize after it does. The search
    // goes to a peer that holds it until the test lets it fail.
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost));
    QList<QTcpSocket *> held;
    QObject::connect(&holder, &QTcpServer::newConnection, &holder, [&] {
        while (QTcpSocket *socket = holder.nextPendingConnection())
            held << socket;
    });
    Server::ConnectionParams params = m_bagc.params();
    params.port = QString::number(holder.serverPort());
    m_bagc = Server::Connection(params);
    QSignalSpy finished(m_view, &Catalogue::StockListView::searchFinished);
    m_box->setText(u"FREN"_s);
    m_view->search();
    ASSERT_TRUE(waitFor([&] { return !held.isEmpty(); }, 10000));
    m_window.resize(1300, 700);
    QTest::qWait(100);
    EXPECT_EQ(grid->rowHeight(), 100);
    EXPECT_FALSE(grid->isColumnVisible(u"NETFIYAT"_s));
    for (QTcpSocket *socket : held)
        socket->abort();
    ASSERT_TRUE(waitFor([&] { return finished.count() > 0; }));
    EXPECT_EQ(grid->rowHeight(), 100);
    m_window.resize(1301, 700);
    ASSERT_TRUE(waitFor([&] { return grid->rowHeight() == 60; }));
}

TEST_F(StockList, PopupMenuAndDoubleClick)
{
    QMenu *menu = m_view->popstok();
    QStringList captions;
    for (QAction *action : menu->actions())
        captions << (action->isSeparator() ? u"-"_s : action->text());
    EXPECT_EQ(captions, (QStringList{u"Sepete Ekle"_s, u"-"_s, u"Sipariş Bakiyeleriniz"_s, u"-"_s,
                                     u"Siparişleri Göster"_s, u"-"_s, u"Stok Hareketleri"_s}));

    QSignalSpy add(m_view, &Catalogue::StockListView::addToBasketRequested);
    QSignalSpy orders(m_view, &Catalogue::StockListView::orderMovementsRequested);
    // On an empty list nothing happens.
    m_view->S2()->trigger();
    m_view->S3()->trigger();
    m_view->StokHareketleri1()->trigger();
    EXPECT_EQ(add.count(), 0);
    EXPECT_EQ(orders.count(), 0);
    EXPECT_TRUE(m_answerer.shown().isEmpty());

    ASSERT_TRUE(typeAndSearch(u"fren"_s));
    ASSERT_GT(rows(), 1);
    Widgets::GridView *view = m_view->grid()->view();
    const QRect second = view->visualRect(view->model()->index(1, 3));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(add.count(), 1);
    const auto row = add.first().first().value<Catalogue::StockRow>();
    const auto &table = m_view->grid()->table();
    const int tableRow = m_view->grid()->currentTableRow();
    EXPECT_EQ(row.stokno, table.integer(tableRow, table.columnIndex(u"STOK_STOKNO")));
    EXPECT_EQ(row.barkod, table.text(tableRow, table.columnIndex(u"BARKOD")));
    EXPECT_EQ(row.source, Catalogue::ProductSource::StockList);

    m_view->S2()->trigger();
    EXPECT_EQ(add.count(), 2);
    m_view->S3()->trigger();
    ASSERT_EQ(orders.count(), 1);
    EXPECT_EQ(orders.first().first().toInt(), row.stokno);
}

TEST_F(StockList, StockMovementsWindowShowsCountAndAverages)
{
    ASSERT_TRUE(typeAndSearch(u""_s));
    ASSERT_GT(rows(), 0);
    // Find a part that this dealer has bought: its movements come back with rows.
    int found = -1;
    int emptyFound = -1;
    const auto &table = m_view->grid()->table();
    for (int r = 0; r < std::min(rows(), 300) && (found < 0 || emptyFound < 0); ++r) {
        const qint32 stokno = qint32(table.integer(r, table.columnIndex(u"STOK_STOKNO")));
        auto movements = Server::callDirectOnCopy(m_bagc, [&](Server::TServerMethods1Client &proxy) {
            return proxy.StokHareketVer(m_sbilgi.FCARINO, stokno);
        });
        ASSERT_TRUE(movements);
        if (movements->rowCount() > 1 && found < 0)
            found = r;
        if (movements->rowCount() == 0 && emptyFound < 0)
            emptyFound = r;
    }
    ASSERT_GE(found, 0) << "the demo history has no movements for this dealer";

    struct Seen
    {
        int rows = -1;
        QStringList visible;
        QString count, netAverage, expectedNetAverage;
        bool hadKapat = false;
    };
    const auto openFor = [&](int tableRow) {
        Seen seen;
        m_view->grid()->setCurrentTableRow(tableRow);
        QTimer::singleShot(0, [&] {
            auto *window = qobject_cast<Catalogue::hareket_stok *>(QApplication::activeModalWidget());
            if (!window)
                return;
            Widgets::DataGrid *grid = window->grid();
            Widgets::TableModel *model = grid->model();
            seen.rows = grid->table().rowCount();
            seen.visible = grid->visibleColumnsInOrder();
            seen.count = model->summaryText(model->columnOf(u"MIKTAR"));
            seen.netAverage = model->summaryText(model->columnOf(u"NETBIRIMFIYAT"));
            double sum = 0;
            const int c = grid->table().columnIndex(u"NETBIRIMFIYAT");
            for (int r = 0; r < seen.rows; ++r)
                sum += grid->table().number(r, c);
            seen.expectedNetAverage = seen.rows ? QString::number(sum / seen.rows, 'f', 2) : QString();
            seen.hadKapat = window->kapat()->text() == u"Kapat"_s;
            window->kapat()->click();
        });
        m_view->StokHareketleri1()->trigger();
        return seen;
    };

    const Seen bought = openFor(found);
    ASSERT_GT(bought.rows, 1);
    EXPECT_TRUE(bought.hadKapat);
    EXPECT_EQ(bought.visible,
              (QStringList{u"TARIH"_s, u"TURU"_s, u"EVRAKSERI"_s, u"EVRAKSIRA"_s, u"MIKTAR"_s, u"TLBIRIMFIYAT"_s,
                           u"TLVERGI"_s, u"TLTUTAR"_s, u"TOPLAMINDIRIM"_s, u"NETBIRIMFIYAT"_s, u"NETTLTUTAR"_s,
                           u"KDVDAHILBIRIMFIYAT"_s, u"KDVDAHILTUTAR"_s}));
    EXPECT_TRUE(bought.count.contains(QString::number(bought.rows))) << bought.count.toStdString();
    // The average in whatever digits the footer writes, read back.
    QString shown = bought.netAverage;
    shown.remove(u'.').replace(u',', u'.');
    bool ok = false;
    const double average = shown.section(u' ', -1).toDouble(&ok);
    ASSERT_TRUE(ok) << bought.netAverage.toStdString();
    EXPECT_NEAR(average, bought.expectedNetAverage.toDouble(), 0.01);

    if (emptyFound >= 0) {
        const Seen none = openFor(emptyFound);
        EXPECT_EQ(none.rows, 0) << "a part without movements opens an empty window";
        EXPECT_TRUE(none.count.contains(u'0')) << none.count.toStdString();
    }
    EXPECT_TRUE(m_answerer.shown().isEmpty());
}

} // namespace
} // namespace CatalogueTest
