#include "badgetabbar.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace Widgets {

namespace {

constexpr int kTitleInset = 5; // the title's rectangle: 5 px shorter at the top and the bottom
constexpr int kBadgeInset = 2; // the badge's: 2 px smaller on every side
constexpr int kIconMargin = 6;

QString badgeText(const TabCaption &caption)
{
    return u'(' + QString::number(caption.count) + u')';
}

int iconExtent(const QRect &rect)
{
    return qBound(12, rect.height() / 2, 24);
}

} // namespace

QColor badgeColor()
{
    return QColor(0xd0, 0x10, 0x10);
}

QFont badgeFont(const QFont &base)
{
    QFont font = base;
    font.setBold(true);
    if (base.pixelSize() > 0)
        font.setPixelSize(qMax(9, base.pixelSize() - 2));
    else
        font.setPointSizeF(qMax(7.0, base.pointSizeF() - 1.5));
    return font;
}

QRect badgeRect(const QWidget &styleSource, const QRect &tabRect, const TabCaption &caption)
{
    if (!caption.hasBadge())
        return {};
    const QRect area = tabRect.adjusted(kBadgeInset, kBadgeInset, -kBadgeInset, -kBadgeInset);
    const QFontMetrics metrics(badgeFont(styleSource.font()));
    const QSize size(metrics.horizontalAdvance(badgeText(caption)), metrics.height());
    return QRect(area.right() - size.width() + 1, area.top(), size.width(), size.height()).intersected(area);
}

void paintBadgeTab(QPainter &painter, const QWidget &styleSource, const QRect &rect, QStyle::State state,
                   const QIcon &icon, const TabCaption &caption)
{
    QStyle *style = styleSource.style();

    QStyleOptionTab shape;
    shape.initFrom(&styleSource);
    shape.rect = rect;
    shape.state = state | QStyle::State_Enabled;
    shape.shape = QTabBar::RoundedNorth;
    shape.position = QStyleOptionTab::Middle;
    style->drawControl(QStyle::CE_TabBarTabShape, &shape, &painter, &styleSource);

    painter.save();
    painter.setClipRect(rect);

    int titleLeft = rect.left() + kIconMargin;
    if (!icon.isNull()) {
        const int extent = iconExtent(rect);
        const QRect iconRect(rect.left() + kIconMargin, rect.top() + (rect.height() - extent) / 2, extent, extent);
        const QIcon::Mode mode = (state & QStyle::State_Selected) ? QIcon::Active : QIcon::Normal;
        icon.paint(&painter, iconRect, Qt::AlignCenter, mode);
        titleLeft = iconRect.right() + 1 + 4;
    }

    const QRect badge = badgeRect(styleSource, rect, caption);
    QRect title(QPoint(titleLeft, rect.top() + kTitleInset), QPoint(rect.right() - 4, rect.bottom() - kTitleInset));
    // A title that needs the full height would run under the badge: keep it to the badge's left.
    const QFontMetrics metrics(styleSource.font());
    if (!badge.isEmpty()) {
        const QRect needed = metrics.boundingRect(title, Qt::AlignCenter | Qt::TextWordWrap, caption.title);
        if (needed.top() <= badge.bottom() && needed.right() >= badge.left())
            title.setRight(badge.left() - 2);
    }
    style->drawItemText(&painter, title, Qt::AlignCenter | Qt::TextWordWrap, shape.palette,
                        state & QStyle::State_Enabled, caption.title, QPalette::WindowText);

    if (!badge.isEmpty()) {
        painter.setFont(badgeFont(styleSource.font()));
        painter.setPen(badgeColor());
        painter.drawText(rect.adjusted(kBadgeInset, kBadgeInset, -kBadgeInset, -kBadgeInset),
                         Qt::AlignRight | Qt::AlignTop, badgeText(caption));
    }
    painter.restore();
}

BadgeTabBar::BadgeTabBar(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int BadgeTabBar::addTab(const QIcon &icon, const QString &caption)
{
    m_tabs.push_back({icon, caption, parseTabCaption(caption), true});
    const int index = count() - 1;
    if (m_current < 0) {
        m_current = index;
        emit currentChanged(index);
    }
    relayout();
    return index;
}

void BadgeTabBar::setTabCaption(int index, const QString &caption)
{
    if (index < 0 || index >= count())
        return;
    Tab &tab = m_tabs[size_t(index)];
    tab.caption = caption;
    tab.parsed = parseTabCaption(caption);
    update(tabRect(index));
}

QString BadgeTabBar::tabCaption(int index) const
{
    return (index >= 0 && index < count()) ? m_tabs[size_t(index)].caption : QString();
}

TabCaption BadgeTabBar::parsedCaption(int index) const
{
    return (index >= 0 && index < count()) ? m_tabs[size_t(index)].parsed : TabCaption();
}

void BadgeTabBar::setTabIcon(int index, const QIcon &icon)
{
    if (index < 0 || index >= count())
        return;
    m_tabs[size_t(index)].icon = icon;
    update(tabRect(index));
}

QIcon BadgeTabBar::tabIcon(int index) const
{
    return (index >= 0 && index < count()) ? m_tabs[size_t(index)].icon : QIcon();
}

void BadgeTabBar::setTabVisible(int index, bool visible)
{
    if (index < 0 || index >= count() || m_tabs[size_t(index)].visible == visible)
        return;
    m_tabs[size_t(index)].visible = visible;
    if (!visible && index == m_current) {
        int next = firstVisibleFrom(index, 1);
        if (next < 0)
            next = firstVisibleFrom(index, -1);
        m_current = next;
        emit currentChanged(next);
    } else if (visible && m_current < 0) {
        m_current = index;
        emit currentChanged(index);
    }
    relayout();
}

bool BadgeTabBar::isTabVisible(int index) const
{
    return index >= 0 && index < count() && m_tabs[size_t(index)].visible;
}

void BadgeTabBar::setCurrentIndex(int index)
{
    if (!isTabVisible(index) || index == m_current)
        return;
    m_current = index;
    update();
    emit currentChanged(index);
}

void BadgeTabBar::setTabSize(const QSize &size)
{
    m_tabSize = size;
    relayout();
}

QSize BadgeTabBar::iconSizeHint() const
{
    const int extent = iconExtent(QRect(QPoint(), m_tabSize));
    return {extent, extent};
}

int BadgeTabBar::visibleCount() const
{
    return int(std::count_if(m_tabs.begin(), m_tabs.end(), [](const Tab &t) { return t.visible; }));
}

int BadgeTabBar::tabsPerRow(int width) const
{
    return qMax(1, width / qMax(1, m_tabSize.width()));
}

int BadgeTabBar::rowsForWidth(int width) const
{
    const int shown = visibleCount();
    if (shown == 0)
        return 1;
    const int perRow = tabsPerRow(width);
    return (shown + perRow - 1) / perRow;
}

QRect BadgeTabBar::tabRect(int index) const
{
    if (!isTabVisible(index))
        return {};
    int position = 0;
    for (int i = 0; i < index; ++i)
        position += m_tabs[size_t(i)].visible ? 1 : 0;
    const int perRow = tabsPerRow(width());
    return QRect(QPoint((position % perRow) * m_tabSize.width(), (position / perRow) * m_tabSize.height()), m_tabSize);
}

int BadgeTabBar::tabAt(const QPoint &pos) const
{
    for (int i = 0; i < count(); ++i) {
        if (tabRect(i).contains(pos))
            return i;
    }
    return -1;
}

int BadgeTabBar::firstVisibleFrom(int index, int step) const
{
    for (int i = index + step; i >= 0 && i < count(); i += step) {
        if (m_tabs[size_t(i)].visible)
            return i;
    }
    return -1;
}

QSize BadgeTabBar::sizeHint() const
{
    const int shown = qMax(1, visibleCount());
    return {shown * m_tabSize.width(), m_tabSize.height() + 1};
}

// One row: the rows the tabs really take come from heightForWidth at the width the bar is
// given. The height at one tab's width (every tab a row of its own) made the main window's
// smallest height taller than a 768-pixel screen.
QSize BadgeTabBar::minimumSizeHint() const
{
    return {m_tabSize.width(), m_tabSize.height() + 1};
}

int BadgeTabBar::heightForWidth(int width) const
{
    return rowsForWidth(width) * m_tabSize.height() + 1;
}

void BadgeTabBar::relayout()
{
    const int rows = rowsForWidth(width());
    if (rows != m_rows) {
        m_rows = rows;
        updateGeometry();
    }
    update();
}

void BadgeTabBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

bool BadgeTabBar::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = tabAt(help->pos());
        if (index >= 0)
            QToolTip::showText(help->globalPos(), parsedCaption(index).title, this, tabRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void BadgeTabBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The line the tabs stand on, under the last row, as the page's top edge.
    QStyleOptionTabBarBase base;
    base.initFrom(this);
    base.shape = QTabBar::RoundedNorth;
    base.rect = QRect(0, height() - 1, width(), 1);
    base.tabBarRect = QRect(0, 0, width(), height());
    style()->drawPrimitive(QStyle::PE_FrameTabBarBase, &base, &painter, this);

    for (int i = 0; i < count(); ++i) {
        const QRect rect = tabRect(i);
        if (rect.isEmpty())
            continue;
        QStyle::State state = QStyle::State_None;
        if (isEnabled())
            state |= QStyle::State_Enabled;
        if (i == m_current) {
            state |= QStyle::State_Selected;
            if (hasFocus())
                state |= QStyle::State_HasFocus;
        }
        if (i == m_hovered)
            state |= QStyle::State_MouseOver;
        const Tab &tab = m_tabs[size_t(i)];
        paintBadgeTab(painter, *this, rect, state, tab.icon, tab.parsed);
    }
}

void BadgeTabBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int index = tabAt(event->position().toPoint());
    if (index >= 0)
        setCurrentIndex(index);
}

void BadgeTabBar::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(tabAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void BadgeTabBar::leaveEvent(QEvent *event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void BadgeTabBar::setHovered(int index)
{
    if (index == m_hovered)
        return;
    const int previous = m_hovered;
    m_hovered = index;
    update(tabRect(previous));
    update(tabRect(index));
}

void BadgeTabBar::keyPressEvent(QKeyEvent *event)
{
    int next = -1;
    if (event->key() == Qt::Key_Left)
        next = firstVisibleFrom(m_current, -1);
    else if (event->key() == Qt::Key_Right)
        next = firstVisibleFrom(m_current, 1);
    else {
        QWidget::keyPressEvent(event);
        return;
    }
    if (next >= 0)
        setCurrentIndex(next);
}

} // namespace Widgets
