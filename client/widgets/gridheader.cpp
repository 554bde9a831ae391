#include "gridheader.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace Widgets {

namespace {
constexpr int kButtonWidth = 16;
}

GridHeader::GridHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void GridHeader::setFilterButtons(bool on)
{
    m_filterButtons = on;
    viewport()->update();
}

QRect GridHeader::filterButtonRect(int logicalIndex) const
{
    const int x = sectionViewportPosition(logicalIndex);
    const int w = sectionSize(logicalIndex);
    if (!m_filterButtons || w < kButtonWidth * 2)
        return {};
    return QRect(x + w - kButtonWidth - 2, (height() - kButtonWidth) / 2, kButtonWidth, kButtonWidth);
}

int GridHeader::contentWidth(int logicalIndex) const
{
    return sectionSizeFromContents(logicalIndex).width() + (m_filterButtons ? kButtonWidth + 4 : 0);
}

int GridHeader::buttonAt(const QPoint &pos) const
{
    const int logical = logicalIndexAt(pos);
    if (logical < 0 || !filterButtonRect(logical).contains(pos))
        return -1;
    return logical;
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (!m_filterButtons || rect.width() < kButtonWidth * 2)
        return;
    const QRect button(rect.right() - kButtonWidth - 1, rect.top() + (rect.height() - kButtonWidth) / 2, kButtonWidth,
                       kButtonWidth);
    const bool filtered = m_isFiltered && m_isFiltered(logicalIndex);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(palette().color(QPalette::Mid));
    painter->setBrush(filtered ? palette().color(QPalette::Highlight) : palette().color(QPalette::Button));
    painter->drawRoundedRect(button.adjusted(0, 0, -1, -1), 3, 3);
    QPainterPath arrow;
    const QPointF c = QRectF(button).center();
    arrow.moveTo(c.x() - 4, c.y() - 2);
    arrow.lineTo(c.x() + 4, c.y() - 2);
    arrow.lineTo(c.x(), c.y() + 3);
    arrow.closeSubpath();
    painter->setPen(Qt::NoPen);
    painter->setBrush(filtered ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::ButtonText));
    painter->drawPath(arrow);
    painter->restore();
}

void GridHeader::mousePressEvent(QMouseEvent *event)
{
    m_pressedButton = event->button() == Qt::LeftButton ? buttonAt(event->position().toPoint()) : -1;
    if (m_pressedButton >= 0) {
        event->accept(); // the button neither sorts nor starts a move
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressedButton >= 0) {
        const int logical = m_pressedButton;
        m_pressedButton = -1;
        if (buttonAt(event->position().toPoint()) == logical) {
            const QRect r = filterButtonRect(logical);
            emit filterButtonClicked(logical, mapToGlobal(r.bottomLeft()));
        }
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

} // namespace Widgets
