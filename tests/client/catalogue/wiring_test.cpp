// The catalogue in the real main window: the search bar drives the stock list, the tabs load
// the new and campaign lists each time they are shown, and the user type picks the columns.
#include "catalogue_fixture.h"

#include "client/app/busyindicator.h"
#include "client/app/catalogue_wiring.h"
#include "client/app/mainwindow.h"
#include "client/app/searchbar.h"
#include "client/catalogue/productlistview.h"
#include "client/catalogue/stocklistview.h"
#include "client/platform/fakeservices.h"
#include "client/session/uppercaseedit.h"
#include "client/widgets/datagrid.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QPushButton>
#include <QSignalSpy>

namespace CatalogueTest {
namespace {

using App::TabId;

class Wiring : public RealServer
{
protected:
    // The main window signed in as the user of a type: the login step only fills the session
    // record from the server, as the real login ends up doing.
    std::unique_ptr<App::TForm1> form(int userType)
    {
        auto window =
            std::make_unique<App::TForm1>([this, userType](Server::Connection &bagc, Protocol::TSonucBilgisi &sbilgi) {
                bagc.setParams(m_bagc.params());
                if (!signIn(userType))
                    return false;
                sbilgi = m_sbilgi;
                sbilgi.FDisip = u"127.0.0.1"_s;
                return true;
            });
        EXPECT_TRUE(window->signedIn());
        QSignalSpy started(window.get(), &App::TForm1::startupFinished);
        EXPECT_TRUE(started.wait(30000));
        return window;
    }

    Platform::FakeServices m_fake;
    Platform::ScopedServices m_installed{m_fake};
};

TEST_F(Wiring, SearchBarTabsAndCaptions)
{
    auto window = form(3);
    const App::CatalogueViews views = App::installCatalogue(*window);
    ASSERT_TRUE(views.stockList && views.newList && views.campaignList);
    window->resize(1280, 800);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    m_answerer.clear();
    App::TabHost *tabs = window->tabs();
    Session::UppercaseEdit *box = window->searchBar()->araedit();

    // Enter in the search box: the stock tab shows the count, the busy indicator came and went.
    tabs->setCurrent(TabId::Sepet);
    QSignalSpy searched(views.stockList, &Catalogue::StockListView::searchFinished);
    box->setFocus();
    QTest::keyClicks(box, u"fren"_s);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(window->searchBar()->busy(App::BusyId::StockSearch)->isVisible());
    EXPECT_EQ(tabs->current(), TabId::StokListesi);
    window->searchBar()->temizleButton()->click(); // ignored while the search runs
    ASSERT_TRUE(searched.wait(60000));
    const int rows = views.stockList->grid()->table().rowCount();
    ASSERT_GT(rows, 0);
    EXPECT_EQ(tabs->caption(TabId::StokListesi), u"%1=Stok Listesi"_s.arg(rows));
    EXPECT_FALSE(window->searchBar()->busy(App::BusyId::StockSearch)->isVisible());

    // "Ara" searches the box's text again.
    window->searchBar()->araButton()->click();
    ASSERT_TRUE(searched.wait(60000));
    EXPECT_EQ(searched.count(), 2);

    // "Temizle": an empty list, the plain caption, no row count.
    window->searchBar()->temizleButton()->click();
    EXPECT_EQ(views.stockList->grid()->table().rowCount(), 0);
    EXPECT_EQ(tabs->caption(TabId::StokListesi), u"Stok Listesi"_s);
    EXPECT_EQ(views.stockList->rowCount(), 0);
    EXPECT_TRUE(box->text().isEmpty());

    // The two product tabs load each time they are shown.
    QSignalSpy newLoads(views.newList, &Catalogue::ProductListView::loadFinished);
    QSignalSpy campaignLoads(views.campaignList, &Catalogue::ProductListView::loadFinished);
    tabs->setCurrent(TabId::YeniStoklar);
    ASSERT_TRUE(newLoads.wait(60000));
    EXPECT_EQ(tabs->caption(TabId::YeniStoklar), u"%1=Yeni Stoklar"_s.arg(views.newList->grid()->table().rowCount()));
    tabs->setCurrent(TabId::KampanyaliStoklar);
    ASSERT_TRUE(campaignLoads.wait(60000));
    EXPECT_EQ(tabs->caption(TabId::KampanyaliStoklar),
              u"%1=Kampanyalı"_s.arg(views.campaignList->grid()->table().rowCount()));
    tabs->setCurrent(TabId::YeniStoklar);
    ASSERT_TRUE(newLoads.wait(60000));
    EXPECT_EQ(newLoads.count(), 2) << "showing the tab again fetches again";

    // "Sipariş Bakiyeleriniz" goes to the open balances.
    views.stockList->B1()->trigger();
    EXPECT_EQ(tabs->current(), TabId::Bakiyeler);
    EXPECT_TRUE(m_answerer.shown().isEmpty());
}

TEST_F(Wiring, UserTypeRulesReachTheLists)
{
    {
        auto window = form(2);
        const App::CatalogueViews views = App::installCatalogue(*window);
        for (Widgets::DataGrid *grid : {views.stockList->grid(), views.newList->grid(), views.campaignList->grid()}) {
            for (const QString &column : {u"KALAN"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s}) {
                EXPECT_TRUE(grid->isColumnVisible(column)) << grid->objectName().toStdString() << column.toStdString();
                EXPECT_TRUE(grid->customisableColumns().contains(column));
            }
        }
    }
    {
        auto window = form(4);
        const App::CatalogueViews views = App::installCatalogue(*window);
        window->resize(1400, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        views.stockList->KolonBoyutla();
        for (Widgets::DataGrid *grid : {views.stockList->grid(), views.newList->grid()}) {
            for (const QString &column : {u"KAMPFIYAT"_s, u"K"_s}) {
                EXPECT_FALSE(grid->isColumnVisible(column)) << grid->objectName().toStdString() << column.toStdString();
                EXPECT_FALSE(grid->customisableColumns().contains(column));
            }
            EXPECT_FALSE(grid->isColumnVisible(u"KALAN"_s));
        }
        EXPECT_FALSE(window->tabs()->isTabShown(TabId::KampanyaliStoklar));
    }
}

// Pictures of the stock list in both modes and of the other two lists, for a person to look at:
//   B2B_SCREENSHOTS=/tmp/shots xvfb-run -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb
//       test_catalogue_wiring --gtest_filter='*Screenshots*'
TEST_F(Wiring, Screenshots)
{
    const QString folder = qEnvironmentVariable("B2B_SCREENSHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "B2B_SCREENSHOTS names no folder";
    auto window = form(3);
    const App::CatalogueViews views = App::installCatalogue(*window);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QSignalSpy searched(views.stockList, &Catalogue::StockListView::searchFinished);
    QTest::keyClicks(window->searchBar()->araedit(), qEnvironmentVariable("B2B_SCREENSHOT_SEARCH", u"fren"_s));
    QTest::keyClick(window->searchBar()->araedit(), Qt::Key_Return);
    ASSERT_TRUE(searched.wait(60000));
    const auto shoot = [&](const QString &name, QSize size) {
        window->resize(size);
        QTest::qWait(400);
        EXPECT_TRUE(window->grab().save(folder + u'/' + name)) << name.toStdString();
    };
    shoot(u"stocklist-wide.png"_s, {1400, 900});
    shoot(u"stocklist-narrow.png"_s, {1100, 900});
    views.stockList->grid()->setCurrentTableRow(2);
    shoot(u"stocklist-narrow-selected.png"_s, {1100, 900});
    QSignalSpy loaded(views.campaignList, &Catalogue::ProductListView::loadFinished);
    window->tabs()->setCurrent(TabId::KampanyaliStoklar);
    ASSERT_TRUE(loaded.wait(60000));
    shoot(u"campaign.png"_s, {1400, 900});
    QSignalSpy newLoaded(views.newList, &Catalogue::ProductListView::loadFinished);
    window->tabs()->setCurrent(TabId::YeniStoklar);
    ASSERT_TRUE(newLoaded.wait(60000));
    shoot(u"new.png"_s, {1400, 900});

    // The movements of the part with the most of them among the first rows.
    window->tabs()->setCurrent(TabId::StokListesi);
    const auto &stock = views.stockList->grid()->table();
    int best = 0, bestCount = -1;
    for (int r = 0; r < std::min(stock.rowCount(), 40); ++r) {
        auto movements = Server::callDirectOnCopy(m_bagc, [&](Server::TServerMethods1Client &proxy) {
            return proxy.StokHareketVer(m_sbilgi.FCARINO, qint32(stock.integer(r, stock.columnIndex(u"STOK_STOKNO"))));
        });
        if (movements && movements->rowCount() > bestCount) {
            best = r;
            bestCount = movements->rowCount();
        }
    }
    views.stockList->grid()->setCurrentTableRow(best);
    bool saved = false;
    QTimer::singleShot(500, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            saved = dialog->grab().save(folder + u"/hareket_stok.png"_s);
            dialog->close();
        }
    });
    views.stockList->StokHareketleri1()->trigger();
    EXPECT_TRUE(saved);
}

} // namespace
} // namespace CatalogueTest
