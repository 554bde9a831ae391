#include "hareketstok.h"

#include "columns.h"

#include "client/widgets/datagrid.h"
#include "client/widgets/gridview.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Catalogue {

hareket_stok::hareket_stok(Protocol::ClientTable har, QWidget *parent)
    : QDialog(parent)
    , m_grid(new Widgets::DataGrid(this))
    , m_kapat(new QPushButton(u"Kapat"_s, this))
{
    setObjectName(u"hareket_stok"_s);
    setWindowTitle(u"Stok Hareketleri"_s);
    setModal(true);

    m_grid->setObjectName(u"hargrid"_s);
    m_grid->setColumns(stockMovementColumns());
    m_grid->setWholeRowSelection(true);
    m_grid->setHeaderHeight(40);
    m_grid->setRowHeight(40);
    m_grid->setAlternatingRowColors(true);
    m_grid->setFooterVisible(true);
    m_grid->setTable(std::move(har));

    m_kapat->setObjectName(u"kapat"_s);
    m_kapat->setDefault(true);
    connect(m_kapat, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_kapat);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    // Each column as wide as its caption or its values, and the window as wide as its columns
    // within the main window's width, centred on it (a dialog is placed over its parent).
    m_grid->fitColumnsToContent();
    int columns = 0;
    for (const QString &name : m_grid->visibleColumnsInOrder())
        columns += m_grid->columnWidth(name);
    const int margins = layout->contentsMargins().left() + layout->contentsMargins().right();
    int width = columns + margins + 2 * m_grid->view()->frameWidth() + 24; // and a vertical scroll bar
    int height = 560;
    if (parent) {
        width = std::min(width, parent->window()->width() - 40);
        height = std::min(height, parent->window()->height() - 40);
    }
    resize(std::max(width, 480), std::max(height, 300));
    // Wider than the main window allows: the columns share the width by weight instead.
    if (parent && columns + margins > this->width())
        connect(m_grid, &Widgets::DataGrid::sizingNeeded, this, [this] { m_grid->kolonBoyutla(); });
}

} // namespace Catalogue
