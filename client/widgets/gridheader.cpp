#include "gridheader.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeaderV2>
#include <QToolTip>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Widgets {

namespace {
constexpr int kButtonWidth = 16;
}

HeaderCaption layoutHeaderCaption(const QString &caption, const QFontMetrics &metrics, int width, int maxLines)
{
    HeaderCaption result;
    const QStringList words = caption.simplified().split(u' ', Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (!result.lines.isEmpty() && metrics.horizontalAdvance(result.lines.last() + u' ' + word) <= width)
            result.lines.last() += u' ' + word;
        else
            result.lines.append(word);
    }
    // What does not fit on the lines there are goes onto the last one, to be cut there.
    while (result.lines.size() > std::max(1, maxLines)) {
        const QString rest = result.lines.takeLast();
        result.lines.last() += u' ' + rest;
    }
    for (QString &line : result.lines) {
        if (metrics.horizontalAdvance(line) > width) {
            line = metrics.elidedText(line, Qt::ElideRight, std::max(0, width));
            result.cut = true;
        }
    }
    return result;
}

GridHeader::GridHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true); // the filter button of a narrow section follows the mouse
}

void GridHeader::setFilterButtons(bool on)
{
    m_filterButtons = on;
    viewport()->update();
}

QRect GridHeader::filterButtonRect(int logicalIndex) const
{
    if (!buttonShown(logicalIndex))
        return {};
    return buttonRect(QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex), height()));
}

QRect GridHeader::buttonRect(const QRect &section) const
{
    return QRect(section.right() - kButtonWidth - 1, section.top() + (section.height() - kButtonWidth) / 2,
                 kButtonWidth, kButtonWidth);
}

QString GridHeader::captionText(int logicalIndex) const
{
    return model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString() : QString();
}

// A narrow section keeps its room for the caption: its button shows under the mouse (so it
// can still be clicked) and while the column is filtered (so the filter is never hidden).
bool GridHeader::buttonShown(int logicalIndex) const
{
    if (!m_filterButtons || sectionSize(logicalIndex) < kButtonWidth * 2)
        return false;
    if (logicalIndex == m_hovered || logicalIndex == m_pressedButton || (m_isFiltered && m_isFiltered(logicalIndex)))
        return true;
    return !captionLayout(logicalIndex, true).cut;
}

QRect GridHeader::captionRect(int logicalIndex, const QRect &section, bool withButton) const
{
    QStyleOptionHeaderV2 opt;
    initStyleOption(&opt);
    initStyleOptionForIndex(&opt, logicalIndex);
    opt.rect = section;
    QRect r = style()->subElementRect(QStyle::SE_HeaderLabel, &opt, this);
    if (withButton)
        r.setRight(std::min(r.right(), buttonRect(section).left() - 3));
    return r;
}

HeaderCaption GridHeader::captionLayout(int logicalIndex, bool withButton) const
{
    const QRect section(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex), height());
    const QRect r = captionRect(logicalIndex, section, withButton);
    const QFontMetrics metrics(font());
    return layoutHeaderCaption(captionText(logicalIndex), metrics, r.width(), r.height() / metrics.lineSpacing());
}

HeaderCaption GridHeader::captionLayout(int logicalIndex) const
{
    return captionLayout(logicalIndex, buttonShown(logicalIndex));
}

QString GridHeader::captionToolTip(int logicalIndex) const
{
    if (logicalIndex < 0 || isSectionHidden(logicalIndex) || !captionLayout(logicalIndex).cut)
        return {};
    return captionText(logicalIndex).simplified();
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
    // The section and its sort mark as the style draws them, then the caption on as many lines
    // as the header's height holds, left of the filter button.
    QStyleOptionHeaderV2 opt;
    initStyleOption(&opt);
    initStyleOptionForIndex(&opt, logicalIndex);
    opt.rect = rect;
    const bool button = buttonShown(logicalIndex);
    const QRect textRect = captionRect(logicalIndex, rect, button);
    const QFontMetrics metrics(painter->font());
    const HeaderCaption caption = layoutHeaderCaption(opt.text, metrics, textRect.width(),
                                                      textRect.height() / metrics.lineSpacing());
    opt.text.clear();
    painter->save();
    style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    painter->restore();
    QStyleOptionHeaderV2 label = opt;
    label.rect = textRect;
    label.text = caption.lines.join(u'\n');
    label.textElideMode = Qt::ElideNone;
    label.sortIndicator = QStyleOptionHeader::None;
    painter->save();
    painter->setClipRect(textRect);
    style()->drawControl(QStyle::CE_HeaderLabel, &label, painter, this);
    painter->restore();

    if (!button)
        return;
    const QRect buttonArea = buttonRect(rect);
    const bool filtered = m_isFiltered && m_isFiltered(logicalIndex);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(palette().color(QPalette::Mid));
    painter->setBrush(filtered ? palette().color(QPalette::Highlight) : palette().color(QPalette::Button));
    painter->drawRoundedRect(buttonArea.adjusted(0, 0, -1, -1), 3, 3);
    QPainterPath arrow;
    const QPointF c = QRectF(buttonArea).center();
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
    m_hovered = logicalIndexAt(event->position().toPoint());
    m_pressedButton = event->button() == Qt::LeftButton ? buttonAt(event->position().toPoint()) : -1;
    if (m_pressedButton >= 0) {
        event->accept(); // the button neither sorts nor starts a move
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseMoveEvent(QMouseEvent *event)
{
    const int hovered = logicalIndexAt(event->position().toPoint());
    if (hovered != m_hovered) {
        m_hovered = hovered;
        viewport()->update();
    }
    QHeaderView::mouseMoveEvent(event);
}

bool GridHeader::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave && m_hovered >= 0) {
        m_hovered = -1;
        viewport()->update();
    }
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int logical = logicalIndexAt(help->pos());
        const QString tip = captionToolTip(logical);
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport(),
                               QRect(sectionViewportPosition(logical), 0, sectionSize(logical), height()));
        }
        return true;
    }
    return QHeaderView::viewportEvent(event);
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
