#pragma once

#include <QHeaderView>

#include <functional>

class QFontMetrics;

namespace Widgets {

// The lines a header caption is drawn on within a width: whole words wrapped onto at most
// maxLines lines; what still does not fit ends in an ellipsis. `cut` tells whether any of the
// caption was left out, which is when the header offers it whole as a tool tip.
struct HeaderCaption
{
    QStringList lines;
    bool cut = false;
};
HeaderCaption layoutHeaderCaption(const QString &caption, const QFontMetrics &metrics, int width, int maxLines);

// The column header of a grid: a filter button at the right of every section (highlighted
// while that column is filtered) when filter buttons are on. Captions wrap onto a second line
// where the header is tall enough; a caption that still does not fit is shown whole as the
// section's tool tip, and a section too narrow for both its caption and the button shows the
// button only under the mouse or while the column is filtered.
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
    // The caption as the section now draws it, and the section's tool tip (empty when the
    // caption is shown whole).
    HeaderCaption captionLayout(int logicalIndex) const;
    QString captionToolTip(int logicalIndex) const;

signals:
    void filterButtonClicked(int logicalIndex, const QPoint &globalPos);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    int buttonAt(const QPoint &pos) const;
    bool buttonShown(int logicalIndex) const;
    QRect buttonRect(const QRect &section) const;
    QRect captionRect(int logicalIndex, const QRect &section, bool withButton) const;
    HeaderCaption captionLayout(int logicalIndex, bool withButton) const;
    QString captionText(int logicalIndex) const;

    bool m_filterButtons = false;
    int m_pressedButton = -1;
    int m_hovered = -1;
    std::function<bool(int)> m_isFiltered;
};

} // namespace Widgets
