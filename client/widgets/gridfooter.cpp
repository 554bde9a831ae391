#include "gridfooter.h"

#include "tablemodel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

namespace Widgets {

GridFooter::GridFooter(QTableView *view, TableModel *model, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_model(model)
{
    auto repaint = [this] { update(); };
    QHeaderView *header = view->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    connect(model, &TableModel::summariesChanged, this, repaint);
    connect(model, &QAbstractItemModel::modelReset, this, repaint);
    connect(model, &QAbstractItemModel::layoutChanged, this, repaint);
}

QSize GridFooter::sizeHint() const
{
    return QSize(100, fontMetrics().height() + 14);
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
    const QHeaderView *header = m_view->horizontalHeader();
    // The footer lies under the view; its cells start where the view's viewport starts.
    const int left = m_view->viewport()->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x();
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(palette().color(QPalette::ButtonText));
    p.setClipRect(QRect(left, 0, m_view->viewport()->width(), height()));
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (header->isSectionHidden(column) || m_model->column(column).summary == Summary::None)
            continue;
        const QRect cell(left + header->sectionViewportPosition(column), 1, header->sectionSize(column), height() - 1);
        p.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, m_model->summaryText(column));
    }
}

} // namespace Widgets
