#include "gridview.h"

#include "tablemodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace Widgets {

namespace {
constexpr int kSearchPauseMs = 1500; // a longer pause between keys starts a new search
constexpr int kIndicatorWidth = 22;
} // namespace

GridView::GridView(QWidget *parent)
    : QTableView(parent)
{
    m_lastKey.start();
}

void GridView::setGridModel(TableModel *model)
{
    m_model = model;
    setModel(model);
}

int GridView::searchColumn() const
{
    const int current = currentIndex().column();
    if (current >= 0 && !isColumnHidden(current))
        return current;
    for (int visual = 0; visual < horizontalHeader()->count(); ++visual) {
        const int logical = horizontalHeader()->logicalIndex(visual);
        if (!isColumnHidden(logical))
            return logical;
    }
    return -1;
}

void GridView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (!m_model || m_model->groupColumn() < 0)
        return;
    QPainter p(viewport());
    const int first = std::max(0, rowAt(0));
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = m_model->rowCount() - 1;
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    for (int row = first; row <= last; ++row) {
        if (m_model->rowKind(row) != TableModel::RowKind::GroupHeader)
            continue;
        const QRect band(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
        p.fillRect(band, palette().color(QPalette::Midlight));
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(band.bottomLeft(), band.bottomRight());
        const int group = m_model->groupOfRow(row);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRect(band.left() + 4, band.top(), kIndicatorWidth - 4, band.height()), Qt::AlignCenter,
                   m_model->isGroupExpanded(group) ? QStringLiteral("−") : QStringLiteral("+"));
        p.drawText(band.adjusted(kIndicatorWidth + 4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   m_model->groupText(group));
    }
}

bool GridView::toggleGroupAt(int row)
{
    if (!m_model || row < 0 || m_model->rowKind(row) != TableModel::RowKind::GroupHeader)
        return false;
    const int group = m_model->groupOfRow(row);
    m_model->setGroupExpanded(group, !m_model->isGroupExpanded(group));
    return true;
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton && event->position().x() < kIndicatorWidth + 4 && toggleGroupAt(row)) {
        setCurrentIndex(m_model->index(row, std::max(0, currentIndex().column())));
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (toggleGroupAt(rowAt(event->position().toPoint().y()))) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void GridView::search(const QString &text)
{
    const int column = searchColumn();
    if (!m_model || column < 0)
        return;
    const int from = std::max(0, currentIndex().row());
    const int found = m_model->findIncremental(column, text, from);
    if (found < 0)
        return; // what was typed last finds nothing: it is dropped, as the grid keeps its place
    m_search = text;
    setCurrentIndex(m_model->index(found, column));
    scrollTo(currentIndex());
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    const int row = currentIndex().row();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!toggleGroupAt(row))
            emit enterPressed(currentIndex());
        event->accept();
        return;
    case Qt::Key_Escape: m_search.clear(); break;
    case Qt::Key_Backspace:
        if (!m_search.isEmpty()) {
            m_search.chop(1);
            m_lastKey.restart();
            if (!m_search.isEmpty())
                search(m_search);
        }
        event->accept();
        return;
    case Qt::Key_Left:
    case Qt::Key_Minus:
        if (m_model && m_model->rowKind(std::max(row, 0)) == TableModel::RowKind::GroupHeader && row >= 0 &&
            m_model->isGroupExpanded(m_model->groupOfRow(row))) {
            toggleGroupAt(row);
            return;
        }
        break;
    case Qt::Key_Right:
    case Qt::Key_Plus:
        if (m_model && row >= 0 && m_model->rowKind(row) == TableModel::RowKind::GroupHeader &&
            !m_model->isGroupExpanded(m_model->groupOfRow(row))) {
            toggleGroupAt(row);
            return;
        }
        break;
    default: break;
    }
    const QString typed = event->text();
    const bool printable =
        !typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable) {
        if (m_lastKey.elapsed() > kSearchPauseMs)
            m_search.clear();
        m_lastKey.restart();
        search(m_search + typed);
        event->accept();
        return;
    }
    m_search.clear();
    QTableView::keyPressEvent(event);
}

} // namespace Widgets
