#pragma once

#include "client/catalogue/stockrow.h"

#include <functional>

namespace Catalogue {
class ProductListView;
class StockListView;
} // namespace Catalogue

namespace App {

class TForm1;

// The catalogue's views in the main window: the stock list in `sstoklistesi` (searched from the
// search bar), the new and campaign lists in `syeniler` and `skampanyali` (loaded each time
// their tab is shown), with the column rules of the user type.
struct CatalogueViews
{
    Catalogue::StockListView *stockList = nullptr;
    Catalogue::ProductListView *newList = nullptr;
    Catalogue::ProductListView *campaignList = nullptr;
};

// What the catalogue asks of other parts of the program; an empty function does nothing.
struct CatalogueActions
{
    // The add/change dialog of the basket for a part picked from any of the three lists.
    std::function<void(const Catalogue::StockRow &)> addToBasket;
    // "Siparişleri Göster" of the stock list: the order movements of a part.
    std::function<void(qint32 stokno)> showOrderMovements;
};

// Call once after the login, before the window is shown. "Sipariş Bakiyeleriniz" of the stock
// list's menu opens the tab "Bakiyeler", where the open order balances are.
CatalogueViews installCatalogue(TForm1 &form, CatalogueActions actions = {});

} // namespace App
