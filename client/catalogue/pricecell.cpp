#include "pricecell.h"

#include "stockrow.h"

#include <QFontMetrics>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace Catalogue {

void paintFiyatBilgisi(QPainter *painter, const QStyleOptionViewItem &option, const Protocol::ClientTable &table,
                       int tableRow)
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    // The row's own alternation, so the cell never stands out from the rest of its row when
    // the list is sorted.
    const bool alternate = option.features.testFlag(QStyleOptionViewItem::Alternate);
    const QPalette::ColorGroup group =
        option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QPalette::ColorRole background = selected    ? QPalette::Highlight
                                           : alternate ? QPalette::AlternateBase
                                                       : QPalette::Base;
    painter->fillRect(option.rect, option.palette.brush(group, background));
    if (tableRow < 0 || tableRow >= table.rowCount())
        return;

    QString text = priceCellText(table, tableRow);
    text.replace(u"\r\n"_s, u"\n"_s);
    if (text.endsWith(u'\n'))
        text.chop(1);
    // Lines wider than the cell's 150 pixels less its margins are written smaller (to three
    // quarters of the font) and never spill into the column on the left.
    const QRect area = option.rect.adjusted(10, 0, -10, 0);
    QFont font = option.font;
    const bool pixels = font.pixelSize() > 0;
    const qreal size = pixels ? font.pixelSize() : font.pointSizeF();
    for (qreal step = size; step >= size * 0.75; step -= 1) {
        if (pixels)
            font.setPixelSize(int(step));
        else
            font.setPointSizeF(step);
        if (QFontMetrics(font).boundingRect(area, Qt::AlignRight | Qt::AlignVCenter, text).width() <= area.width())
            break;
    }
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(font);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, text);
    painter->restore();
}

} // namespace Catalogue
