// The typical order, end to end, as a dealer goes through it: the login window, a part code in
// the search box, a double-click in the stock list, the quantity in the add dialog with its
// price panel and picture, the basket with its ticks and totals, "Gönder", the choices in the
// confirmation window, "Siparişiniz Gönderildi !", and the order as the server lists it.

#include "tests/client/app/mainwindow_fixture.h"

#include "client/app/basket_wiring.h"
#include "client/app/catalogue_wiring.h"
#include "client/app/searchbar.h"
#include "client/basket/onaysip.h"
#include "client/basket/sepetview.h"
#include "client/basket/stokayarinti.h"
#include "client/basket/totalspanel.h"
#include "client/catalogue/pricepanel.h"
#include "client/catalogue/prices.h"
#include "client/catalogue/stocklistview.h"
#include "client/catalogue/tasyncresim.h"
#include "client/server/servermethods.h"
#include "client/session/moneyformat.h"
#include "client/session/uppercaseedit.h"
#include "client/widgets/badgetabbar.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/gridview.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace E2E {
namespace {

using namespace Qt::StringLiterals;
using App::TabId;
using AppTest::waitFor;

// Answers the next modal window of type W once it is up, from the loop its exec() runs.
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

// Double-clicks a cell of a grid the way the mouse does.
void doubleClickCell(Widgets::DataGrid *grid, int tableRow, const QString &column)
{
    const QModelIndex index =
        grid->model()->index(grid->model()->rowOfTableRow(tableRow), grid->model()->columnOf(column));
    ASSERT_TRUE(index.isValid()) << column.toStdString();
    grid->view()->scrollTo(index);
    const QPoint at = grid->view()->visualRect(index).center();
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, at);
}

int rowWhere(const Protocol::ClientTable &t, QStringView column, const QVariant &value)
{
    const int col = t.columnIndex(column);
    for (int row = 0; col >= 0 && row < t.rowCount(); ++row) {
        if (t.value(row, col) == value)
            return row;
    }
    return -1;
}

class TypicalOrder : public AppTest::MainWindow
{
};

TEST_F(TypicalOrder, FromThePartCodeToTheOrderOnTheServer)
{
    // A part with a picture and a package of more than one piece.
    QString barkod;
    qint32 stokno = 0, koliadet = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"e2e"_s);
        db.setDatabaseName(s_server->dbPath());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(u"SELECT barkod, stokno, koliadet FROM stoklar WHERE resim = 1 AND kampanya = 0"
                           u" AND koliadet > 1 ORDER BY stokno LIMIT 1"_s));
        ASSERT_TRUE(q.next());
        barkod = q.value(0).toString();
        stokno = q.value(1).toInt();
        koliadet = q.value(2).toInt();
    }
    QSqlDatabase::removeDatabase(u"e2e"_s);

    // The login window, typed into; then the program's own installation of the two areas.
    std::unique_ptr<App::TForm1> form = signIn(3);
    ASSERT_TRUE(form && form->signedIn());
    Basket::SepetView *basket = App::installBasket(*form);
    const App::CatalogueViews views = App::installCatalogue(*form, {.addToBasket = App::basketAddAction(basket)});
    // With every page in place the window still fits a 1366 x 768 screen, so the basket's
    // "Gönder" and the legend stay in sight when it is maximized there.
    EXPECT_LE(form->minimumSizeHint().height(), 768);
    EXPECT_LE(form->minimumSizeHint().width(), 1366);
    form->resize(1400, 900);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    m_answerer.clear();

    // The part code and Enter: the stock list fills and counts its rows in the caption.
    Session::UppercaseEdit *araedit = form->searchBar()->araedit();
    QSignalSpy searched(views.stockList, &Catalogue::StockListView::searchFinished);
    araedit->setFocus();
    QTest::keyClicks(araedit, barkod);
    QTest::keyClick(araedit, Qt::Key_Return);
    ASSERT_TRUE(searched.wait(60000));
    const Protocol::ClientTable &stock = views.stockList->grid()->table();
    EXPECT_EQ(form->tabs()->caption(TabId::StokListesi), u"%1=Stok Listesi"_s.arg(stock.rowCount()));
    const int stockRow = rowWhere(stock, u"BARKOD", barkod);
    ASSERT_GE(stockRow, 0);

    // A double-click on the row: the add dialog with the package quantity, its price panel and
    // the picture; one more piece than a package is rounded up on "Sipariş ekle".
    int startQuantity = 0;
    bool picture = false;
    double panelTotal = 0;
    OnModal<Basket::stokayarinti> addDialog([&](Basket::stokayarinti *d) {
        startQuantity = d->adet()->value();
        picture = waitFor([d] { return d->picture()->hasPicture(); }, 20000);
        d->adet()->selectAll();
        QTest::keyClicks(d->adet(), QString::number(koliadet + 1));
        QTest::mouseClick(d->siparisEkleButton(), Qt::LeftButton);
        panelTotal = d->pricePanel()->line().geneltutar;
    });
    doubleClickCell(views.stockList->grid(), stockRow, u"BARKOD"_s);
    ASSERT_TRUE(addDialog.ran());
    EXPECT_EQ(startQuantity, koliadet);
    EXPECT_TRUE(picture) << "the part's picture did not arrive";
    EXPECT_GT(panelTotal, 0);

    // The basket tab: the line is there among the ones already in the basket.
    QSignalSpy loaded(basket, &Basket::SepetView::loaded);
    Widgets::BadgeTabBar *bar = form->tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(int(TabId::Sepet)).center());
    ASSERT_TRUE(loaded.wait(30000));
    Protocol::ClientTable &sepet = basket->sepet();
    EXPECT_EQ(form->tabs()->caption(TabId::Sepet), u"%1=Sepet"_s.arg(sepet.rowCount()));
    const int line = rowWhere(sepet, u"STOKNO", stokno);
    ASSERT_GE(line, 0);
    EXPECT_EQ(sepet.number(line, sepet.columnIndex(u"MIKTAR")), 2.0 * koliadet);

    // Only this line goes into the order: clear the ticks, tick it, and read the totals.
    QTest::mouseClick(basket->secimleriKaldirButton(), Qt::LeftButton);
    doubleClickCell(basket->grid(), line, u"SEC"_s);
    EXPECT_EQ(sepet.number(line, sepet.columnIndex(u"SEC")), 1.0);
    const auto amount = [&](QStringView c) { return sepet.number(line, sepet.columnIndex(c)); };
    const double grand =
        Catalogue::Yuvarla2(Catalogue::Yuvarla2(amount(u"TUTAR") - amount(u"INDIRIMTUTAR")) + amount(u"VERGITUTARI"));
    const QString toplam = basket->totals()->geneltoplaml()->text();
    EXPECT_EQ(toplam, Session::moneyText(grand, QLocale(QLocale::Turkish, QLocale::Turkey)));

    // "Gönder": the confirmation with the second delivery option chosen; cargo type and carrier.
    QString summary;
    int preselected = -1;
    OnModal<Basket::ONAYSIP> confirm([&](Basket::ONAYSIP *w) {
        summary = w->summary()->text();
        preselected = w->teslimDurumu()->checkedId();
        for (QAbstractButton *b : w->kargoTurleri()->buttons()) {
            if (b->text() == u"Alıcı Ödemeli"_s)
                QTest::mouseClick(b, Qt::LeftButton);
        }
        w->kargoList()->setCurrentIndex(w->kargoList()->findText(u"Aras Kargo"_s));
        w->aciklamagir()->setFocus();
        QTest::keyClicks(w->aciklamagir(), u"Saat 10dan once"_s);
        QTest::mouseClick(w->evetButton(), Qt::LeftButton);
    });
    QTest::mouseClick(basket->gonderButton(), Qt::LeftButton);
    ASSERT_TRUE(confirm.ran());
    EXPECT_EQ(preselected, 1);
    EXPECT_TRUE(summary.endsWith(u"Tutar    : "_s + toplam)) << summary.toStdString();
    ASSERT_FALSE(m_answerer.shown().isEmpty());
    EXPECT_EQ(m_answerer.shown().last().text, u"Siparişiniz Gönderildi !"_s);
    EXPECT_EQ(m_answerer.shown().last().kind, Session::DialogKind::Information);
    // The basket was fetched again: the ordered line left it, the others stayed.
    EXPECT_LT(rowWhere(basket->sepet(), u"STOKNO", stokno), 0);

    // The order as the previous orders list it, with exactly the ticked line.
    Server::Connection c = form->bagc().copy();
    ASSERT_TRUE(c.open());
    Server::TServerMethods1Client proxy(c);
    const qint32 carino = form->sbilgi().FCARINO;
    auto orders = proxy.OncekiSiparisler(carino);
    ASSERT_TRUE(orders) << orders.error().message.toStdString();
    qint32 idno = 0;
    int newest = -1;
    for (int row = 0; row < orders->rowCount(); ++row) {
        const qint32 id = orders->value(row, orders->columnIndex(u"IDNO")).toInt();
        if (id > idno) {
            idno = id;
            newest = row;
        }
    }
    ASSERT_GE(newest, 0);
    EXPECT_EQ(orders->text(newest, orders->columnIndex(u"TESLIM")), u"Kargo ile Gönderilsin"_s);
    auto lines = proxy.SiparisAyrintisi2(carino, idno);
    ASSERT_TRUE(lines) << lines.error().message.toStdString();
    ASSERT_EQ(lines->rowCount(), 1);
    EXPECT_EQ(lines->text(0, lines->columnIndex(u"BARKOD")), barkod);
    EXPECT_EQ(lines->number(0, lines->columnIndex(u"MIKTAR")), 2.0 * koliadet);
    c.close();
}

} // namespace
} // namespace E2E
