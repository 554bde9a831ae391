#include "stokayarinti.h"

#include "basketmath.h"

#include "client/catalogue/moneyedit.h"
#include "client/catalogue/pricepanel.h"
#include "client/catalogue/tasyncresim.h"
#include "client/server/serversession.h"
#include "client/session/messagedialog.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Basket {

namespace {
constexpr int kMostPieces = 10000;

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}
} // namespace

stokayarinti::stokayarinti(qint32 stokno, QWidget *parent)
    : QDialog(parent)
    , m_stokno(stokno)
{
    setObjectName(u"stokayarinti"_s);
    setWindowTitle(u"Sepete Ekle"_s);
    setModal(true);
    buildLayout();
}

stokayarinti::~stokayarinti() = default;

void stokayarinti::buildLayout()
{
    auto *top = new QFormLayout;
    m_barkod = valueLabel(u"barkod"_s, this);
    m_adi = valueLabel(u"adi"_s, this);
    m_finishkod = valueLabel(u"finishkod"_s, this);
    m_marka = valueLabel(u"marka"_s, this);
    m_model = valueLabel(u"model"_s, this);
    top->addRow(u"Barkod:"_s, m_barkod);
    top->addRow(u"Açıklama:"_s, m_adi);
    top->addRow(u"Finish Kod:"_s, m_finishkod);
    top->addRow(u"Marka:"_s, m_marka);
    top->addRow(u"Model:"_s, m_model);

    m_picture = new Catalogue::TAsyncResim(this);
    m_picture->setObjectName(u"resim"_s);
    m_picture->setMinimumSize(360, 240);

    m_adet = new QSpinBox(this);
    m_adet->setObjectName(u"adet"_s);
    m_adet->setRange(1, kMostPieces);
    m_adet->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    m_adet->setAlignment(Qt::AlignRight);
    m_adet->setMinimumWidth(140);
    m_adet->installEventFilter(this);
    m_adet->findChild<QLineEdit *>()->installEventFilter(this);
    auto *adetRow = new QFormLayout;
    adetRow->addRow(u"Adet:"_s, m_adet);

    m_prices = new Catalogue::PricePanel(this);
    m_prices->setObjectName(u"fiyatpaneli"_s);
    // Enter in the price box does nothing: it neither confirms nor cancels.
    m_prices->birimfiyat()->installEventFilter(this);

    m_ekle = new QPushButton(u"Sipariş ekle"_s, this);
    m_ekle->setObjectName(u"siparisekle"_s);
    m_vazgec = new QPushButton(u"Vazgeç"_s, this);
    m_vazgec->setObjectName(u"vazgec"_s);
    for (QPushButton *b : {m_ekle, m_vazgec}) {
        // Enter is handled by the box it is pressed in, never by a default button.
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumSize(130, 36);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ekle);
    buttons->addWidget(m_vazgec);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_picture, 1, Qt::AlignHCenter);
    layout->addLayout(adetRow);
    layout->addWidget(m_prices);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(m_adet, &QSpinBox::valueChanged, this, [this](int value) { m_prices->setQuantity(value); });
    connect(m_ekle, &QPushButton::clicked, this, &stokayarinti::siparisEkle);
    connect(m_vazgec, &QPushButton::clicked, this, &QDialog::reject);
}

void stokayarinti::setTopValues(const QString &barkod, const QString &adi, const QString &finishkod,
                                const QString &marka, const QString &model)
{
    m_barkod->setText(barkod);
    m_adi->setText(adi);
    m_finishkod->setText(finishkod);
    m_marka->setText(marka);
    m_model->setText(model);
}

void stokayarinti::setKdv(double kdv)
{
    Catalogue::OpenerTexts texts;
    texts.taxRate = kdv;
    texts.setsPrice = false;
    m_prices->open(texts);
}

void stokayarinti::setKoliAdet(qint32 koliadet)
{
    m_koliadet = packageQuantity(koliadet);
    m_adet->setRange(m_koliadet, std::max(kMostPieces, m_koliadet));
    m_adet->setSingleStep(m_koliadet);
    m_adet->setValue(m_koliadet);
    m_prices->setQuantity(m_adet->value());
}

void stokayarinti::applyUserType(qint32 musteriTipi, bool fromCampaignList)
{
    const bool editable = pricesEditable(musteriTipi);
    m_prices->setPriceEditable(editable);
    m_prices->setRatesEditable(editable);
    m_prices->setRatesVisible(editable && !fromCampaignList);
}

void stokayarinti::applyOpener(const Catalogue::OpenerTexts &texts)
{
    m_prices->open(texts);
    m_prices->setQuantity(m_adet->value());
}

void stokayarinti::setQuantity(double quantity)
{
    m_adet->setValue(std::clamp(qRound(quantity), m_adet->minimum(), m_adet->maximum()));
}

void stokayarinti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_prices->setQuantity(m_adet->value());
    m_picture->setUrl(Server::ServerSession::instance().imagePrefix() + QString::number(m_stokno));
    m_adet->setFocus();
    m_adet->selectAll();
}

bool stokayarinti::eventFilter(QObject *watched, QEvent *event)
{
    const bool inAdet = watched == m_adet || watched == m_adet->findChild<QLineEdit *>();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (inAdet)
                confirm(); // at once, with the quantity as typed
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched == m_adet) {
        roundQuantityUp();
    }
    return QDialog::eventFilter(watched, event);
}

void stokayarinti::roundQuantityUp()
{
    m_adet->interpretText();
    const std::optional<qint32> typed = quantityFromText(m_adet->cleanText());
    if (!typed)
        return;
    m_adet->setValue(roundUpToPackage(*typed, m_koliadet));
}

void stokayarinti::siparisEkle()
{
    roundQuantityUp();
    confirm();
}

void stokayarinti::confirm()
{
    const QString typed = m_adet->cleanText();
    const std::optional<qint32> quantity = quantityFromText(typed);
    if (!quantity) {
        // Nothing is sent; the dialog stays open so the user can correct the number.
        Session::MessageDialog(notANumberText(typed), Session::DialogKind::Error, Session::DialogButton::Ok);
        m_adet->setFocus();
        m_adet->selectAll();
        return;
    }
    m_values.quantity = std::clamp(*quantity, m_adet->minimum(), m_adet->maximum());
    m_values.price = m_prices->price();
    m_values.rates = m_prices->rates();
    accept();
}

} // namespace Basket
