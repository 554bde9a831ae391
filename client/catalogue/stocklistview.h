#pragma once

#include "stockrow.h"

#include "client/server/connection.h"
#include "client/server/tawait.h"

#include "protocol/records.h"

#include <QSet>
#include <QWidget>

#include <functional>

class QAction;
class QLineEdit;
class QMenu;

namespace Widgets {
class DataGrid;
}

namespace Catalogue {

// What the stock list uses of the main window; the main window's wiring fills it in.
struct StockListContext
{
    QLineEdit *araedit = nullptr;                    // the search box
    QWidget *busy = nullptr;                         // the busy indicator `gifstokara`
    const Server::Connection *bagc = nullptr;        // the main connection (copied for each call)
    const Protocol::TSonucBilgisi *sbilgi = nullptr; // the session record (copied for each call)
    std::function<void()> activateTab;               // makes `sstoklistesi` the current tab
    std::function<void(const QString &)> setCaption; // the stock tab's caption
};

// The stock list of the tab `sstoklistesi`: the result of the last search in a read-only grid,
// its pop-up menu `popstok`, the price cell of the narrow mode and the stock movements window.
// A double-click (or "Sepete Ekle") asks for the add/change dialog through a signal, so the
// catalogue does not depend on the basket.
class StockListView final : public QWidget
{
    Q_OBJECT

public:
    explicit StockListView(QWidget *parent = nullptr);
    ~StockListView() override;

    // Installs the typed-character folding on the search box too.
    void setContext(StockListContext context);

    // The search with the box's text, in the background (Enter and "Ara" of the search bar).
    // Does nothing while a search runs (the box is disabled then).
    void search();
    bool isSearching() const { return m_searching; }

    // What "Temizle" does to the list.
    bool isOpen() const; // a search result has been loaded once
    void empty();        // no rows (the columns stay)
    void clearFilter();
    void resetRowCount() { m_rowCount = 0; }
    int rowCount() const { return m_rowCount; } // rows of the last successful search

    // The user type: a column shown (and offered in the customisation) or withdrawn for good.
    void setColumnRule(const QString &column, bool show);

    // The column sizing of the current window width, as a resize does it when no search runs.
    void KolonBoyutla();

    // "Stok Hareketleri": the movements of the focused part in the modal `hareket_stok`.
    void showStockMovements();

    Widgets::DataGrid *grid() const { return m_grid; }
    QMenu *popstok() const { return m_popstok; }
    QAction *S2() const { return m_s2; }                       // "Sepete Ekle"
    QAction *B1() const { return m_b1; }                       // "Sipariş Bakiyeleriniz"
    QAction *S3() const { return m_s3; }                       // "Siparişleri Göster"
    QAction *StokHareketleri1() const { return m_hareketler; } // "Stok Hareketleri"

signals:
    // Double-click, Enter on a row or "Sepete Ekle": the add/change dialog for this part.
    void addToBasketRequested(const Catalogue::StockRow &row);
    // "Siparişleri Göster": the order movements of a part.
    void orderMovementsRequested(qint32 stokno);
    // "Sipariş Bakiyeleriniz": the open order balances.
    void orderBalancesRequested();
    // A search has ended and its completion has run.
    void searchFinished(bool succeeded);

private:
    void beginSearch();
    void finishSearch(bool hata, Protocol::ClientTable *result);
    void requestAddToBasket(int tableRow);
    std::optional<StockRow> focusedRow() const;

    StockListContext m_context;
    Widgets::DataGrid *m_grid;
    QMenu *m_popstok;
    QAction *m_s2;
    QAction *m_b1;
    QAction *m_s3;
    QAction *m_hareketler;
    QSet<QString> m_withdrawn;
    int m_rowCount = 0;
    bool m_searching = false;
    bool m_loadedOnce = false;
    Server::IAwait m_task;
};

} // namespace Catalogue
