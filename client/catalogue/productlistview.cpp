#include "productlistview.h"

#include "columns.h"
#include "fetch.h"
#include "listrules.h"

#include "client/widgets/datagrid.h"

#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Catalogue {

ProductListView::ProductListView(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_grid(new Widgets::DataGrid(this))
{
    const bool isNew = kind == Kind::New;
    setObjectName(isNew ? u"newListView"_s : u"campaignListView"_s);
    m_grid->setObjectName(isNew ? u"cxGridDBTableView5"_s : u"cxGridDBTableViewkampanyali"_s);
    m_grid->setColumns(isNew ? newListColumns() : campaignListColumns());
    m_grid->setWholeRowSelection(true);
    m_grid->setHeaderHeight(40);
    m_grid->setRowHeight(40);
    m_grid->setAlternatingRowColors(true);
    m_grid->setFilterButtons(true);
    m_grid->setFooterVisible(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);

    connect(m_grid, &Widgets::DataGrid::rowActivated, this, [this](int tableRow) {
        if (m_loading)
            return;
        const ProductSource source = m_kind == Kind::New ? ProductSource::NewList : ProductSource::CampaignList;
        if (const auto row = stockRowFrom(m_grid->table(), tableRow, source))
            emit addToBasketRequested(*row);
    });
    // The new-products grid is sized at every resize, the campaign grid only while enabled.
    connect(m_grid, &Widgets::DataGrid::sizingNeeded, this, [this] {
        if (m_kind == Kind::New || m_grid->isEnabled())
            KolonBoyutla();
    });
}

ProductListView::~ProductListView() = default;

void ProductListView::setContext(ProductListContext context)
{
    m_context = std::move(context);
}

void ProductListView::load()
{
    if (m_loading) {
        m_loadAgain = true;
        return;
    }
    if (!m_context.bagc || !m_context.sbilgi)
        return;
    const qint32 carino = m_context.sbilgi->FCARINO;
    const qint32 musteriTipi = m_context.sbilgi->FMusteriTipi;
    Server::Connection copy = m_context.bagc->copy();
    auto result = std::make_shared<std::optional<Protocol::ClientTable>>();
    const Kind kind = m_kind;

    Server::FetchSteps steps;
    steps.begin = [this] {
        m_loading = true;
        if (m_context.busy)
            m_context.busy->show();
        m_grid->setEnabled(false);
        m_grid->detach();
    };
    m_task = Server::BackgroundFetch::start(
        this, steps,
        [=, copy = std::move(copy)]() mutable {
            auto fetched = kind == Kind::New ? fetchNewProducts(std::move(copy), carino)
                                             : fetchCampaignProducts(std::move(copy), carino, musteriTipi);
            if (!fetched)
                return true;
            *result = std::move(fetched).value();
            return false;
        },
        [this, result](bool hata) { finishLoad(hata, *result ? &**result : nullptr); });
}

void ProductListView::finishLoad(bool hata, Protocol::ClientTable *result)
{
    // A failed load keeps what the list showed before, and its caption.
    const bool succeeded = !hata && result;
    if (succeeded)
        m_grid->table() = std::move(*result);
    m_grid->attach();
    m_grid->setEnabled(true);
    if (m_context.busy)
        m_context.busy->hide();
    if (succeeded && m_context.setCaption)
        m_context.setCaption(
            listCaption(m_grid->table().rowCount(), m_kind == Kind::New ? newListTitle() : campaignListTitle()));
    m_loading = false;
    emit loadFinished(succeeded);
    if (m_loadAgain) {
        m_loadAgain = false;
        load();
    }
}

void ProductListView::setColumnRule(const QString &column, bool show)
{
    m_grid->setColumnVisible(column, show);
    m_grid->setColumnOffered(column, show);
}

void ProductListView::KolonBoyutla()
{
    const QScreen *shown = screen();
    const int screenWidth = shown ? shown->geometry().width() : 0;
    if (isWideMode(screenWidth))
        m_grid->kolonBoyutla();
    else
        m_grid->fitColumnsToContent();
}

} // namespace Catalogue
