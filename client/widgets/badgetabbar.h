#pragma once

#include "tabcaption.h"

#include <QIcon>
#include <QStyle>
#include <QWidget>

#include <vector>

namespace Widgets {

// Draws one tab of the program's tab controls: the shape in the active style (its selected
// and hot looks included), the picture at the left, the title centred and wrapped at word
// boundaries within the tab made 5 pixels shorter at the top and the bottom, and for a
// count above zero a red "(count)" at the top right within the tab made 2 pixels smaller.
// The title keeps clear of the picture and the badge so that neither covers it.
void paintBadgeTab(QPainter &painter, const QWidget &styleSource, const QRect &rect, QStyle::State state,
                   const QIcon &icon, const TabCaption &caption);

// The badge's rectangle inside a tab (empty without a count), for the title to keep clear of.
QRect badgeRect(const QWidget &styleSource, const QRect &tabRect, const TabCaption &caption);
// The colour and font of the badge.
QColor badgeColor();
QFont badgeFont(const QFont &base);

// A tab bar whose tabs all have one fixed size and flow into several rows when they do not
// fit side by side. Captions are stored as given ("12=Stok Listesi") and drawn by
// paintBadgeTab. A hidden tab takes no place; the current tab is always a visible one.
class BadgeTabBar final : public QWidget
{
    Q_OBJECT

public:
    explicit BadgeTabBar(QWidget *parent = nullptr);

    int addTab(const QIcon &icon, const QString &caption);
    int count() const { return int(m_tabs.size()); }

    void setTabCaption(int index, const QString &caption);
    QString tabCaption(int index) const;
    TabCaption parsedCaption(int index) const;
    void setTabIcon(int index, const QIcon &icon);
    QIcon tabIcon(int index) const;
    void setTabVisible(int index, bool visible);
    bool isTabVisible(int index) const;

    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index); // ignored for a hidden or unknown tab

    void setTabSize(const QSize &size);
    QSize tabSize() const { return m_tabSize; }
    QSize iconSizeHint() const;

    // Where a tab is drawn (empty when hidden), which tab is at a point (-1 for none), and how
    // many rows the tabs take at the bar's width.
    QRect tabRect(int index) const;
    int tabAt(const QPoint &pos) const;
    int rowCount() const { return rowsForWidth(width()); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void currentChanged(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Tab
    {
        QIcon icon;
        QString caption;
        TabCaption parsed;
        bool visible = true;
    };

    int visibleCount() const;
    int tabsPerRow(int width) const;
    int rowsForWidth(int width) const;
    int firstVisibleFrom(int index, int step) const;
    void setHovered(int index);
    void relayout();

    std::vector<Tab> m_tabs;
    QSize m_tabSize{120, 45};
    int m_current = -1;
    int m_hovered = -1;
    int m_rows = 1;
};

} // namespace Widgets
