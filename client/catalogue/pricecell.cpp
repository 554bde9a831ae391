#include "pricecell.h"

#include "stockrow.h"

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
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(option.rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, text);
}

} // namespace Catalogue
