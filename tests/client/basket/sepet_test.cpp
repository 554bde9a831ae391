// The basket tab and its add/change dialog against the real server: adding in whole packages,
// never adding a part twice, what a representative's change sends, the "Seç" toggle, select
// and clear all, deleting and emptying with their questions.

#include "basketfixture.h"

#include "client/basket/stokayarinti.h"
#include "client/basket/totalspanel.h"
#include "client/catalogue/moneyedit.h"
#include "client/catalogue/pricepanel.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace BasketTest {

namespace {

using Session::DialogButton;
using Session::DialogKind;

QStringList texts(const QList<Session::DialogRequest> &shown)
{
    QStringList out;
    for (const Session::DialogRequest &r : shown)
        out.append(r.text);
    return out;
}

double cell(const Protocol::ClientTable &t, int row, QStringView column)
{
    return t.number(row, t.columnIndex(column));
}

int rowOf(const Protocol::ClientTable &t, qint32 stokno)
{
    return Basket::basketRowOfPart(t, stokno);
}

class Sepet : public BasketFixture
{
};

// With a package of 10 the box starts at 10 and steps by 10; "Sipariş ekle" rounds 15 up to
// whole packages, Enter sends what was typed.
TEST_F(Sepet, AddsInWholePackagesOnSiparisEkleButAsTypedOnEnter)
{
    struct Case
    {
        const char *how;
        bool enter;
        double sent;
    };
    for (const Case c : {Case{"Sipariş ekle", false, 20}, Case{"Enter", true, 15}}) {
        SCOPED_TRACE(c.how);
        Basket::SepetView &view = openView();
        const Catalogue::StockRow p = part(3);
        sql(u"UPDATE stoklar SET koliadet = 10 WHERE stokno = ?"_s, {p.stokno});
        CallCounter calls;
        int start = 0, step = 0;
        OnModal<Basket::stokayarinti> typist([&](Basket::stokayarinti *d) {
            start = d->adet()->value();
            step = d->adet()->singleStep();
            d->adet()->selectAll();
            QTest::keyClicks(d->adet(), u"15"_s);
            if (c.enter)
                QTest::keyClick(d->adet(), Qt::Key_Return);
            else
                QTest::mouseClick(d->siparisEkleButton(), Qt::LeftButton);
        });
        view.addOrChange(p);
        ASSERT_TRUE(typist.ran());
        EXPECT_EQ(start, 10);
        EXPECT_EQ(step, 10);
        EXPECT_EQ(calls.count(u"SepetEkle2"_s), 1);
        // Accepted by the server, so the basket was fetched again and shows the line.
        const int row = rowOf(view.sepet(), p.stokno);
        ASSERT_GE(row, 0);
        EXPECT_EQ(cell(view.sepet(), row, u"MIKTAR"), c.sent);
        EXPECT_EQ(cell(serverBasket(), rowOf(serverBasket(), p.stokno), u"MIKTAR"), c.sent);
        EXPECT_TRUE(m_answerer.shown().isEmpty()) << texts(m_answerer.shown()).join(u'|').toStdString();
    }
}

TEST_F(Sepet, APartAlreadyInTheBasketOpensTheChangeDialog)
{
    Basket::SepetView &view = openView();
    const Catalogue::StockRow p = part(5);
    addDirectly(p, 3);
    loadView();
    CallCounter calls;
    int shownQuantity = 0;
    QString shownBarkod;
    OnModal<Basket::stokayarinti> typist([&](Basket::stokayarinti *d) {
        shownQuantity = d->adet()->value();
        shownBarkod = d->barkodLabel()->text();
        d->adet()->selectAll();
        QTest::keyClicks(d->adet(), u"4"_s);
        QTest::keyClick(d->adet(), Qt::Key_Enter);
    });
    view.addOrChange(p);
    ASSERT_TRUE(typist.ran());
    EXPECT_EQ(shownQuantity, 3);
    EXPECT_EQ(shownBarkod, p.barkod);
    EXPECT_EQ(calls.count(u"SepetEkle2"_s), 0);
    EXPECT_EQ(calls.count(u"SepetGuncelle2"_s), 1);
    const Protocol::ClientTable server = serverBasket();
    EXPECT_EQ(server.rowCount(), 1);
    EXPECT_EQ(cell(server, 0, u"MIKTAR"), 4);
    EXPECT_EQ(cell(view.sepet(), 0, u"MIKTAR"), 4);
}

TEST_F(Sepet, ABasketThatCannotBeLoadedOpensNoDialog)
{
    Basket::SepetView &view = openView();
    const Catalogue::StockRow p = part(6);
    // The server is out of reach for this one action.
    m_bagc->setPort(u"1"_s);
    OnModal<Basket::stokayarinti> never([](Basket::stokayarinti *d) { d->reject(); });
    view.addOrChange(p);
    EXPECT_FALSE(never.ran());
    EXPECT_FALSE(view.isLoaded());
    ASSERT_FALSE(m_answerer.shown().isEmpty());
    EXPECT_EQ(m_answerer.shown().last().text, Session::connectionFailureText());
}

TEST_F(Sepet, RepresentativesChangeOfPriceAndQuantityKeepsTheRowsRates)
{
    Basket::SepetView &view = openView(true);
    const Catalogue::StockRow p = part(7);
    addDirectly(p, 2, {10, 5, 0, 0});
    loadView();
    ASSERT_EQ(view.sepet().rowCount(), 1);
    const double oldPrice = cell(view.sepet(), 0, u"BIRIMFIYAT");
    bool ratesShown = false, priceEditable = false;
    OnModal<Basket::stokayarinti> typist([&](Basket::stokayarinti *d) {
        Catalogue::PricePanel *prices = d->pricePanel();
        ratesShown = prices->ratesPanel()->isVisible();
        priceEditable = !prices->birimfiyat()->isReadOnly();
        prices->edindirim(1)->setValue(33);
        prices->edindirim(2)->setValue(44);
        prices->birimfiyat()->setValue(oldPrice + 11);
        d->adet()->selectAll();
        QTest::keyClicks(d->adet(), u"5"_s);
        QTest::mouseClick(d->siparisEkleButton(), Qt::LeftButton);
    });
    focusCell(0, u"BARKOD"_s);
    view.toggleOrChange();
    ASSERT_TRUE(typist.ran());
    EXPECT_TRUE(ratesShown);
    EXPECT_TRUE(priceEditable);
    const Protocol::ClientTable server = serverBasket();
    ASSERT_EQ(server.rowCount(), 1);
    EXPECT_EQ(cell(server, 0, u"MIKTAR"), 5);
    EXPECT_DOUBLE_EQ(cell(server, 0, u"BIRIMFIYAT"), oldPrice + 11);
    EXPECT_EQ(cell(server, 0, u"INDIRIMORANI1"), 10);
    EXPECT_EQ(cell(server, 0, u"INDIRIMORANI2"), 5);
}

TEST_F(Sepet, ADealerChangesOnlyTheQuantity)
{
    Basket::SepetView &view = openView(false);
    addDirectly(part(8), 1);
    loadView();
    bool ratesShown = true, priceEditable = true;
    OnModal<Basket::stokayarinti> look([&](Basket::stokayarinti *d) {
        ratesShown = d->pricePanel()->ratesPanel()->isVisible();
        priceEditable = !d->pricePanel()->birimfiyat()->isReadOnly();
        d->reject();
    });
    CallCounter calls;
    focusCell(0, u"STOKADI"_s);
    view.toggleOrChange();
    ASSERT_TRUE(look.ran());
    EXPECT_FALSE(ratesShown);
    EXPECT_FALSE(priceEditable);
    // "Vazgeç" changes and reloads nothing.
    EXPECT_EQ(calls.count(u"SepetGuncelle2"_s), 0);
    EXPECT_EQ(calls.count(u"SepetVer2"_s), 0);
}

TEST_F(Sepet, AQuantityThatIsNotANumberIsRefusedAndNothingIsSent)
{
    Basket::SepetView &view = openView();
    const Catalogue::StockRow p = part(9);
    CallCounter calls;
    bool stayedOpen = false;
    OnModal<Basket::stokayarinti> typist([&](Basket::stokayarinti *d) {
        d->adet()->clear();
        QTest::keyClick(d->adet(), Qt::Key_Return);
        stayedOpen = d->isVisible();
        d->reject();
    });
    view.addOrChange(p);
    ASSERT_TRUE(typist.ran());
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(calls.count(u"SepetEkle2"_s), 0);
    ASSERT_EQ(m_answerer.shown().size(), 1);
    EXPECT_EQ(m_answerer.shown().first().kind, DialogKind::Error);
    EXPECT_TRUE(m_answerer.shown().first().text.contains(u"bir sayı değil"_s));
    EXPECT_EQ(serverBasket().rowCount(), 0);
}

// A tick in "Seç" is stored at once: 0 becomes 1, and 1 or any other value becomes 0.
TEST_F(Sepet, TheSecToggleStoresTheNewFlag)
{
    struct Case
    {
        int before, after;
    };
    for (const Case c : {Case{0, 1}, Case{1, 0}, Case{2, 0}}) {
        SCOPED_TRACE(c.before);
        Basket::SepetView &view = openView();
        addDirectly(part(10), 1);
        const qint32 sirano = qRound(cell(serverBasket(), 0, u"SIRANO"));
        // A flag other than 0 and 1 is not the client's to give: it is written where it is kept.
        sql(u"UPDATE sepet SET sec = ? WHERE sirano = ?"_s, {c.before, sirano});
        loadView();
        ASSERT_EQ(cell(view.sepet(), 0, u"SEC"), c.before);
        CallCounter calls;
        focusCell(0, u"SEC"_s);
        view.toggleOrChange();
        EXPECT_EQ(calls.count(u"SepetSecimGuncelle"_s), 1);
        EXPECT_EQ(cell(view.sepet(), 0, u"SEC"), c.after);
        EXPECT_EQ(cell(serverBasket(), 0, u"SEC"), c.after);
        // The totals follow the tick.
        const double tutar = cell(view.sepet(), 0, u"TUTAR");
        EXPECT_EQ(view.totals()->aratoplaml()->text(),
                  c.after == 1 ? QLocale(QLocale::Turkish).toString(tutar, 'f', 2) : u"0,00"_s);
    }
}

TEST_F(Sepet, SelectAllOnThirtyRowsStoresEveryRowOnce)
{
    Basket::SepetView &view = openView();
    for (int i = 0; i < 30; ++i)
        addDirectly(part(20 + i), 1);
    loadView();
    ASSERT_EQ(view.sepet().rowCount(), 30);
    EXPECT_EQ(m_caption, u"30=Sepet"_s);
    CallCounter calls;
    QTest::mouseClick(view.hepsiniSecButton(), Qt::LeftButton);
    EXPECT_EQ(calls.count(u"SepetSecimGuncelle"_s), 30);
    EXPECT_EQ(calls.calls().size(), 30);
    EXPECT_EQ(m_searchFocused, 1);
    Protocol::ClientTable server = serverBasket();
    double total = 0;
    for (int row = 0; row < server.rowCount(); ++row) {
        EXPECT_EQ(cell(server, row, u"SEC"), 1);
        total = Catalogue::Yuvarla2(total + cell(server, row, u"TUTAR"));
    }
    EXPECT_EQ(view.totals()->aratoplaml()->text(), QLocale(QLocale::Turkish).toString(total, 'f', 2));

    calls.clear();
    QTest::mouseClick(view.secimleriKaldirButton(), Qt::LeftButton);
    EXPECT_EQ(calls.count(u"SepetSecimGuncelle"_s), 30);
    server = serverBasket();
    for (int row = 0; row < server.rowCount(); ++row)
        EXPECT_EQ(cell(server, row, u"SEC"), 0);
    EXPECT_EQ(view.totals()->geneltoplaml()->text(), u"0,00"_s);
}

TEST_F(Sepet, EmptyingAnEmptyBasketAsksAndCallsNothing)
{
    Basket::SepetView &view = openView();
    CallCounter calls;
    view.hepsiniSilAction()->trigger(); // never loaded
    loadView();
    calls.clear();
    view.hepsiniSilAction()->trigger(); // loaded, no rows
    EXPECT_TRUE(calls.calls().isEmpty()) << calls.calls().join(u',').toStdString();
    EXPECT_TRUE(m_answerer.shown().isEmpty());
}

TEST_F(Sepet, EmptyingAsksFirstAndOnlyYesEmpties)
{
    Basket::SepetView &view = openView();
    addDirectly(part(11), 1);
    addDirectly(part(12), 1);
    loadView();
    m_answerer.enqueue(DialogButton::No);
    view.hepsiniSilAction()->trigger();
    EXPECT_EQ(texts(m_answerer.shown()), QStringList{u"Tüm Sepeti Silmek İstiyor musunuz "_s});
    EXPECT_EQ(serverBasket().rowCount(), 2);

    m_answerer.clear();
    m_answerer.enqueue(DialogButton::Yes);
    view.hepsiniSilAction()->trigger();
    EXPECT_EQ(texts(m_answerer.shown()), (QStringList{u"Tüm Sepeti Silmek İstiyor musunuz "_s, u"Sepet Silindi !"_s}));
    EXPECT_EQ(m_answerer.shown().last().kind, DialogKind::Information);
    EXPECT_EQ(serverBasket().rowCount(), 0);
    EXPECT_EQ(view.sepet().rowCount(), 0);
}

TEST_F(Sepet, DeletingARowAsksFirstAndSaysSo)
{
    Basket::SepetView &view = openView();
    const Catalogue::StockRow keep = part(13);
    const Catalogue::StockRow gone = part(14);
    addDirectly(keep, 1);
    addDirectly(gone, 1);
    loadView();
    const int row = rowOf(view.sepet(), gone.stokno);
    focusCell(row, u"BARKOD"_s);
    m_answerer.enqueue(DialogButton::No);
    view.satirSilAction()->trigger();
    EXPECT_EQ(serverBasket().rowCount(), 2);

    m_answerer.clear();
    m_answerer.enqueue(DialogButton::Yes);
    focusCell(row, u"BARKOD"_s);
    view.satirSilAction()->trigger();
    EXPECT_EQ(texts(m_answerer.shown()), (QStringList{u"Satırı silmek istiyor musunuz "_s, u"Satır silindi !"_s}));
    const Protocol::ClientTable server = serverBasket();
    ASSERT_EQ(server.rowCount(), 1);
    EXPECT_EQ(rowOf(server, keep.stokno), 0);
    EXPECT_EQ(view.sepet().rowCount(), 1);
}

TEST_F(Sepet, TheTabLoadSetsCaptionTotalsAndWarning)
{
    Basket::SepetView &view = openView();
    addDirectly(part(15), 2);
    addDirectly(part(16), 1);
    const qint32 sirano = qRound(cell(serverBasket(), 0, u"SIRANO"));
    setSec(sirano, 1);
    view.lbluyarbakiye()->setText(u"eski uyarı"_s);
    bool warned = false;
    QObject::connect(&view, &Basket::SepetView::warningShown, &view, [&warned] { warned = true; });
    loadView();
    EXPECT_FALSE(m_busy);
    EXPECT_EQ(m_caption, u"2=Sepet"_s);
    EXPECT_TRUE(view.grid()->isEnabled());
    const Protocol::ClientTable server = serverBasket();
    const int selected = qRound(cell(server, 0, u"SEC")) == 1 ? 0 : 1;
    EXPECT_EQ(view.totals()->aratoplaml()->text(),
              QLocale(QLocale::Turkish).toString(cell(server, selected, u"TUTAR"), 'f', 2));
    ASSERT_TRUE(waitFor([&] { return warned; }));
    auto expected = call([&](Server::TServerMethods1Client &p) { return p.CariVadeGunGecmismiBul(m_sbilgi.FCARINO); });
    ASSERT_TRUE(expected);
    EXPECT_EQ(view.lbluyarbakiye()->text(), *expected);
}

TEST_F(Sepet, ExcelKaydetWritesTheGridWhereTheUserSays)
{
    Basket::SepetView &view = openView();
    addDirectly(part(17), 3);
    loadView();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    view.setFileNameQuestion([&](QWidget *) { return dir.filePath(u"sepetim"_s); });
    QTest::mouseClick(view.excelButton(), Qt::LeftButton);
    const QFileInfo written(dir.filePath(u"sepetim.xls"_s));
    EXPECT_TRUE(written.exists());
    EXPECT_GT(written.size(), 0);
    EXPECT_TRUE(m_answerer.shown().isEmpty());
    // Cancelled: nothing is written.
    view.setFileNameQuestion([](QWidget *) { return QString(); });
    QTest::mouseClick(view.excelButton(), Qt::LeftButton);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

} // namespace

} // namespace BasketTest
