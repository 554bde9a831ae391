#include "mainwindow.h"

#include "generalmenu.h"
#include "headerpanel.h"
#include "searchbar.h"
#include "statuslegend.h"

#include "client/platform/identity.h"
#include "client/platform/services.h"
#include "client/server/serversession.h"
#include "client/session/messagedialog.h"
#include "client/session/messagewindow.h"
#include "client/session/programexit.h"
#include "client/session/uppercaseedit.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace App {

namespace {
constexpr int kTickerHeight = 40;
} // namespace

TForm1::TForm1(LoginStep login, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"Form1"_s);
    buildLayout();
    connectActions();

    // 1. No opening advertisements are known yet.
    m_acilisadet = 0;
    // 2. Captions and the message font.
    setWindowTitle(u"Varsel Otomotiv B2B Programı"_s);
    Session::MessageWindow::setFontPointSize(15);
    QGuiApplication::setApplicationDisplayName(u"Varsel Otomotiv B2B"_s);
    // 3. The session record with this computer's identity.
    m_sbilgi = Protocol::TSonucBilgisi();
    m_sbilgi.FBilgiSayarAdi = Platform::computerName();
    m_sbilgi.FBilgisayarKullanici = Platform::userName();
    m_sbilgi.FIcip = Platform::localAddress();
    m_sbilgi.FBILGISAYARID = Platform::computerIdentifier();
    // 4. The main connection: the host is still empty here, the login sets it.
    m_bagc.setHostName(Server::ServerSession::instance().serverHost());
    m_bagc.setPort(QString::number(Server::ServerSession::defaultPort()));
    // 5. The web site's host in the general menu.
    Genelmenu()->setWebSiteCaption(webSiteHost());
    // 6. The login (which ends the program unless somebody signs in), then the user type.
    if (!login || !login(m_bagc, m_sbilgi))
        return;
    m_signedIn = true;
    applyUserType(m_sbilgi.FMusteriTipi);
    // 7. The start-up task, in the background.
    installStartupSteps();
    m_startupRun = m_startup.start(this, m_bagc, m_sbilgi);
}

TForm1::~TForm1() = default;

void TForm1::buildLayout()
{
    m_header = new HeaderPanel(this);
    m_searchBar = new SearchBar(this);
    m_tabs = new TabHost(this);
    m_legend = new StatusLegend(this);
    m_ticker = new QWidget(this);
    m_ticker->setObjectName(u"tickerStrip"_s);
    m_ticker->setAttribute(Qt::WA_StyledBackground);
    m_ticker->setFixedHeight(kTickerHeight);
    auto *tickerLayout = new QVBoxLayout(m_ticker);
    tickerLayout->setContentsMargins(0, 0, 0, 0);
    tickerLayout->setSpacing(0);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_searchBar);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_legend);
    layout->addWidget(m_ticker);

    // The size the window comes back to from maximized: centred on the screen.
    resize(1280, 800);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size().boundedTo(screen->availableGeometry().size()));
        frame.moveCenter(screen->availableGeometry().center());
        setGeometry(frame);
    }
}

void TForm1::connectActions()
{
    connect(m_searchBar, &SearchBar::searchRequested, this, &TForm1::Ara);
    connect(m_searchBar, &SearchBar::clearRequested, this, &TForm1::Temizle);
    connect(m_searchBar, &SearchBar::customerChangeRequested, this, &TForm1::customerChangeRequested);

    GeneralMenu *menu = Genelmenu();
    connect(menu->M1(), &QAction::triggered, this, &TForm1::mailRequested);
    connect(menu->N4(), &QAction::triggered, this, &TForm1::passwordChangeRequested);
    connect(menu->webSiteItem(), &QAction::triggered, this, &TForm1::openWebSite);
    connect(menu->G1(), &QAction::triggered, this, &TForm1::close);
    connect(menu->R1(), &QAction::triggered, this, &TForm1::reportsRequested);
}

GeneralMenu *TForm1::Genelmenu() const
{
    return m_searchBar->Genelmenu();
}

void TForm1::applyUserType(qint32 musteriTipi)
{
    m_rules = App::userTypeRules(musteriTipi);
    m_searchBar->musteritus()->setVisible(m_rules.customerButton);
    Genelmenu()->R1()->setVisible(m_rules.reportsItem);
    if (!m_rules.campaignTab)
        m_tabs->withdraw(TabId::KampanyaliStoklar);
}

std::vector<ColumnRule> TForm1::columnRules(ListId list) const
{
    std::vector<ColumnRule> result;
    for (const ColumnRule &rule : m_rules.columns) {
        if (rule.list == list)
            result.push_back(rule);
    }
    return result;
}

void TForm1::AnaBilgiAl()
{
    m_header->fill(m_sbilgi);
}

void TForm1::Ara()
{
    if (!m_searchBar->araedit()->isEnabled())
        return;
    if (m_stockList.search)
        m_stockList.search();
}

void TForm1::Temizle()
{
    Session::UppercaseEdit *araedit = m_searchBar->araedit();
    if (!araedit->isEnabled())
        return;
    if (m_stockList.isOpen && m_stockList.isOpen()) {
        if (m_stockList.empty)
            m_stockList.empty();
        m_tabs->setCaption(TabId::StokListesi, tabTitle(TabId::StokListesi));
    }
    m_tabs->setCurrent(TabId::StokListesi);
    if (m_stockList.clearFilter)
        m_stockList.clearFilter();
    araedit->clear();
    araedit->selectAll();
    araedit->setFocus();
    if (m_stockList.resetRowCount)
        m_stockList.resetRowCount();
}

void TForm1::openWebSite()
{
    Platform::services().openUrl(webSiteUrl());
    m_searchBar->araedit()->selectAll();
    m_searchBar->araedit()->setFocus();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // The window never closes by itself: either the program ends here or it goes on.
    event->ignore();
    const Session::DialogButton answer =
        Session::MessageDialog(u"Programdan Çıkmak İstiyor musunuz ?"_s, Session::DialogKind::Question,
                               Session::DialogButton::Yes | Session::DialogButton::No, Session::DialogButton::Yes);
    if (answer == Session::DialogButton::Yes)
        Session::exitProgram(0);
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_focusedOnce) {
        m_focusedOnce = true;
        m_searchBar->araedit()->setFocus();
    }
}

} // namespace App
