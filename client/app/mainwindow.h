#pragma once

#include "startuptask.h"
#include "tabhost.h"
#include "usertype.h"

#include "client/server/connection.h"
#include "client/server/tawait.h"

#include "protocol/records.h"

#include <QWidget>

#include <functional>

namespace App {

class GeneralMenu;
class HeaderPanel;
class SearchBar;
class StatusLegend;

// Shows the login modally with the main connection and the session record; true when the
// program goes on. It ends the program itself otherwise (the program's is Session::runLogin).
using LoginStep = std::function<bool(Server::Connection &bagc, Protocol::TSonucBilgisi &sbilgi)>;

// What the search bar does to the stock list, which the stock list installs.
struct StockListHooks
{
    std::function<void()> search;        // the stock search with the search box's text
    std::function<bool()> isOpen;        // the stock table is open
    std::function<void()> empty;         // empty the stock table
    std::function<void()> clearFilter;   // clear any filter on the stock grid
    std::function<void()> resetRowCount; // the row count kept with the stock tab back to 0
};

// The main window: header, search bar, tab pages, status legend and ticker strip. It owns
// the session record and the main connection for the whole run; creating it runs the login
// and, once signed in, applies the user type and starts the start-up task.
class TForm1 final : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(LoginStep login, QWidget *parent = nullptr);
    ~TForm1() override;

    // False when the login did not sign anybody in; the window is then not to be shown.
    bool signedIn() const { return m_signedIn; }

    Protocol::TSonucBilgisi &sbilgi() { return m_sbilgi; }
    Server::Connection &bagc() { return m_bagc; }
    qint32 acilisadet() const { return m_acilisadet; }
    void setAcilisadet(qint32 count) { m_acilisadet = count; }

    HeaderPanel *header() const { return m_header; }
    SearchBar *searchBar() const { return m_searchBar; }
    GeneralMenu *Genelmenu() const;
    TabHost *tabs() const { return m_tabs; }
    StatusLegend *legend() const { return m_legend; }
    QWidget *tickerStrip() const { return m_ticker; }

    // The user type as applied after the login; the lists apply their column rules from it.
    const UserTypeRules &userTypeRules() const { return m_rules; }
    std::vector<ColumnRule> columnRules(ListId list) const;

    void setStockListHooks(StockListHooks hooks) { m_stockList = std::move(hooks); }

    // The start-up task and the running instance of it (empty before the login).
    StartupTask &startupTask() { return m_startup; }
    Server::IAwait startupRun() const { return m_startupRun; }

    // Fills the header's three values from the session record (UI thread).
    void AnaBilgiAl();
    // The search bar's actions; both do nothing while the search box is disabled.
    void Ara();
    void Temizle();
    // The web-site item of the general menu.
    void openWebSite();

signals:
    void mailRequested();           // "Mail Gönder"
    void passwordChangeRequested(); // "Şifre Değiştirme İsteği"
    void reportsRequested();        // "Raporlar"
    void customerChangeRequested(); // "Başka Cari Seç"
    void startupFinished();         // the start-up task's completion has run

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void connectActions();
    void applyUserType(qint32 musteriTipi);
    void installStartupSteps();

    qint32 m_acilisadet = 0;
    Protocol::TSonucBilgisi m_sbilgi;
    Server::Connection m_bagc;
    bool m_signedIn = false;
    bool m_focusedOnce = false;
    UserTypeRules m_rules;
    StockListHooks m_stockList;
    StartupTask m_startup;
    Server::IAwait m_startupRun;

    HeaderPanel *m_header = nullptr;
    SearchBar *m_searchBar = nullptr;
    TabHost *m_tabs = nullptr;
    StatusLegend *m_legend = nullptr;
    QWidget *m_ticker = nullptr;
};

} // namespace App
