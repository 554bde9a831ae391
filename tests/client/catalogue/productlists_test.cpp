// The new and campaign lists against a real server: a load per showing, captions, failures that
// keep the list, double-clicks into the basket, and the column sets of the three lists.
#include "catalogue_fixture.h"

#include "client/catalogue/columns.h"
#include "client/catalogue/productlistview.h"
#include "client/catalogue/stocklistview.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/gridview.h"

#include <QSignalSpy>

namespace CatalogueTest {
namespace {

class ProductLists : public RealServer
{
protected:
    // Loads the list once; true when the load ended in time.
    bool load(Catalogue::ProductListView &view, bool *succeeded = nullptr)
    {
        QSignalSpy finished(&view, &Catalogue::ProductListView::loadFinished);
        view.load();
        if (!waitFor([&] { return finished.count() > 0; }))
            return false;
        if (succeeded)
            *succeeded = finished.first().first().toBool();
        return true;
    }
};

TEST_F(ProductLists, EachShowingFetchesAgainAndWritesTheCount)
{
    for (const auto kind : {Catalogue::ProductListView::Kind::New, Catalogue::ProductListView::Kind::Campaign}) {
        QWidget busy;
        QString caption = u"Kampanyalı Stoklar"_s;
        Catalogue::ProductListView view(kind);
        view.setContext({&busy, &m_bagc, &m_sbilgi, [&](const QString &c) { caption = c; }});
        view.resize(1200, 600);
        view.show();

        QSignalSpy finished(&view, &Catalogue::ProductListView::loadFinished);
        view.load();
        EXPECT_TRUE(busy.isVisible());
        EXPECT_FALSE(view.grid()->isEnabled()) << "no double-click into a half-loaded list";
        view.load(); // shown again while loading: loads once more afterwards
        ASSERT_TRUE(waitFor([&] { return finished.count() == 2; }));
        EXPECT_TRUE(finished.at(0).first().toBool());
        EXPECT_TRUE(finished.at(1).first().toBool());
        EXPECT_FALSE(busy.isVisible());
        EXPECT_TRUE(view.grid()->isEnabled());

        const int rows = view.grid()->table().rowCount();
        const QString title = kind == Catalogue::ProductListView::Kind::New ? u"Yeni Stoklar"_s : u"Kampanyalı"_s;
        EXPECT_GT(rows, 0) << title.toStdString();
        EXPECT_EQ(caption, u"%1=%2"_s.arg(rows).arg(title));
        EXPECT_TRUE(m_answerer.shown().isEmpty());
    }
}

TEST_F(ProductLists, AFailedLoadKeepsTheListAndItsCaption)
{
    QWidget busy;
    QString caption;
    Catalogue::ProductListView view(Catalogue::ProductListView::Kind::Campaign);
    view.setContext({&busy, &m_bagc, &m_sbilgi, [&](const QString &c) { caption = c; }});
    bool ok = false;
    ASSERT_TRUE(load(view, &ok));
    ASSERT_TRUE(ok);
    const int rows = view.grid()->table().rowCount();
    const QString shown = caption;

    m_bagc = deadConnection();
    ASSERT_TRUE(load(view, &ok));
    EXPECT_FALSE(ok);
    EXPECT_EQ(view.grid()->table().rowCount(), rows);
    EXPECT_EQ(view.grid()->model()->rowCount(), rows) << "the grid shows its former rows again";
    EXPECT_EQ(caption, shown);
    EXPECT_TRUE(view.grid()->isEnabled());
    ASSERT_FALSE(m_answerer.shown().isEmpty());
    EXPECT_EQ(m_answerer.shown().last().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
    EXPECT_EQ(m_answerer.shown().last().kind, Session::DialogKind::Error);
}

TEST_F(ProductLists, DoubleClickAsksForTheAddDialogWithTheListAsSource)
{
    Catalogue::ProductListView view(Catalogue::ProductListView::Kind::Campaign);
    view.setContext({nullptr, &m_bagc, &m_sbilgi, {}});
    view.resize(1200, 600);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(load(view));
    ASSERT_GT(view.grid()->table().rowCount(), 0);

    QSignalSpy add(&view, &Catalogue::ProductListView::addToBasketRequested);
    Widgets::GridView *grid = view.grid()->view();
    const QPoint cell = grid->visualRect(grid->model()->index(0, 3)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(add.count(), 1);
    const auto row = add.first().first().value<Catalogue::StockRow>();
    EXPECT_EQ(row.source, Catalogue::ProductSource::CampaignList);
    EXPECT_GT(row.stokno, 0);
    // In the campaign list FIYAT is the campaign price, and the texts say so.
    const Catalogue::OpenerTexts texts = Catalogue::openerTexts(row);
    EXPECT_EQ(texts.label2Caption, u"Kampanyalı Fiyat:"_s);
    EXPECT_EQ(texts.price, row.fiyat);
}

QStringList namesOf(const std::vector<Widgets::ColumnSpec> &columns)
{
    QStringList names;
    for (const Widgets::ColumnSpec &c : columns)
        names << c.name;
    return names;
}

TEST(ColumnSets, NamesCaptionsWeightsAndMarks)
{
    const auto stock = Catalogue::stockListColumns();
    EXPECT_EQ(namesOf(stock), (QStringList{u"OEM1"_s,
                                           u"OEM2"_s,
                                           u"OEM3"_s,
                                           u"BARKOD"_s,
                                           u"OEMNO"_s,
                                           u"ADI"_s,
                                           u"MODEL"_s,
                                           u"MARKA"_s,
                                           u"OEM4"_s,
                                           u"STOK_STOKNO"_s,
                                           u"FINISHKOD"_s,
                                           u"URETICIKODU"_s,
                                           u"RESIM"_s,
                                           u"BARKOD_BARKODNO"_s,
                                           u"DIGERADI"_s,
                                           u"DPKOD"_s,
                                           u"BIRIM"_s,
                                           u"ANAGRUP"_s,
                                           u"OZELKOD"_s,
                                           u"KALAN"_s,
                                           u"PKOD"_s,
                                           u"KDV"_s,
                                           u"ALINANSIPARIS"_s,
                                           u"VERILENSIPARIS"_s,
                                           u"LISTEFIYAT1"_s,
                                           u"KAMPFIYAT"_s,
                                           u"FIYAT"_s,
                                           u"Y"_s,
                                           u"K"_s,
                                           u"INDIRIMYAZI"_s,
                                           u"NETFIYAT"_s,
                                           u"KDVDAHIL"_s,
                                           u"FiyatBilgisi"_s,
                                           u"DURUM"_s,
                                           u"DURUM2"_s}));
    const auto find = [](const std::vector<Widgets::ColumnSpec> &columns, const QString &name) {
        for (const auto &c : columns)
            if (c.name == name)
                return c;
        return Widgets::ColumnSpec{};
    };
    EXPECT_EQ(find(stock, u"ADI"_s).caption, u"Açıklama"_s);
    EXPECT_EQ(find(stock, u"ADI"_s).weight, 3);
    EXPECT_EQ(find(stock, u"KDVDAHIL"_s).weight, 3);
    EXPECT_EQ(find(stock, u"INDIRIMYAZI"_s).alignment, Qt::AlignCenter);
    EXPECT_EQ(find(stock, u"DURUM"_s).caption, u"İSTANBUL DEPO"_s);
    EXPECT_EQ(find(stock, u"DURUM2"_s).caption, u"KONYA DEPO"_s);
    EXPECT_TRUE(find(stock, u"STOK_STOKNO"_s).fixed);
    EXPECT_FALSE(find(stock, u"KDV"_s).fixed) << "hidden but offered";
    EXPECT_EQ(find(stock, u"OEM1"_s).summary, Widgets::Summary::Count);

    // Named values of the marks and the depot status, each with an icon where it has one.
    struct Mark
    {
        QString column;
        qint64 value;
        QString name;
        bool icon;
    };
    const Mark marks[] = {
        {u"RESIM"_s, 1, u"Var"_s, true},
        {u"RESIM"_s, 0, u"Yok"_s, false},
        {u"Y"_s, 0, u"Hayır"_s, true},
        {u"Y"_s, 1, u"Evet"_s, true},
        {u"K"_s, 0, QString(), true},
        {u"K"_s, 1, u"Evet"_s, true},
        {u"DURUM"_s, 1, u"Var"_s, true},
        {u"DURUM"_s, 2, u"Telefon Açınız"_s, true},
        {u"DURUM"_s, 3, u"Yolda"_s, true},
        {u"DURUM"_s, 4, u"Özel Sipariş"_s, true},
        {u"DURUM2"_s, 5, u"Tedarik Sürecinde"_s, true},
        {u"DURUM2"_s, 0, u"Yok"_s, true},
    };
    for (const Mark &m : marks) {
        const Widgets::ColumnSpec c = find(stock, m.column);
        ASSERT_EQ(c.kind, Widgets::CellKind::IconMap) << m.column.toStdString();
        const auto entry =
            std::find_if(c.icons.begin(), c.icons.end(), [&](const auto &e) { return e.value == m.value; });
        ASSERT_NE(entry, c.icons.end()) << m.column.toStdString() << m.value;
        EXPECT_EQ(entry->name, m.name);
        EXPECT_EQ(!entry->icon.isNull(), m.icon) << m.column.toStdString() << m.value;
    }
    EXPECT_GE(find(stock, u"Y"_s).otherIcon, 0) << "any other value of Y shows the not-new icon";

    const auto fresh = Catalogue::newListColumns();
    const auto campaign = Catalogue::campaignListColumns();
    EXPECT_EQ(fresh.size(), 31u);
    EXPECT_EQ(campaign.size(), 33u);
    EXPECT_EQ(Catalogue::stockMovementColumns().size(), 28u);
    EXPECT_EQ(find(fresh, u"INDIRIMYAZI"_s).caption, u"Indirim Oran"_s) << "without the dot on the I";
    EXPECT_EQ(find(fresh, u"FIYAT"_s).caption, u"Liste Fiyatı2"_s);
    EXPECT_EQ(find(campaign, u"FIYAT"_s).caption, u"Kampanyalı Fiyatı"_s);
    EXPECT_EQ(find(campaign, u"ESKIFIYAT"_s).caption, u"Liste Fiyatı"_s);
    EXPECT_EQ(find(campaign, u"DURUM"_s).caption, u"Durum"_s);
    const Widgets::ColumnSpec newK = find(fresh, u"K"_s);
    ASSERT_EQ(newK.icons.size(), 2u);
    EXPECT_EQ(newK.icons[0].name, u"Hayır"_s);
    EXPECT_TRUE(newK.icons[0].icon.isNull()) << "0 in the new-products list has no icon";
}

TEST(ColumnSets, FixedColumnsAreNeverOfferedAndRulesWithdrawForGood)
{
    Catalogue::StockListView view;
    view.resize(1300, 600);
    Widgets::DataGrid *grid = view.grid();
    const QStringList offered = grid->customisableColumns();
    for (const QString &fixed : {u"STOK_STOKNO"_s, u"BARKOD_BARKODNO"_s, u"DPKOD"_s, u"KALAN"_s, u"PKOD"_s,
                                 u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s})
        EXPECT_FALSE(offered.contains(fixed)) << fixed.toStdString();
    EXPECT_TRUE(offered.contains(u"KDV"_s));

    // A representative sees KALAN; a type-4 dealer never sees the campaign price, wide or narrow.
    view.setColumnRule(u"KALAN"_s, true);
    view.setColumnRule(u"KAMPFIYAT"_s, false);
    view.setColumnRule(u"K"_s, false);
    view.KolonBoyutla(); // 1300 wide: the price columns are shown
    EXPECT_TRUE(grid->isColumnVisible(u"KALAN"_s));
    EXPECT_TRUE(grid->customisableColumns().contains(u"KALAN"_s));
    EXPECT_TRUE(grid->isColumnVisible(u"NETFIYAT"_s));
    EXPECT_FALSE(grid->isColumnVisible(u"KAMPFIYAT"_s));
    EXPECT_FALSE(grid->isColumnVisible(u"K"_s));
    EXPECT_FALSE(grid->customisableColumns().contains(u"KAMPFIYAT"_s));
}

} // namespace
} // namespace CatalogueTest
