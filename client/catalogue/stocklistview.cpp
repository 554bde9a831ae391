#include "stocklistview.h"

#include "columns.h"
#include "fetch.h"
#include "hareketstok.h"
#include "listrules.h"
#include "pricecell.h"
#include "typedfolding.h"

#include "client/widgets/datagrid.h"
#include "client/widgets/kolonboyutla.h"

#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Catalogue {

StockListView::StockListView(QWidget *parent)
    : QWidget(parent)
    , m_grid(new Widgets::DataGrid(this))
    , m_popstok(new QMenu(this))
{
    setObjectName(u"stockListView"_s);
    m_grid->setObjectName(u"cxGrid1DBTableView1"_s);
    m_grid->setColumns(stockListColumns());
    m_grid->setCellPainter(kFiyatBilgisi.toString(), paintFiyatBilgisi);
    m_grid->setWholeRowSelection(true);
    m_grid->setHeaderHeight(40);
    m_grid->setRowHeight(40);
    m_grid->setAlternatingRowColors(true);
    m_grid->setFilterButtons(true);
    m_grid->setFooterVisible(true);
    m_grid->setPopupMenu(m_popstok);

    m_popstok->setObjectName(u"popstok"_s);
    m_s2 = m_popstok->addAction(u"Sepete Ekle"_s);
    m_s2->setObjectName(u"S2"_s);
    m_popstok->addSeparator();
    m_b1 = m_popstok->addAction(u"Sipariş Bakiyeleriniz"_s);
    m_b1->setObjectName(u"B1"_s);
    m_popstok->addSeparator();
    m_s3 = m_popstok->addAction(u"Siparişleri Göster"_s);
    m_s3->setObjectName(u"S3"_s);
    m_popstok->addSeparator();
    m_hareketler = m_popstok->addAction(u"Stok Hareketleri"_s);
    m_hareketler->setObjectName(u"StokHareketleri1"_s);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);

    connect(m_grid, &Widgets::DataGrid::rowActivated, this, &StockListView::requestAddToBasket);
    connect(m_s2, &QAction::triggered, this, [this] { requestAddToBasket(m_grid->currentTableRow()); });
    connect(m_b1, &QAction::triggered, this, &StockListView::orderBalancesRequested);
    connect(m_s3, &QAction::triggered, this, [this] {
        if (const auto row = focusedRow())
            emit orderMovementsRequested(row->stokno);
    });
    connect(m_hareketler, &QAction::triggered, this, &StockListView::showStockMovements);
    // The sizing follows the grid's size, but never while a search runs.
    connect(m_grid, &Widgets::DataGrid::sizingNeeded, this, [this] {
        if (!m_context.araedit || m_context.araedit->isEnabled())
            KolonBoyutla();
    });
}

StockListView::~StockListView() = default;

void StockListView::setContext(StockListContext context)
{
    m_context = std::move(context);
    installTypedFolding(m_context.araedit);
}

void StockListView::search()
{
    if (m_searching || !m_context.araedit || !m_context.araedit->isEnabled() || !m_context.bagc || !m_context.sbilgi)
        return;
    // Taken now, on this thread: the worker owns its text, record copy and connection copy.
    const QString text = m_context.araedit->text();
    Protocol::TSonucBilgisi session;
    session.Kopyala(*m_context.sbilgi);
    Server::Connection copy = m_context.bagc->copy();
    auto result = std::make_shared<std::optional<Protocol::ClientTable>>();

    if (m_context.activateTab)
        m_context.activateTab();
    Server::FetchSteps steps;
    steps.begin = [this] { beginSearch(); };
    m_task = Server::BackgroundFetch::start(
        this, steps,
        [result, text, session = std::move(session), copy = std::move(copy)]() mutable {
            auto found = searchStock(std::move(copy), text, std::move(session));
            if (!found)
                return true;
            *result = std::move(found).value();
            return false;
        },
        [this, result](bool hata) { finishSearch(hata, *result ? &**result : nullptr); });
}

void StockListView::beginSearch()
{
    m_searching = true;
    m_context.araedit->setEnabled(false);
    if (m_context.busy)
        m_context.busy->show();
    m_grid->model()->clearFilters();
    m_grid->detach();
    m_grid->setEnabled(false);
}

void StockListView::finishSearch(bool hata, Protocol::ClientTable *result)
{
    m_context.araedit->setEnabled(true);
    // The grid is still detached: the new table goes in under it and shows in one reset.
    if (!hata && result)
        m_grid->table() = std::move(*result);
    else
        m_grid->table().clearRows(); // a failed search leaves an empty list
    m_grid->attach();
    m_grid->setEnabled(true);
    m_loadedOnce = true;
    const bool succeeded = !hata && result;
    if (succeeded)
        m_rowCount = m_grid->table().rowCount();
    if (m_context.setCaption)
        m_context.setCaption(stockSearchCaption(succeeded, m_grid->table().rowCount()));
    m_context.araedit->selectAll();
    m_context.araedit->setFocus();
    if (m_context.busy)
        m_context.busy->hide();
    m_searching = false;
    emit searchFinished(succeeded);
}

bool StockListView::isOpen() const
{
    return m_loadedOnce;
}

void StockListView::empty()
{
    m_grid->detach();
    m_grid->table().clearRows();
    m_grid->attach();
}

void StockListView::clearFilter()
{
    m_grid->model()->clearFilters();
}

void StockListView::setColumnRule(const QString &column, bool show)
{
    if (show)
        m_withdrawn.remove(column);
    else
        m_withdrawn.insert(column);
    m_grid->setColumnVisible(column, show);
    m_grid->setColumnOffered(column, show);
}

void StockListView::KolonBoyutla()
{
    const StockListMode mode = stockListMode(window()->width());
    setUpdatesEnabled(false);
    for (const QString &column : mode.priceColumns) {
        // A column the user type withdrew stays hidden in either mode.
        m_grid->setColumnVisible(column, mode.wide && !m_withdrawn.contains(column));
    }
    m_grid->setColumnVisible(kFiyatBilgisi.toString(), mode.showFiyatBilgisi);
    m_grid->setRowHeight(mode.rowHeight);
    if (mode.wide) {
        m_grid->kolonBoyutla();
    } else {
        // The price cell and the OEM columns get their fixed widths first and the other columns
        // share what is left by weight, so the narrow list still fits its window.
        const Widgets::TableModel *model = m_grid->model();
        std::vector<int> weights;
        std::vector<bool> shared;
        int fixedWidth = 0;
        for (int c = 0; c < model->columnCount(); ++c) {
            const Widgets::ColumnSpec &columnSpec = model->column(c);
            const bool visible = m_grid->isColumnVisible(columnSpec.name);
            const bool isPriceCell = columnSpec.name == kFiyatBilgisi;
            const bool isOem =
                columnSpec.name == u"OEM1"_s || columnSpec.name == u"OEM2"_s || columnSpec.name == u"OEM3"_s;
            if (visible && (isPriceCell || isOem))
                fixedWidth += isPriceCell ? mode.fiyatBilgisiWidth : mode.oemWidth;
            weights.push_back(columnSpec.weight);
            shared.push_back(visible && !isPriceCell && !isOem);
        }
        const std::vector<int> widths = Widgets::KolonBoyutla(weights, shared, m_grid->width() - fixedWidth);
        for (int c = 0; c < model->columnCount(); ++c) {
            if (shared[size_t(c)])
                m_grid->setColumnWidth(model->column(c).name, widths[size_t(c)]);
        }
        for (const QString &oem : {u"OEM1"_s, u"OEM2"_s, u"OEM3"_s})
            m_grid->setColumnWidth(oem, mode.oemWidth);
        m_grid->setColumnWidth(kFiyatBilgisi.toString(), mode.fiyatBilgisiWidth);
    }
    setUpdatesEnabled(true);
}

void StockListView::showStockMovements()
{
    const auto row = focusedRow();
    if (!row || !m_context.bagc || !m_context.sbilgi)
        return;
    auto movements = fetchStockMovements(*m_context.bagc, m_context.sbilgi->FCARINO, row->stokno);
    if (!movements)
        return;
    hareket_stok window(std::move(*movements), this->window());
    window.exec();
}

void StockListView::requestAddToBasket(int tableRow)
{
    if (m_searching || tableRow < 0)
        return;
    if (const auto row = stockRowFrom(m_grid->table(), tableRow, ProductSource::StockList))
        emit addToBasketRequested(*row);
}

std::optional<StockRow> StockListView::focusedRow() const
{
    if (m_searching)
        return std::nullopt;
    return stockRowFrom(m_grid->table(), m_grid->currentTableRow(), ProductSource::StockList);
}

} // namespace Catalogue
