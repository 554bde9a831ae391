#pragma once

#include <QHeaderView>

#include <functional>

namespace Widgets {

// The column header of a grid: a filter button at the right of every section (highlighted
// while that column is filtered) when filter buttons are on.
class GridHeader final : public QHeaderView
{
    Q_OBJECT

public:
    explicit GridHeader(QWidget *parent = nullptr);

    void setFilterButtons(bool on);
    bool filterButtons() const { return m_filterButtons; }
    // Tells whether a column is filtered, for the button's look.
    void setFilteredTest(std::function<bool(int)> test) { m_isFiltered = std::move(test); }
    // The button's rectangle of a section, in header coordinates.
    QRect filterButtonRect(int logicalIndex) const;
    // The width a section needs for its caption, sort mark and filter button.
    int contentWidth(int logicalIndex) const;

signals:
    void filterButtonClicked(int logicalIndex, const QPoint &globalPos);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int buttonAt(const QPoint &pos) const;

    bool m_filterButtons = false;
    int m_pressedButton = -1;
    std::function<bool(int)> m_isFiltered;
};

} // namespace Widgets
