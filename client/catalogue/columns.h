#pragma once

#include "client/widgets/columnspec.h"

#include <QIcon>

#include <vector>

// The column tables of the catalogue's lists. Only the declaration lives here; the grids are
// the widgets library's, so these tables need no window to be read and tested.
namespace Catalogue {

// The mark icons of the product lists ("icons/..." under ":/catalogue/").
enum class MarkIcon { Picture, New, NotNew, Campaign, NoCampaign };
QIcon markIcon(MarkIcon which);

// The stock list `cxGrid1DBTableView1`: 35 columns, the price columns by window width.
std::vector<Widgets::ColumnSpec> stockListColumns();
// The new-products grid `cxGridDBTableView5`: 31 columns.
std::vector<Widgets::ColumnSpec> newListColumns();
// The campaign grid `cxGridDBTableViewkampanyali`: 33 columns.
std::vector<Widgets::ColumnSpec> campaignListColumns();
// The stock movements of `hareket_stok`: 28 columns with short captions, the row count under
// MIKTAR and averages under the four net and tax-inclusive amounts.
std::vector<Widgets::ColumnSpec> stockMovementColumns();

// The unbound column of the narrow stock list that draws four price lines in one cell.
inline constexpr QStringView kFiyatBilgisi = u"FiyatBilgisi";

} // namespace Catalogue
