#include "datagrid.h"

#include "filterpopup.h"
#include "gridfooter.h"
#include "gridheader.h"
#include "gridview.h"
#include "kolonboyutla.h"

#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Widgets {

DataGrid::DataGrid(QWidget *parent)
    : QWidget(parent)
    , m_model(new TableModel(this))
    , m_view(new GridView(this))
    , m_header(new GridHeader(m_view))
    , m_delegate(new GridDelegate(m_model, this))
    , m_footer(nullptr)
{
    m_view->setHorizontalHeader(m_header);
    m_view->setGridModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(40);
    m_view->verticalHeader()->hide();
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_header->setSortIndicatorShown(true);
    m_header->setSortIndicator(-1, Qt::AscendingOrder);
    m_header->setFilteredTest([this](int column) { return m_model->hasValueFilter(column); });
    setHeaderHeight(40);
    setSortingByHeader(true);

    m_footer = new GridFooter(m_view, m_model, this);
    m_footer->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);
    setFocusProxy(m_view);

    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        const int row = m_model->tableRow(index.row());
        if (row >= 0)
            emit rowActivated(row);
    });
    connect(m_view, &GridView::enterPressed, this, [this](const QModelIndex &index) {
        const int row = index.isValid() ? m_model->tableRow(index.row()) : -1;
        if (row >= 0)
            emit rowActivated(row);
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentChanged(current); });
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex index = m_view->indexAt(pos);
        if (index.isValid())
            m_view->setCurrentIndex(index);
        if (m_popup)
            m_popup->popup(m_view->viewport()->mapToGlobal(pos));
    });
    connect(m_header, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (!m_customisation)
            return;
        QMenu *menu = customisationMenu().release();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_header->mapToGlobal(pos));
    });
    connect(m_header, &GridHeader::filterButtonClicked, this,
            [this](int column, const QPoint &pos) { openFilter(column, pos); });
    connect(m_header, &QHeaderView::sectionMoved, this, [this] { saveLayout(); });
    connect(m_header, &QHeaderView::sectionResized, this, [this] { saveLayout(); });
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_resetTable = &m_model->table();
        m_resetTableRow = currentTableRow();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        // A filter or grouping change keeps the focused row; a new table starts at its top.
        const int row = &m_model->table() == m_resetTable ? m_model->rowOfTableRow(m_resetTableRow) : -1;
        const int target = row >= 0 ? row : (m_model->rowCount() > 0 ? 0 : -1);
        m_resetTable = nullptr;
        if (target >= 0)
            m_view->setCurrentIndex(m_model->index(target, std::max(0, m_view->searchColumn())));
        else
            onCurrentChanged({});
        m_header->viewport()->update();
    });
}

DataGrid::~DataGrid() = default;

void DataGrid::setColumns(std::vector<ColumnSpec> columns)
{
    ++m_updating;
    m_offered.clear();
    for (const ColumnSpec &c : columns)
        m_offered.push_back(!c.fixed);
    m_model->setColumns(std::move(columns));
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_view->setColumnHidden(c, !m_model->column(c).visible);
    --m_updating;
}

void DataGrid::detach()
{
    m_view->setUpdatesEnabled(false);
    m_model->detach();
}

void DataGrid::attach()
{
    m_model->attach();
    m_resetTable = nullptr;
    if (m_model->rowCount() > 0)
        m_view->setCurrentIndex(m_model->index(0, std::max(0, m_view->searchColumn())));
    m_view->setUpdatesEnabled(true);
}

void DataGrid::setWholeRowSelection(bool wholeRow)
{
    m_view->setSelectionBehavior(wholeRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DataGrid::setRowHeight(int pixels)
{
    m_view->verticalHeader()->setMinimumSectionSize(std::min(pixels, 20));
    m_view->verticalHeader()->setDefaultSectionSize(pixels);
}

int DataGrid::rowHeight() const
{
    return m_view->verticalHeader()->defaultSectionSize();
}

void DataGrid::setHeaderHeight(int pixels)
{
    m_header->setFixedHeight(pixels);
}

void DataGrid::setAlternatingRowColors(bool on)
{
    m_view->setAlternatingRowColors(on);
}

void DataGrid::setSortingByHeader(bool on)
{
    m_header->setSortIndicatorShown(on);
    m_header->setSectionsClickable(on);
    disconnect(m_sortConnection);
    if (on) {
        m_sortConnection = connect(m_header, &QHeaderView::sortIndicatorChanged, m_model,
                                   [this](int column, Qt::SortOrder order) { m_model->sort(column, order); });
    }
}

void DataGrid::setFilterButtons(bool on)
{
    m_header->setFilterButtons(on);
}

void DataGrid::setFooterVisible(bool on)
{
    m_footer->setVisible(on);
}

void DataGrid::setColumnCustomisation(bool on)
{
    m_customisation = on;
}

void DataGrid::setRowIndicator(bool on)
{
    m_view->verticalHeader()->setVisible(on);
}

void DataGrid::setGroupColumn(const QString &name)
{
    const int column = name.isEmpty() ? -1 : m_model->columnOf(name);
    m_model->setGroupColumn(column);
    if (column >= 0)
        m_view->setColumnHidden(column, true); // the grouping column itself is not shown as a column
}

void DataGrid::setCellPainter(const QString &column, CellPainter painter)
{
    const int c = m_model->columnOf(column);
    if (c >= 0)
        m_delegate->setCellPainter(c, std::move(painter));
}

void DataGrid::setColumnVisible(const QString &name, bool visible)
{
    const int c = m_model->columnOf(name);
    if (c < 0)
        return;
    ++m_updating;
    m_view->setColumnHidden(c, !visible);
    --m_updating;
    m_footer->update();
}

bool DataGrid::isColumnVisible(const QString &name) const
{
    const int c = m_model->columnOf(name);
    return c >= 0 && !m_view->isColumnHidden(c);
}

void DataGrid::setColumnOffered(const QString &name, bool offered)
{
    const int c = m_model->columnOf(name);
    if (c >= 0)
        m_offered[size_t(c)] = offered;
}

bool DataGrid::isColumnOffered(const QString &name) const
{
    const int c = m_model->columnOf(name);
    return c >= 0 && m_offered[size_t(c)];
}

void DataGrid::setColumnWidth(const QString &name, int pixels)
{
    const int c = m_model->columnOf(name);
    if (c < 0)
        return;
    ++m_updating;
    m_view->setColumnWidth(c, pixels);
    --m_updating;
}

int DataGrid::columnWidth(const QString &name) const
{
    const int c = m_model->columnOf(name);
    return c < 0 ? 0 : m_view->columnWidth(c);
}

QStringList DataGrid::customisableColumns() const
{
    QStringList names;
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int c = m_header->logicalIndex(visual);
        if (m_offered[size_t(c)] && c != m_model->groupColumn())
            names.append(m_model->column(c).name);
    }
    return names;
}

QStringList DataGrid::visibleColumnsInOrder() const
{
    QStringList names;
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int c = m_header->logicalIndex(visual);
        if (!m_view->isColumnHidden(c))
            names.append(m_model->column(c).name);
    }
    return names;
}

void DataGrid::kolonBoyutla()
{
    std::vector<int> weights;
    std::vector<bool> visible;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        weights.push_back(m_model->column(c).weight);
        visible.push_back(!m_view->isColumnHidden(c));
    }
    const std::vector<int> widths = KolonBoyutla(weights, visible, width());
    ++m_updating;
    m_view->setUpdatesEnabled(false);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        // A shown column of weight 0 (one the user switched on) keeps the header's smallest
        // width rather than vanishing.
        if (visible[size_t(c)])
            m_view->setColumnWidth(c, std::max(widths[size_t(c)], m_header->minimumSectionSize()));
    }
    m_view->setUpdatesEnabled(true);
    --m_updating;
}

void DataGrid::fitColumnsToContent()
{
    // Only the rows in view are measured: a list of 100,000 rows fits as fast as one of 20.
    const int rowsInView = std::max(1, m_view->viewport()->height() / std::max(1, rowHeight()) + 1);
    const int first = std::max(0, m_view->rowAt(0));
    const int last = std::min(m_model->rowCount(), first + rowsInView);
    QStyleOptionViewItem option;
    option.initFrom(m_view);
    option.font = m_view->font();
    option.rect = QRect(0, 0, 100, rowHeight());
    ++m_updating;
    m_view->setUpdatesEnabled(false);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (m_view->isColumnHidden(c))
            continue;
        int w = m_header->contentWidth(c);
        for (int r = first; r < last; ++r) {
            if (m_model->rowKind(r) == TableModel::RowKind::Data)
                w = std::max(w, m_delegate->sizeHint(option, m_model->index(r, c)).width() + 8);
        }
        m_view->setColumnWidth(c, w);
    }
    m_view->setUpdatesEnabled(true);
    --m_updating;
}

int DataGrid::currentTableRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? m_model->tableRow(current.row()) : -1;
}

void DataGrid::setCurrentTableRow(int tableRow)
{
    const int row = m_model->rowOfTableRow(tableRow);
    if (row >= 0)
        m_view->setCurrentIndex(m_model->index(row, std::max(0, m_view->searchColumn())));
}

void DataGrid::onCurrentChanged(const QModelIndex &current)
{
    const int row = current.isValid() ? m_model->tableRow(current.row()) : -1;
    if (!m_model->isDetached() && row >= 0)
        m_model->table().setCurrentRow(row);
    emit currentRowChanged(row);
}

void DataGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit sizingNeeded();
}

} // namespace Widgets
