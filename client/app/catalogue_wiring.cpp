#include "catalogue_wiring.h"

#include "busyindicator.h"
#include "mainwindow.h"
#include "searchbar.h"

#include "client/catalogue/productlistview.h"
#include "client/catalogue/stocklistview.h"
#include "client/session/uppercaseedit.h"

namespace App {

namespace {

template<typename View> void applyColumnRules(View *view, const std::vector<ColumnRule> &rules)
{
    for (const ColumnRule &rule : rules)
        view->setColumnRule(rule.column, rule.action == ColumnAction::Show);
}

Catalogue::ProductListView *installProductList(TForm1 &form, Catalogue::ProductListView::Kind kind, TabId tab,
                                               BusyId busy, ListId list, const CatalogueActions &actions)
{
    auto *view = new Catalogue::ProductListView(kind);
    TabHost *tabs = form.tabs();
    view->setContext({
        .busy = form.searchBar()->busy(busy),
        .bagc = &form.bagc(),
        .sbilgi = &form.sbilgi(),
        .setCaption = [tabs, tab](const QString &caption) { tabs->setCaption(tab, caption); },
    });
    applyColumnRules(view, form.columnRules(list));
    tabs->installView(tab, view);
    QObject::connect(tabs, &TabHost::tabShown, view, [view, tab](TabId shown) {
        if (shown == tab)
            view->load();
    });
    if (actions.addToBasket)
        QObject::connect(view, &Catalogue::ProductListView::addToBasketRequested, view, actions.addToBasket);
    return view;
}

} // namespace

CatalogueViews installCatalogue(TForm1 &form, CatalogueActions actions)
{
    CatalogueViews views;
    TabHost *tabs = form.tabs();
    auto *stock = new Catalogue::StockListView;
    stock->setContext({
        .araedit = form.searchBar()->araedit(),
        .busy = form.searchBar()->busy(BusyId::StockSearch),
        .bagc = &form.bagc(),
        .sbilgi = &form.sbilgi(),
        .activateTab = [tabs] { tabs->setCurrent(TabId::StokListesi); },
        .setCaption = [tabs](const QString &caption) { tabs->setCaption(TabId::StokListesi, caption); },
    });
    applyColumnRules(stock, form.columnRules(ListId::StockList));
    tabs->installView(TabId::StokListesi, stock);
    form.setStockListHooks({
        .search = [stock] { stock->search(); },
        .isOpen = [stock] { return stock->isOpen(); },
        .empty = [stock] { stock->empty(); },
        .clearFilter = [stock] { stock->clearFilter(); },
        .resetRowCount = [stock] { stock->resetRowCount(); },
    });
    if (actions.addToBasket)
        QObject::connect(stock, &Catalogue::StockListView::addToBasketRequested, stock, actions.addToBasket);
    if (actions.showOrderMovements)
        QObject::connect(stock, &Catalogue::StockListView::orderMovementsRequested, stock, actions.showOrderMovements);
    QObject::connect(stock, &Catalogue::StockListView::orderBalancesRequested, tabs,
                     [tabs] { tabs->setCurrent(TabId::Bakiyeler); });
    views.stockList = stock;

    views.newList = installProductList(form, Catalogue::ProductListView::Kind::New, TabId::YeniStoklar, BusyId::NewList,
                                       ListId::NewList, actions);
    views.campaignList = installProductList(form, Catalogue::ProductListView::Kind::Campaign, TabId::KampanyaliStoklar,
                                            BusyId::CampaignList, ListId::CampaignList, actions);
    return views;
}

} // namespace App
