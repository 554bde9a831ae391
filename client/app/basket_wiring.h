#pragma once

#include "client/catalogue/stockrow.h"

#include <functional>

namespace Basket {
class SepetView;
}

namespace App {

class TForm1;

// The basket in the main window: its view in `ssepet` (loaded each time the tab is shown),
// with the basket's busy indicator, the tab caption with its count and the user type's
// column rules. Call once after the login, before the window is shown.
Basket::SepetView *installBasket(TForm1 &form);

// What a product list's double-click does: the basket's add/change dialog for the part
// (give it to installCatalogue as its addToBasket action).
std::function<void(const Catalogue::StockRow &)> basketAddAction(Basket::SepetView *basket);

} // namespace App
