#pragma once

#include "tablemodel.h"

#include <QStyledItemDelegate>

#include <functional>
#include <map>

namespace Widgets {

// Draws a cell of an owner-drawn column: the whole cell, background included.
using CellPainter = std::function<void(QPainter *painter, const QStyleOptionViewItem &option,
                                       const Protocol::ClientTable &table, int tableRow)>;

// Paints what a plain item delegate does not: centred marks and check boxes, owner-drawn
// cells, and the backgrounds of group rows and group footers.
class GridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    GridDelegate(TableModel *model, QObject *parent = nullptr);

    void setCellPainter(int column, CellPainter painter);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // Makes a text cell's option fit its rectangle: wrapped words, or a smaller font.
    static void fitText(QStyleOptionViewItem &option);
    // Whether a fitted cell still leaves some of its text out.
    static bool textCut(const QStyleOptionViewItem &fitted);
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    void paintPanel(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;

    TableModel *m_model;
    std::map<int, CellPainter> m_painters;
};

} // namespace Widgets
