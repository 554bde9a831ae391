// The user's side of a grid's columns: the customisation menu, header filters and the
// remembered layout.
#include "datagrid.h"

#include "filterpopup.h"
#include "gridfooter.h"
#include "gridheader.h"
#include "gridview.h"

#include <QMenu>

using namespace Qt::StringLiterals;

namespace Widgets {

std::unique_ptr<QMenu> DataGrid::customisationMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    for (const QString &name : customisableColumns()) {
        const int c = m_model->columnOf(name);
        QAction *action = menu->addAction(m_model->column(c).headerText());
        action->setCheckable(true);
        action->setChecked(!m_view->isColumnHidden(c));
        action->setData(name);
        connect(action, &QAction::toggled, this, [this, c](bool on) {
            m_view->setColumnHidden(c, !on);
            if (on && m_view->columnWidth(c) < 20)
                m_view->setColumnWidth(c, 100);
            saveLayout();
            emit sizingNeeded();
        });
    }
    menu->addSeparator();
    QAction *reset = menu->addAction(u"Varsayılan Düzene Dön"_s);
    connect(reset, &QAction::triggered, this, &DataGrid::restoreDefaultLayout);
    return menu;
}

QWidget *DataGrid::openFilter(int column, const QPoint &globalPos)
{
    auto *popup = new FilterPopup(m_model, column, this);
    popup->move(globalPos);
    popup->show();
    return popup;
}

GridLayout DataGrid::currentLayout() const
{
    GridLayout layout;
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int c = m_header->logicalIndex(visual);
        layout.order.append(m_model->column(c).name);
        layout.widths.append(m_header->sectionSize(c));
        if (m_view->isColumnHidden(c))
            layout.hidden.append(m_model->column(c).name);
    }
    return layout;
}

void DataGrid::applyLayout(const GridLayout &layout)
{
    ++m_updating;
    m_view->setUpdatesEnabled(false);
    int visual = 0;
    for (qsizetype i = 0; i < layout.order.size(); ++i) {
        const int c = m_model->columnOf(layout.order[i]);
        if (c < 0)
            continue; // a column this version no longer declares
        m_header->moveSection(m_header->visualIndex(c), visual++);
        if (layout.widths[i] > 0)
            m_header->resizeSection(c, layout.widths[i]);
    }
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const QString &name = m_model->column(c).name;
        const bool hidden = layout.hidden.contains(name, Qt::CaseInsensitive);
        // A column the user cannot switch stays as the program set it.
        if (m_offered[size_t(c)] && c != m_model->groupColumn())
            m_view->setColumnHidden(c, hidden);
    }
    m_view->setUpdatesEnabled(true);
    --m_updating;
    m_footer->update();
}

void DataGrid::setLayoutStorage(const QString &iniPath, const QString &user, const QString &gridName)
{
    m_defaultLayout = currentLayout();
    m_store = std::make_unique<GridLayoutStore>(iniPath, user);
    m_gridName = gridName;
    if (const auto saved = m_store->load(gridName))
        applyLayout(*saved);
}

void DataGrid::restoreDefaultLayout()
{
    if (m_store)
        m_store->remove(m_gridName);
    if (m_defaultLayout) {
        applyLayout(*m_defaultLayout);
        // The default's hidden columns include those the user may not switch.
        for (int c = 0; c < m_model->columnCount(); ++c)
            m_view->setColumnHidden(c, m_defaultLayout->hidden.contains(m_model->column(c).name));
    }
    emit sizingNeeded();
}

void DataGrid::saveLayout()
{
    if (m_updating || !m_store)
        return;
    m_store->save(m_gridName, currentLayout());
}

} // namespace Widgets
