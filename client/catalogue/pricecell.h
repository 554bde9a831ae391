#pragma once

#include "client/widgets/griddelegate.h"

namespace Catalogue {

// Draws the "Fiyat Bilgisi" cell of the narrow stock list: the row's background (the selection
// colour when selected, else the row's own alternating colour) and the price lines of
// priceCellText, right-aligned, centred vertically, 10 pixels in from either side, never elided.
void paintFiyatBilgisi(QPainter *painter, const QStyleOptionViewItem &option, const Protocol::ClientTable &table,
                       int tableRow);

} // namespace Catalogue
