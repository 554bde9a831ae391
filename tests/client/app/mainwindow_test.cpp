#include "mainwindow_fixture.h"

#include "client/app/generalmenu.h"
#include "client/app/headerpanel.h"
#include "client/app/searchbar.h"
#include "client/app/statuslegend.h"
#include "client/session/messagewindow.h"
#include "client/session/uppercaseedit.h"
#include "client/widgets/badgetabbar.h"

#include <QLabel>

namespace AppTest {
namespace {

using App::TabId;
using Session::DialogButton;

struct TypeCase
{
    int type;
    bool customerButton;
    bool reports;
    bool campaignTab;
};

TEST_F(MainWindow, UserTypesDecideButtonMenuAndCampaignTab)
{
    const TypeCase cases[] = {
        {1, true, true, true},
        {2, true, true, true},
        {3, false, false, true},
        {4, false, false, false},
    };
    for (const TypeCase &c : cases) {
        SCOPED_TRACE(c.type);
        auto form = signIn(c.type);
        ASSERT_TRUE(form->signedIn());
        ASSERT_EQ(form->sbilgi().FMusteriTipi, c.type) << "the server's record decides the type";
        form->show();
        EXPECT_EQ(form->searchBar()->musteritus()->isVisible(), c.customerButton);
        EXPECT_EQ(form->Genelmenu()->R1()->isVisible(), c.reports);
        EXPECT_EQ(form->tabs()->isTabShown(TabId::KampanyaliStoklar), c.campaignTab);
        EXPECT_EQ(form->columnRules(App::ListId::StockList), App::columnRules(c.type, App::ListId::StockList));

        // A badge count for the campaign tab never brings it back.
        form->tabs()->setCaption(TabId::KampanyaliStoklar, u"5=Kampanyalı Stoklar"_s);
        form->tabs()->setCurrent(TabId::KampanyaliStoklar);
        EXPECT_EQ(form->tabs()->tabBar()->isTabVisible(int(TabId::KampanyaliStoklar)), c.campaignTab);
        EXPECT_EQ(form->tabs()->current() == TabId::KampanyaliStoklar, c.campaignTab);
        // Every other tab stays.
        for (int tab = 0; tab < App::kTabCount; ++tab) {
            if (TabId(tab) != TabId::KampanyaliStoklar) {
                EXPECT_TRUE(form->tabs()->isTabShown(TabId(tab))) << tab;
            }
        }
    }
    EXPECT_TRUE(m_exits.isEmpty());
}

TEST_F(MainWindow, StartupTaskFillsTheHeaderFromTheSessionRecord)
{
    auto form = signIn(3);
    ASSERT_TRUE(form->signedIn());
    const Protocol::TSonucBilgisi &record = form->sbilgi();
    const Support::DemoUser &user = s_users.at(3);
    ASSERT_FALSE(record.FSaticiAdi.isEmpty()) << "the dealer's representative comes from the server";
    EXPECT_EQ(form->header()->kullanicilbl()->text(), user.name);
    EXPECT_EQ(form->header()->cariadilbl()->text(), user.customerName);
    EXPECT_EQ(form->header()->saticilbl()->text(),
              record.FSaticiAdi + u" Telefonu: "_s + record.FSaticiTelefon + u" email: "_s + record.FSaticiMail);
}

TEST_F(MainWindow, CreationFillsIdentityCaptionsAndTheFrame)
{
    auto form = signIn(3);
    ASSERT_TRUE(form->signedIn());
    EXPECT_EQ(form->windowTitle(), u"Varsel Otomotiv B2B Programı"_s);
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), u"Varsel Otomotiv B2B"_s);
    EXPECT_EQ(Session::MessageWindow::fontPointSize(), 15);
    EXPECT_EQ(form->acilisadet(), 0);
    // This computer's identity, from the platform layer.
    EXPECT_EQ(form->sbilgi().FBILGISAYARID, computerFor(3));
    EXPECT_EQ(form->sbilgi().FBilgiSayarAdi, m_fake.computer);
    EXPECT_EQ(form->sbilgi().FBilgisayarKullanici, QString()) << "a 17-character user name reads as empty";
    EXPECT_FALSE(form->sbilgi().FDisip.trimmed().isEmpty());

    // The general menu in its order, a line between every two items.
    QStringList menu;
    for (QAction *action : form->Genelmenu()->actions())
        menu << (action->isSeparator() ? u"-"_s : action->text());
    EXPECT_EQ(menu, (QStringList{u"Mail Gönder"_s, u"-"_s, u"Şifre Değiştirme İsteği"_s, u"-"_s,
                                 u"www.varseloto.com.tr"_s, u"-"_s, u"Çıkış"_s, u"-"_s, u"Raporlar"_s}));

    App::SearchBar *bar = form->searchBar();
    EXPECT_EQ(bar->araedit()->width(), 340);
    EXPECT_EQ(bar->araedit()->font().pixelSize(), 20);
    EXPECT_FALSE(bar->araedit()->font().bold());
    for (int i = 0; i < App::kBusyIndicatorCount; ++i)
        EXPECT_TRUE(bar->busy(App::BusyId(i))->isHidden()) << i;
    EXPECT_EQ(App::StatusLegend::captions(),
              (QStringList{u" Stok mevcut  "_s, u" Telefon Açınız  "_s, u" Yolda  "_s, u" Tedarik Sürecinde "_s,
                           u" Özel Sipariş  "_s, u" Yok  "_s, u" Kritik Seviye "_s}));

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->header()->height(), 255);
    EXPECT_EQ(bar->height(), 35);
    EXPECT_EQ(form->legend()->height(), 27);
    EXPECT_EQ(form->tickerStrip()->height(), 40);
    EXPECT_EQ(form->tabs()->current(), TabId::StokListesi);
    // Typing goes to the search box, upper case.
    QTest::keyClicks(bar->araedit(), u"fren balata"_s);
    EXPECT_EQ(bar->araedit()->text(), u"FREN BALATA"_s);
}

TEST_F(MainWindow, CancelledLoginEndsWithZeroAndStartsNothing)
{
    m_fake.serial = serialFor(3);
    App::TForm1 form(typedLogin({}, {}, /*cancel=*/true));
    EXPECT_FALSE(form.signedIn());
    ASSERT_FALSE(m_exits.isEmpty());
    for (int code : m_exits)
        EXPECT_EQ(code, 0);
    EXPECT_EQ(form.startupRun(), nullptr);
    EXPECT_TRUE(form.header()->kullanicilbl()->text().isEmpty());
}

TEST_F(MainWindow, CloseQuestionNoKeepsEverythingYesEndsWithZero)
{
    auto form = signIn(1);
    ASSERT_TRUE(form->signedIn());
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // A search running: its box disabled, the stock tab counting, another tab in front.
    form->tabs()->setCaption(TabId::StokListesi, u"12=Stok Listesi"_s);
    form->tabs()->setCurrent(TabId::Duyurular);
    form->searchBar()->araedit()->setText(u"BALATA"_s);
    form->searchBar()->araedit()->setEnabled(false);

    for (auto close : {std::function<void()>([&] { form->close(); }),
                       std::function<void()>([&] { form->Genelmenu()->G1()->trigger(); })}) {
        m_answerer.clear();
        m_answerer.enqueue(DialogButton::No);
        close();
        ASSERT_EQ(m_answerer.shown().size(), 1);
        const Session::DialogRequest &asked = m_answerer.shown().first();
        EXPECT_EQ(asked.text, u"Programdan Çıkmak İstiyor musunuz ?"_s);
        EXPECT_EQ(asked.kind, Session::DialogKind::Question);
        EXPECT_EQ(asked.buttons, DialogButton::Yes | DialogButton::No);
        EXPECT_EQ(asked.firstButton, DialogButton::Yes);
        EXPECT_TRUE(m_exits.isEmpty());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->tabs()->current(), TabId::Duyurular);
        EXPECT_EQ(form->tabs()->caption(TabId::StokListesi), u"12=Stok Listesi"_s);
        EXPECT_FALSE(form->searchBar()->araedit()->isEnabled());
        EXPECT_EQ(form->searchBar()->araedit()->text(), u"BALATA"_s);
    }

    m_answerer.enqueue(DialogButton::Yes);
    form->close();
    EXPECT_EQ(m_exits, QList<int>{0});
}

TEST_F(MainWindow, TemizleEmptiesTheStockListAndReturnsToTheSearchBox)
{
    auto form = signIn(3);
    ASSERT_TRUE(form->signedIn());
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    QStringList calls;
    bool open = true;
    form->setStockListHooks({
        .search = [&] { calls << u"search "_s + form->searchBar()->araedit()->text(); },
        .isOpen = [&] { return open; },
        .empty = [&] { calls << u"empty"_s; },
        .clearFilter = [&] { calls << u"clearFilter"_s; },
        .resetRowCount = [&] { calls << u"resetRowCount"_s; },
    });
    App::SearchBar *bar = form->searchBar();

    // Enter and "Ara" search with the box's text.
    QTest::keyClicks(bar->araedit(), u"filtre"_s);
    QTest::keyClick(bar->araedit(), Qt::Key_Return);
    bar->araButton()->click();
    EXPECT_EQ(calls, (QStringList{u"search FİLTRE"_s, u"search FİLTRE"_s})) << "Turkish capitals";

    struct Case
    {
        bool open;
        QString captionAfter;
        QStringList calls;
    };
    const Case cases[] = {
        {true, u"Stok Listesi"_s, {u"empty"_s, u"clearFilter"_s, u"resetRowCount"_s}},
        // Without an open table the caption stays as it is.
        {false, u"12=Stok Listesi"_s, {u"clearFilter"_s, u"resetRowCount"_s}},
    };
    for (const Case &c : cases) {
        calls.clear();
        open = c.open;
        form->tabs()->setCaption(TabId::StokListesi, u"12=Stok Listesi"_s);
        form->tabs()->setCurrent(TabId::Sepet);
        bar->araedit()->setText(u"FILTRE"_s);
        bar->temizleButton()->setFocus();
        bar->temizleButton()->click();
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(form->tabs()->caption(TabId::StokListesi), c.captionAfter);
        EXPECT_EQ(form->tabs()->current(), TabId::StokListesi);
        EXPECT_TRUE(bar->araedit()->text().isEmpty());
        EXPECT_TRUE(bar->araedit()->hasFocus());
    }

    // While a search runs the box is disabled: "Ara" and "Temizle" do nothing.
    calls.clear();
    form->tabs()->setCaption(TabId::StokListesi, u"12=Stok Listesi"_s);
    form->tabs()->setCurrent(TabId::Sepet);
    bar->araedit()->setText(u"FILTRE"_s);
    bar->araedit()->setEnabled(false);
    bar->araButton()->click();
    bar->temizleButton()->click();
    form->Ara();
    form->Temizle();
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(form->tabs()->caption(TabId::StokListesi), u"12=Stok Listesi"_s);
    EXPECT_EQ(form->tabs()->current(), TabId::Sepet);
    EXPECT_EQ(bar->araedit()->text(), u"FILTRE"_s);
}

TEST_F(MainWindow, MenuItemsOpenTheWebSiteAndAskForTheirWindows)
{
    auto form = signIn(2);
    ASSERT_TRUE(form->signedIn());
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    App::GeneralMenu *menu = form->Genelmenu();

    form->searchBar()->araedit()->setText(u"ABC"_s);
    form->searchBar()->araButton()->setFocus();
    menu->webSiteItem()->trigger();
    EXPECT_EQ(m_fake.openedUrls(), QList<QUrl>{QUrl(u"http://www.varseloto.com.tr/"_s)});
    EXPECT_TRUE(form->searchBar()->araedit()->hasFocus());
    EXPECT_EQ(form->searchBar()->araedit()->selectedText(), u"ABC"_s);

    QStringList asked;
    QObject::connect(form.get(), &App::TForm1::mailRequested, form.get(), [&] { asked << u"mail"_s; });
    QObject::connect(form.get(), &App::TForm1::passwordChangeRequested, form.get(), [&] { asked << u"password"_s; });
    QObject::connect(form.get(), &App::TForm1::reportsRequested, form.get(), [&] { asked << u"reports"_s; });
    QObject::connect(form.get(), &App::TForm1::customerChangeRequested, form.get(), [&] { asked << u"customer"_s; });
    menu->M1()->trigger();
    menu->N4()->trigger();
    menu->R1()->trigger();
    form->searchBar()->musteritus()->click();
    EXPECT_EQ(asked, (QStringList{u"mail"_s, u"password"_s, u"reports"_s, u"customer"_s}));
    EXPECT_TRUE(m_answerer.shown().isEmpty());
}

} // namespace
} // namespace AppTest
