#include "griddelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace Widgets {

GridDelegate::GridDelegate(TableModel *model, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
{}

void GridDelegate::setCellPainter(int column, CellPainter painter)
{
    m_painters[column] = std::move(painter);
}

void GridDelegate::paintPanel(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    opt.icon = QIcon();
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, opt.widget);
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto rowKind = TableModel::RowKind(index.data(TableModel::RowKindRole).toInt());
    if (rowKind == TableModel::RowKind::GroupHeader) {
        painter->fillRect(option.rect, option.palette.color(QPalette::Midlight));
        return; // the view writes the group's text across the whole row
    }
    if (rowKind == TableModel::RowKind::GroupFooter) {
        painter->fillRect(option.rect, option.palette.color(QPalette::AlternateBase).darker(108));
        QFont bold = option.font;
        bold.setBold(true);
        painter->save();
        painter->setFont(bold);
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawText(option.rect.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
        return;
    }
    const CellKind kind = m_model->cellKind(index.column());
    if (kind == CellKind::OwnerDrawn) {
        const auto found = m_painters.find(index.column());
        if (found != m_painters.end() && found->second) {
            painter->save();
            found->second(painter, option, m_model->table(), index.data(TableModel::TableRowRole).toInt());
            painter->restore();
        } else {
            paintPanel(painter, option, index);
        }
        return;
    }
    if (kind == CellKind::IconMap) {
        paintPanel(painter, option, index);
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        if (!icon.isNull()) {
            const int side = std::max(8, std::min({option.rect.height() - 6, option.rect.width() - 4, 32}));
            QRect target(0, 0, side, side);
            target.moveCenter(option.rect.center());
            icon.paint(painter, target);
        }
        return;
    }
    if (kind == CellKind::CheckBox) {
        paintPanel(painter, option, index);
        QStyleOptionViewItem check = option;
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        check.rect = QRect(0, 0, style->pixelMetric(QStyle::PM_IndicatorWidth, &check, option.widget),
                           style->pixelMetric(QStyle::PM_IndicatorHeight, &check, option.widget));
        check.rect.moveCenter(option.rect.center());
        check.state &= ~(QStyle::State_On | QStyle::State_Off);
        check.state |= index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, option.widget);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    fitText(opt);
    const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

bool GridDelegate::textCut(const QStyleOptionViewItem &fitted)
{
    if (fitted.text.isEmpty())
        return false;
    const QStyle *style = fitted.widget ? fitted.widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, fitted.widget) + 1;
    const QRect room = fitted.rect.adjusted(margin, 0, -margin, 0);
    const QFontMetrics metrics(fitted.font);
    if (fitted.features & QStyleOptionViewItem::WrapText) {
        const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap, fitted.text);
        return needed.height() > room.height() || needed.width() > room.width();
    }
    return metrics.horizontalAdvance(fitted.text) > room.width();
}

// A text cell that still cannot show all of its text offers it whole as its tool tip.
bool GridDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                             const QModelIndex &index)
{
    if (event && event->type() == QEvent::ToolTip && index.isValid()) {
        const CellKind kind = m_model->cellKind(index.column());
        if (kind != CellKind::IconMap && kind != CellKind::CheckBox && kind != CellKind::OwnerDrawn) {
            QStyleOptionViewItem opt = option;
            initStyleOption(&opt, index);
            fitText(opt);
            if (textCut(opt)) {
                QToolTip::showText(event->globalPos(), opt.text, view, option.rect);
                return true;
            }
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

// A cell's text that is wider than its column: words wrap onto the lines the row's height holds
// (a description), and a single word or number (a part code, an amount) is written smaller,
// down to three quarters of the font, before anything is cut. An amount that ends in "…" is
// one that cannot be read.
void GridDelegate::fitText(QStyleOptionViewItem &opt)
{
    if (opt.text.isEmpty())
        return;
    const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
    const int room = opt.rect.width() - 2 * margin;
    QFontMetrics metrics(opt.font);
    if (room <= 0 || metrics.horizontalAdvance(opt.text) <= room)
        return;
    if (opt.text.contains(u' ') && opt.rect.height() >= 2 * metrics.lineSpacing()) {
        opt.features |= QStyleOptionViewItem::WrapText;
        return;
    }
    QFont font = opt.font;
    const bool pixels = font.pixelSize() > 0;
    const qreal size = pixels ? font.pixelSize() : font.pointSizeF();
    for (qreal step = size - 1; step >= size * 0.75; step -= 1) {
        if (pixels)
            font.setPixelSize(int(step));
        else
            font.setPointSizeF(step);
        metrics = QFontMetrics(font);
        if (metrics.horizontalAdvance(opt.text) <= room)
            break;
    }
    opt.font = font;
    opt.fontMetrics = metrics;
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const CellKind kind = m_model->cellKind(index.column());
    if (kind == CellKind::IconMap || kind == CellKind::CheckBox)
        return QSize(32, option.rect.height());
    if (kind == CellKind::OwnerDrawn)
        return QSize(0, option.rect.height());
    return QStyledItemDelegate::sizeHint(option, index);
}

} // namespace Widgets
