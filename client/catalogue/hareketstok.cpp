#include "hareketstok.h"

#include "columns.h"

#include "client/widgets/datagrid.h"

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

    // As large as the main window allows, centred on it (a dialog is placed over its parent).
    QSize size(1100, 560);
    if (parent)
        size = size.boundedTo(parent->window()->size() - QSize(40, 40));
    resize(size.expandedTo(QSize(480, 300)));
    // The bare column names are long: each column as wide as its header and its values.
    connect(m_grid, &Widgets::DataGrid::sizingNeeded, this, [this] { m_grid->fitColumnsToContent(); });
}

} // namespace Catalogue
