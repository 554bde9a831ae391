// The order confirmation against the real server: the preselected delivery option, the
// carrier list with its blank entry and single-carrier rule, the checks of "Evet" in their
// order, and "Gönder" with both answers of SiparisKaydet.

#include "basketfixture.h"

#include "client/basket/onaysip.h"
#include "client/basket/totalspanel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace BasketTest {

namespace {

using Session::DialogButton;
using Session::DialogKind;

class Onay : public BasketFixture
{
protected:
    std::unique_ptr<Basket::ONAYSIP> openOnay(const QString &toplam = u"1.234,50"_s, const QString &uyari = QString())
    {
        m_sbilgi = signIn(false);
        return std::make_unique<Basket::ONAYSIP>(toplam, m_sbilgi, uyari, *m_bagc);
    }

    static void chooseCargoType(Basket::ONAYSIP &w, const QString &caption)
    {
        for (QAbstractButton *b : w.kargoTurleri()->buttons()) {
            if (b->text() == caption) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        }
        ADD_FAILURE() << "no cargo type " << caption.toStdString();
    }

    QStringList warnings() const
    {
        QStringList out;
        for (const Session::DialogRequest &r : m_answerer.shown()) {
            EXPECT_EQ(r.kind, DialogKind::Warning);
            out.append(r.text);
        }
        return out;
    }
};

TEST_F(Onay, OpensWithTheSecondDeliveryOptionAndNoCargoType)
{
    auto w = openOnay(u"165,55"_s, u"Vadesi geçmiş bakiyeniz var"_s);
    QStringList delivery;
    for (QAbstractButton *b : w->teslimDurumu()->buttons())
        delivery.append(b->text());
    EXPECT_EQ(delivery, (QStringList{u"Depodan Teslim Alınacak"_s, u"Kargo ile Gönderilsin"_s,
                                     u"Servis Aracımızla Gönderilsin"_s}));
    EXPECT_EQ(w->teslimDurumu()->checkedId(), 1);
    EXPECT_EQ(w->kargoTurleri()->buttons().size(), 3);
    EXPECT_EQ(w->kargoTurleri()->checkedId(), -1);
    EXPECT_EQ(w->kargoList()->count(), 0);
    EXPECT_EQ(Basket::ONAYSIP::summaryText(m_sbilgi, u"165,55"_s),
              u"Kullanıcı: "_s + m_sbilgi.FADI + u"\r\nCari     : "_s + m_sbilgi.FCariAdi + u"\r\nTutar    : 165,55"_s);
    EXPECT_TRUE(w->summary()->text().endsWith(u"Tutar    : 165,55"_s));
    EXPECT_EQ(w->warning()->text(), u"Vadesi geçmiş bakiyeniz var"_s);

    // The focus waits at the first cargo type (the delivery is chosen already), and Tab goes
    // through the groups as they are read, then the message, "Evet" and "Hayır".
    const QList<QAbstractButton *> teslim = w->teslimDurumu()->buttons();
    const QList<QAbstractButton *> kargo = w->kargoTurleri()->buttons();
    EXPECT_EQ(w->focusWidget(), kargo.constFirst());
    QList<QWidget *> expected;
    for (QAbstractButton *b : teslim + kargo)
        expected.append(b);
    expected << w->kargoList() << w->aciklamagir() << w->evetButton()
             << w->hayirButton();
    QList<QWidget *> chain{teslim.constFirst()};
    for (QWidget *next = teslim.constFirst()->nextInFocusChain(); next != teslim.constFirst() && chain.size() < 10;
         next = next->nextInFocusChain()) {
        if (expected.contains(next))
            chain.append(next);
    }
    EXPECT_EQ(chain, expected);
}

TEST_F(Onay, CarrierListFollowsTheCargoType)
{
    auto w = openOnay();
    w->show();
    // One carrier: chosen at once, with its note.
    chooseCargoType(*w, u"Anlaşmalı Ambar"_s);
    EXPECT_EQ(w->kargoList()->count(), 2);
    EXPECT_EQ(w->kargoList()->itemText(0), u" "_s);
    EXPECT_EQ(w->kargoList()->currentText(), u"Horoz Lojistik"_s);
    EXPECT_EQ(w->uyarikargo()->text(), u"Ambar teslimi 2-3 iş günü sürer."_s);
    // Two carriers: the blank entry and no note until one is picked.
    chooseCargoType(*w, u"Gönderici Ödemeli"_s);
    EXPECT_EQ(w->kargoList()->count(), 3);
    EXPECT_EQ(w->kargoList()->currentIndex(), 0);
    EXPECT_TRUE(w->uyarikargo()->text().isEmpty());
    w->kargoList()->setCurrentIndex(2);
    EXPECT_EQ(w->kargoList()->currentText(), u"Sürat Kargo"_s);
    EXPECT_EQ(w->uyarikargo()->text(), u"Kargo ücreti faturaya eklenir."_s);
    w->kargoList()->setCurrentIndex(0);
    EXPECT_TRUE(w->uyarikargo()->text().isEmpty());
}

TEST_F(Onay, EvetChecksTheThreeChoicesInOrder)
{
    auto w = openOnay();
    w->show();
    // Nothing chosen at all: only the first check speaks.
    w->teslimDurumu()->setExclusive(false);
    w->teslimDurumu()->checkedButton()->setChecked(false);
    w->teslimDurumu()->setExclusive(true);
    QTest::mouseClick(w->evetButton(), Qt::LeftButton);
    EXPECT_EQ(warnings(), QStringList{u"Lütfen Teslim Durumu Seçiniz !"_s});
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_TRUE(w->isVisible());

    m_answerer.clear();
    w->teslimDurumu()->button(0)->click();
    QTest::mouseClick(w->evetButton(), Qt::LeftButton);
    EXPECT_EQ(warnings(), QStringList{u"Lütfen Kargo Türünü Seçiniz !"_s});

    // A carrier picked, then another cargo type: the choice is gone.
    m_answerer.clear();
    chooseCargoType(*w, u"Alıcı Ödemeli"_s);
    w->kargoList()->setCurrentIndex(2);
    chooseCargoType(*w, u"Gönderici Ödemeli"_s);
    QTest::mouseClick(w->evetButton(), Qt::LeftButton);
    EXPECT_EQ(warnings(), QStringList{u"Lütfen Kargo  Seçiniz !"_s});
    EXPECT_TRUE(w->isVisible());

    m_answerer.clear();
    w->kargoList()->setCurrentIndex(1);
    QTest::mouseClick(w->evetButton(), Qt::LeftButton);
    EXPECT_TRUE(m_answerer.shown().isEmpty());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(w->td(), 1);
    EXPECT_EQ(w->kt(), 2);
    EXPECT_EQ(w->KN(), 4); // Yurtiçi Kargo of "Gönderici Ödemeli"
}

TEST_F(Onay, GonderWithNothingSelectedOpensNoWindow)
{
    Basket::SepetView &view = openView();
    QTest::mouseClick(view.gonderButton(), Qt::LeftButton); // never loaded
    addDirectly(part(30), 1);
    loadView();
    OnModal<Basket::ONAYSIP> never([](Basket::ONAYSIP *w) { w->reject(); });
    QTest::mouseClick(view.gonderButton(), Qt::LeftButton); // loaded, nothing ticked
    EXPECT_FALSE(never.ran());
    ASSERT_EQ(m_answerer.shown().size(), 2);
    for (const Session::DialogRequest &r : m_answerer.shown()) {
        EXPECT_EQ(r.text, u"Gönderilecek Parça Yok "_s);
        EXPECT_EQ(r.kind, DialogKind::Warning);
    }
}

TEST_F(Onay, GonderPlacesTheSelectedLinesAsOneOrder)
{
    Basket::SepetView &view = openView();
    const Catalogue::StockRow a = part(31), b = part(32), c = part(33);
    for (const Catalogue::StockRow &p : {a, b, c})
        addDirectly(p, 2);
    loadView();
    for (const Catalogue::StockRow &p : {a, c}) {
        focusCell(Basket::basketRowOfPart(view.sepet(), p.stokno), u"SEC"_s);
        view.toggleOrChange();
    }
    const QString toplam = view.totals()->geneltoplaml()->text();
    QString summary;
    OnModal<Basket::ONAYSIP> user([&](Basket::ONAYSIP *w) {
        summary = w->summary()->text();
        chooseCargoType(*w, u"Anlaşmalı Ambar"_s);
        w->aciklamagir()->setFocus();
        w->aciklamagir()->insertPlainText(u"Öğleden önce lütfen"_s);
        QTest::mouseClick(w->evetButton(), Qt::LeftButton);
    });
    QTest::mouseClick(view.gonderButton(), Qt::LeftButton);
    ASSERT_TRUE(user.ran());
    EXPECT_TRUE(summary.endsWith(u"Tutar    : "_s + toplam));
    ASSERT_EQ(m_answerer.shown().size(), 1);
    EXPECT_EQ(m_answerer.shown().first().text, u"Siparişiniz Gönderildi !"_s);
    EXPECT_EQ(m_answerer.shown().first().kind, DialogKind::Information);
    // The basket was fetched again: only the line not ticked is left.
    ASSERT_EQ(view.sepet().rowCount(), 1);
    EXPECT_EQ(Basket::basketRowOfPart(view.sepet(), b.stokno), 0);

    QSqlQuery order = sql(u"SELECT idno, teslim, kargo_turu, kargo, aciklama FROM siparisler WHERE carino = ?"
                          u" ORDER BY idno DESC LIMIT 1"_s,
                          {m_sbilgi.FCARINO});
    ASSERT_TRUE(order.next());
    EXPECT_EQ(order.value(1).toInt(), 2);
    EXPECT_EQ(order.value(2).toInt(), 3);
    EXPECT_EQ(order.value(3).toInt(), 6);
    EXPECT_EQ(order.value(4).toString(), u"Öğleden önce lütfen"_s);
    QSqlQuery lines = sql(u"SELECT stokno FROM siparis_satirlari WHERE idno = ? ORDER BY stokno"_s, {order.value(0)});
    QList<int> ordered;
    while (lines.next())
        ordered.append(lines.value(0).toInt());
    QList<int> expected{a.stokno, c.stokno};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ordered, expected);
}

TEST_F(Onay, ARefusedOrderSaysSoAndLeavesTheBasketAsShown)
{
    Basket::SepetView &view = openView();
    addDirectly(part(34), 1);
    loadView();
    focusCell(0, u"SEC"_s);
    view.toggleOrChange();
    // Meanwhile the line was taken out of the order elsewhere: the server has nothing to order.
    const qint32 sirano = qRound(view.sepet().number(0, view.sepet().columnIndex(u"SIRANO")));
    setSec(sirano, 0);
    CallCounter calls;
    OnModal<Basket::ONAYSIP> user([&](Basket::ONAYSIP *w) {
        chooseCargoType(*w, u"Anlaşmalı Ambar"_s);
        QTest::mouseClick(w->evetButton(), Qt::LeftButton);
    });
    QTest::mouseClick(view.gonderButton(), Qt::LeftButton);
    ASSERT_TRUE(user.ran());
    ASSERT_EQ(m_answerer.shown().size(), 1);
    EXPECT_EQ(m_answerer.shown().first().text, u"Sipariş Göndermede Hata"_s);
    EXPECT_EQ(m_answerer.shown().first().kind, DialogKind::Error);
    EXPECT_EQ(calls.count(u"SiparisKaydet"_s), 1);
    EXPECT_EQ(calls.count(u"SepetVer2"_s), 0);
    EXPECT_EQ(view.sepet().rowCount(), 1);
}

TEST_F(Onay, AnOrderThatCannotReachTheServerCountsAsFailed)
{
    Basket::SepetView &view = openView();
    addDirectly(part(36), 1);
    loadView();
    focusCell(0, u"SEC"_s);
    view.toggleOrChange();
    const QString port = m_bagc->params().port;
    OnModal<Basket::ONAYSIP> user([&](Basket::ONAYSIP *w) {
        chooseCargoType(*w, u"Anlaşmalı Ambar"_s);
        // The server goes out of reach between the choice and the order.
        m_bagc->setPort(u"1"_s);
        QTest::mouseClick(w->evetButton(), Qt::LeftButton);
    });
    QTest::mouseClick(view.gonderButton(), Qt::LeftButton);
    ASSERT_TRUE(user.ran());
    ASSERT_GE(m_answerer.shown().size(), 2);
    EXPECT_EQ(m_answerer.shown().at(m_answerer.shown().size() - 2).text, Session::connectionFailureText());
    EXPECT_EQ(m_answerer.shown().last().text, u"Sipariş Göndermede Hata"_s);
    m_bagc->setPort(port);
    EXPECT_EQ(serverBasket().rowCount(), 1);
    EXPECT_EQ(view.sepet().rowCount(), 1);
}

TEST_F(Onay, HayirSendsNothing)
{
    Basket::SepetView &view = openView();
    addDirectly(part(35), 1);
    loadView();
    focusCell(0, u"SEC"_s);
    view.toggleOrChange();
    CallCounter calls;
    OnModal<Basket::ONAYSIP> user([](Basket::ONAYSIP *w) { QTest::mouseClick(w->hayirButton(), Qt::LeftButton); });
    QTest::mouseClick(view.gonderButton(), Qt::LeftButton);
    ASSERT_TRUE(user.ran());
    EXPECT_EQ(calls.count(u"SiparisKaydet"_s), 0);
    EXPECT_TRUE(m_answerer.shown().isEmpty());
    EXPECT_EQ(serverBasket().rowCount(), 1);
}

// Options this server does not list by default: one delivery option, two carriers of one name.
TEST_F(Onay, ASingleDeliveryOptionIsChosenAndTheFirstOfTwoNamesakesIsSent)
{
    sql(u"INSERT INTO kargo_turleri (id, adi, sira) VALUES (90, 'Deneme Türü', 90)"_s);
    sql(u"INSERT INTO kargolar (sirano, kargo_turu, adi, uyari, sira) VALUES"
        u" (901, 90, 'Aynı Kargo', 'birinci', 1), (902, 90, 'Aynı Kargo', 'ikinci', 2)"_s);
    {
        auto w = openOnay();
        w->show();
        chooseCargoType(*w, u"Deneme Türü"_s);
        EXPECT_EQ(w->kargoList()->count(), 3);
        w->kargoList()->setCurrentIndex(2);
        EXPECT_EQ(w->uyarikargo()->text(), u"birinci"_s);
        QTest::mouseClick(w->evetButton(), Qt::LeftButton);
        EXPECT_EQ(w->KN(), 901);
    }
    sql(u"DELETE FROM kargolar WHERE kargo_turu = 90"_s);
    sql(u"DELETE FROM kargo_turleri WHERE id = 90"_s);

    // Only one delivery option listed while this part runs.
    QSqlQuery saved = sql(u"SELECT id, adi, sira FROM teslim_sekilleri WHERE id <> 3"_s);
    QList<QVariantList> others;
    while (saved.next())
        others.append({saved.value(0), saved.value(1), saved.value(2)});
    sql(u"DELETE FROM teslim_sekilleri WHERE id <> 3"_s);
    {
        auto w = openOnay();
        EXPECT_EQ(w->teslimDurumu()->buttons().size(), 1);
        EXPECT_EQ(w->teslimDurumu()->checkedId(), 0);
    }
    for (const QVariantList &row : std::as_const(others))
        sql(u"INSERT INTO teslim_sekilleri (id, adi, sira) VALUES (?, ?, ?)"_s, row);
}

} // namespace

} // namespace BasketTest
