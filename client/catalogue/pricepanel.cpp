#include "pricepanel.h"

#include "moneyedit.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace Catalogue {

namespace {

MoneyEdit *moneyBox(const QString &name, bool readOnly, QWidget *parent)
{
    auto *box = new MoneyEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(readOnly);
    box->setMinimumWidth(120);
    return box;
}

QLabel *label(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

PricePanel::PricePanel(QWidget *parent)
    : QWidget(parent)
    , m_birimfiyat(moneyBox(u"birimfiyat"_s, false, this))
    , m_indtutar(moneyBox(u"indtutar"_s, true, this))
    , m_kdvdahiltutar(moneyBox(u"kdvdahiltutar"_s, true, this))
    , m_geneltutar(moneyBox(u"geneltutar"_s, true, this))
    , m_label2(label(u"Label2"_s, defaultLabel2Caption(), this))
    , m_indirimoran(label(u"indirimoran"_s, defaultIndirimoranCaption(), this))
    , m_ratesPanel(new QWidget(this))
{
    setObjectName(u"fiyatpanel"_s);
    m_ratesPanel->setObjectName(u"indirimpanel"_s);
    auto *ratesLayout = new QHBoxLayout(m_ratesPanel);
    ratesLayout->setContentsMargins(0, 0, 0, 0);
    const QString captions[4] = {u"İsk"_s, u"İsk2"_s, u"İsk3"_s, u"İsk4"_s};
    for (int i = 0; i < 4; ++i) {
        ratesLayout->addWidget(label(u"iskLabel%1"_s.arg(i + 1), captions[i], m_ratesPanel));
        MoneyEdit *rate = moneyBox(u"edindirim%1"_s.arg(i + 1), false, m_ratesPanel);
        rate->setMinimumWidth(60);
        ratesLayout->addWidget(rate, 1);
        m_rates[size_t(i)] = rate;
    }
    m_ratesPanel->hide();

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label2, 0, 0);
    layout->addWidget(m_birimfiyat, 0, 1);
    layout->addWidget(m_ratesPanel, 1, 0, 1, 2);
    layout->addWidget(m_indirimoran, 2, 0);
    layout->addWidget(m_indtutar, 2, 1);
    layout->addWidget(label(u"kdvdahilLabel"_s, u"KDV Dahil:"_s, this), 3, 0);
    layout->addWidget(m_kdvdahiltutar, 3, 1);
    layout->addWidget(label(u"tutarLabel"_s, u"Tutar:"_s, this), 4, 0);
    layout->addWidget(m_geneltutar, 4, 1);
    layout->setColumnStretch(1, 1);

    for (MoneyEdit *box : {m_birimfiyat, m_indtutar, m_kdvdahiltutar, m_geneltutar})
        box->installEventFilter(this);
    for (MoneyEdit *box : m_rates)
        box->installEventFilter(this);
}

void PricePanel::open(const OpenerTexts &texts)
{
    m_birimfiyat->setValue(texts.setsPrice ? texts.price : 0.0);
    for (int i = 0; i < 4; ++i)
        m_rates[size_t(i)]->setValue(texts.setsPrice ? texts.rates[size_t(i)] : 0.0);
    m_taxRate = texts.taxRate;
    m_indirimoran->setText(texts.indirimoranCaption.value_or(defaultIndirimoranCaption()));
    m_label2->setText(texts.label2Caption.value_or(defaultLabel2Caption()));
    // Decided once here; editing the rates later neither shows nor hides the line.
    m_discountLineShown = discountLineVisible(rates());
    m_indirimoran->setVisible(m_discountLineShown);
    m_indtutar->setVisible(m_discountLineShown);
    SatirHesapla();
}

void PricePanel::setQuantity(double quantity)
{
    m_quantity = quantity;
    SatirHesapla();
}

void PricePanel::setPriceEditable(bool editable)
{
    m_birimfiyat->setReadOnly(!editable);
}

void PricePanel::setRatesEditable(bool editable)
{
    for (MoneyEdit *box : m_rates)
        box->setReadOnly(!editable);
}

void PricePanel::setRatesVisible(bool visible)
{
    m_ratesPanel->setVisible(visible);
}

double PricePanel::price() const
{
    return m_birimfiyat->value();
}

std::array<double, 4> PricePanel::rates() const
{
    return {m_rates[0]->value(), m_rates[1]->value(), m_rates[2]->value(), m_rates[3]->value()};
}

void PricePanel::SatirHesapla()
{
    m_line = Catalogue::SatirHesapla({price(), rates(), m_taxRate, m_quantity});
    m_indtutar->setValue(m_line.indtutar);
    m_kdvdahiltutar->setValue(m_line.kdvdahiltutar);
    m_geneltutar->setValue(m_line.geneltutar);
    emit recomputed();
}

bool PricePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease && qobject_cast<MoneyEdit *>(watched)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F4) {
            // Works on a read-only price box too: the key takes the 20 % tax out of the price.
            m_birimfiyat->setValue(priceWithoutTax(m_birimfiyat->value()));
            SatirHesapla();
            return true;
        }
        SatirHesapla();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Catalogue
