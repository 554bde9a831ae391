#include "basket_wiring.h"

#include "busyindicator.h"
#include "mainwindow.h"
#include "searchbar.h"

#include "client/basket/sepetview.h"
#include "client/session/uppercaseedit.h"
#include "client/widgets/datagrid.h"

namespace App {

Basket::SepetView *installBasket(TForm1 &form)
{
    TabHost *tabs = form.tabs();
    SearchBar *bar = form.searchBar();
    BusyIndicator *busy = bar->busy(BusyId::Basket);
    Session::UppercaseEdit *araedit = bar->araedit();

    Basket::SepetHost host;
    host.bagc = &form.bagc();
    host.sbilgi = &form.sbilgi();
    host.busy = [busy](bool on) { busy->setVisible(on); };
    host.setCaption = [tabs](const QString &caption) { tabs->setCaption(TabId::Sepet, caption); };
    host.focusSearch = [araedit] {
        if (!araedit->isEnabled())
            return;
        araedit->selectAll();
        araedit->setFocus();
    };
    auto *view = new Basket::SepetView(std::move(host));

    for (const ColumnRule &rule : form.columnRules(ListId::Basket)) {
        const bool show = rule.action == ColumnAction::Show;
        view->grid()->setColumnVisible(rule.column, show);
        view->grid()->setColumnOffered(rule.column, show);
    }
    tabs->installView(TabId::Sepet, view);
    QObject::connect(tabs, &TabHost::tabShown, view, [view](TabId shown) {
        if (shown == TabId::Sepet)
            view->load();
    });
    return view;
}

std::function<void(const Catalogue::StockRow &)> basketAddAction(Basket::SepetView *basket)
{
    return [basket](const Catalogue::StockRow &row) { basket->addOrChange(row); };
}

} // namespace App
