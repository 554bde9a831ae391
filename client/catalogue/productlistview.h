#pragma once

#include "stockrow.h"

#include "client/server/connection.h"
#include "client/server/tawait.h"

#include "protocol/records.h"

#include <QWidget>

#include <functional>

namespace Widgets {
class DataGrid;
}

namespace Catalogue {

// What a product list uses of the main window; the wiring fills it in.
struct ProductListContext
{
    QWidget *busy = nullptr;                         // the list's busy indicator
    const Server::Connection *bagc = nullptr;        // the main connection (copied for each load)
    const Protocol::TSonucBilgisi *sbilgi = nullptr; // the session record
    std::function<void(const QString &)> setCaption; // the tab's caption
};

// The tab "Yeni Stoklar" (`YENILER`, YenilerVer2) or "Kampanyalı Stoklar" (`kampstok`,
// KampanyaliVer2): fetched again in the background each time the tab is shown; a double-click
// asks for the add/change dialog. On a wide screen the columns are sized by weight, otherwise
// fitted to their content.
class ProductListView final : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { New, Campaign };

    explicit ProductListView(Kind kind, QWidget *parent = nullptr);
    ~ProductListView() override;

    void setContext(ProductListContext context);

    // The load of a showing of the tab. A showing while a load runs loads once more after it.
    void load();
    bool isLoading() const { return m_loading; }

    void setColumnRule(const QString &column, bool show);
    void KolonBoyutla();

    Kind kind() const { return m_kind; }
    Widgets::DataGrid *grid() const { return m_grid; }

signals:
    void addToBasketRequested(const Catalogue::StockRow &row);
    // A load has ended and its completion has run.
    void loadFinished(bool succeeded);

private:
    void finishLoad(bool hata, Protocol::ClientTable *result);

    Kind m_kind;
    ProductListContext m_context;
    Widgets::DataGrid *m_grid;
    bool m_loading = false;
    bool m_loadAgain = false;
    Server::IAwait m_task;
};

} // namespace Catalogue
