#include "onaysip.h"

#include "client/session/messagedialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Basket {

namespace {
constexpr int kStripHeight = 171;

void warn(const QString &text)
{
    Session::MessageDialog(text, Session::DialogKind::Warning, Session::DialogButton::Ok);
}
} // namespace

ONAYSIP::ONAYSIP(const QString &toplam, const Protocol::TSonucBilgisi &sbilgi, const QString &uyari,
                 Server::Connection &bagc, QWidget *parent)
    : QDialog(parent)
    , m_bagc(bagc)
{
    setObjectName(u"ONAYSIP"_s);
    setWindowTitle(u"Sipariş Onay"_s);
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    buildLayout();
    // 1. The warning and the summary.
    m_warning->setText(uyari);
    m_warning->setVisible(!uyari.trimmed().isEmpty());
    QString summary = summaryText(sbilgi, toplam);
    m_summary->setText(summary.remove(u'\r'));
    // 2.-4. The delivery options and the cargo types.
    loadChoices();
}

QString ONAYSIP::summaryText(const Protocol::TSonucBilgisi &sbilgi, const QString &toplam)
{
    return u"Kullanıcı: "_s + sbilgi.FADI + u"\r\n"_s + u"Cari     : "_s + sbilgi.FCariAdi + u"\r\n"_s +
           u"Tutar    : "_s + toplam;
}

QString ONAYSIP::aciklama() const
{
    return m_aciklamagir->toPlainText();
}

void ONAYSIP::buildLayout()
{
    auto *strip = new QWidget(this);
    strip->setFixedHeight(kStripHeight);
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);

    m_teslimBox = new QGroupBox(u"Teslim Durumu"_s, strip);
    m_teslimBox->setObjectName(u"teslimdurumu"_s);
    m_teslim = new QButtonGroup(this);
    new QVBoxLayout(m_teslimBox);
    m_kargoTurBox = new QGroupBox(u"Kargo Türleri"_s, strip);
    m_kargoTurBox->setObjectName(u"kargoturleri"_s);
    m_kargoTurleri = new QButtonGroup(this);
    new QVBoxLayout(m_kargoTurBox);

    auto *kargoBox = new QGroupBox(u"Kargo"_s, strip);
    auto *kargoLayout = new QVBoxLayout(kargoBox);
    m_kargoList = new QComboBox(kargoBox);
    m_kargoList->setObjectName(u"kargolist"_s);
    m_kargoList->setEditable(false);
    m_kargoList->setMinimumWidth(180);
    m_uyarikargo = new QLabel(kargoBox);
    m_uyarikargo->setObjectName(u"uyarikargo"_s);
    m_uyarikargo->setWordWrap(true);
    m_uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    kargoLayout->addWidget(m_kargoList);
    kargoLayout->addWidget(m_uyarikargo, 1);

    auto *mesajBox = new QGroupBox(u"Mesaj"_s, strip);
    auto *mesajLayout = new QVBoxLayout(mesajBox);
    m_aciklamagir = new QPlainTextEdit(mesajBox);
    m_aciklamagir->setObjectName(u"aciklamagir"_s);
    mesajLayout->addWidget(m_aciklamagir);

    stripLayout->addWidget(m_teslimBox, 1);
    stripLayout->addWidget(m_kargoTurBox, 1);
    stripLayout->addWidget(kargoBox, 1);
    stripLayout->addWidget(mesajBox, 2);

    m_summary = new QLabel(this);
    m_summary->setObjectName(u"ozet"_s);
    // The captions are padded to one width: a fixed-pitch font keeps the colons aligned.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(15);
    fixed.setBold(true);
    m_summary->setFont(fixed);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_warning = new QLabel(this);
    m_warning->setObjectName(u"uyari"_s);
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(u"color: #c00000; font-weight: bold;"_s);

    auto *question = new QLabel(u"Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"_s, this);
    question->setAlignment(Qt::AlignCenter);
    QFont questionFont = question->font();
    questionFont.setPixelSize(16);
    questionFont.setBold(true);
    question->setFont(questionFont);

    m_evet = new QPushButton(u"Evet"_s, this);
    m_evet->setObjectName(u"evet"_s);
    m_hayir = new QPushButton(u"Hayır"_s, this);
    m_hayir->setObjectName(u"hayir"_s);
    // Enter in the message box writes a line; it never sends the order.
    m_evet->setAutoDefault(false);
    m_hayir->setAutoDefault(false);
    m_evet->setMinimumSize(120, 36);
    m_hayir->setMinimumSize(120, 36);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_evet);
    buttons->addSpacing(40);
    buttons->addWidget(m_hayir);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(strip);
    layout->addWidget(m_summary);
    layout->addWidget(m_warning);
    layout->addWidget(question);
    layout->addLayout(buttons);
    resize(900, 420);

    connect(m_kargoTurleri, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            kargoTuruSecildi(id);
    });
    connect(m_kargoList, &QComboBox::currentIndexChanged, this, &ONAYSIP::kargoSecildi);
    connect(m_evet, &QPushButton::clicked, this, &ONAYSIP::Evet);
    connect(m_hayir, &QPushButton::clicked, this, &QDialog::reject);
}

void ONAYSIP::fillGroup(QGroupBox *box, QButtonGroup *group, const std::vector<Choice> &choices)
{
    for (QAbstractButton *button : group->buttons()) {
        group->removeButton(button);
        delete button;
    }
    for (size_t i = 0; i < choices.size(); ++i) {
        auto *radio = new QRadioButton(choices[i].caption, box);
        group->addButton(radio, int(i));
        box->layout()->addWidget(radio);
    }
}

void ONAYSIP::loadChoices()
{
    const std::optional<OrderChoices> choices = orderChoices(m_bagc);
    if (!choices)
        return; // the open with retry has said why; both groups stay empty
    m_teslimChoices = choices->teslim;
    m_kargoChoices = choices->kargo;
    fillGroup(m_teslimBox, m_teslim, m_teslimChoices);
    // The second option, not the first, is the default; a single one is chosen too.
    if (m_teslimChoices.size() >= 2)
        m_teslim->button(1)->setChecked(true);
    else if (m_teslimChoices.size() == 1)
        m_teslim->button(0)->setChecked(true);
    fillGroup(m_kargoTurBox, m_kargoTurleri, m_kargoChoices);
    orderFocus();
}

// The choices come after the window's other controls; Tab goes through them as they are read,
// left to right, and the focus starts at the first group that still lacks a choice.
void ONAYSIP::orderFocus()
{
    QList<QWidget *> chain;
    for (QAbstractButton *b : m_teslim->buttons())
        chain.append(b);
    for (QAbstractButton *b : m_kargoTurleri->buttons())
        chain.append(b);
    chain << m_kargoList << m_aciklamagir << m_evet << m_hayir;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    QWidget *first = m_kargoList;
    if (!m_teslim->buttons().isEmpty() && !m_teslim->checkedButton())
        first = m_teslim->buttons().constFirst();
    else if (!m_kargoTurleri->buttons().isEmpty())
        first = m_kargoTurleri->buttons().constFirst();
    first->setFocus();
}

void ONAYSIP::kargoTuruSecildi(int index)
{
    m_uyarikargo->clear();
    if (index < 0 || size_t(index) >= m_kargoChoices.size())
        return;
    std::optional<Protocol::ClientTable> carriers = KargolarVer(m_bagc, m_kargoChoices[size_t(index)].id);
    // A list that could not be loaded (reported already) must not keep the carriers of the
    // type chosen before: they would go with an order of another cargo type.
    m_kargo = carriers ? std::move(*carriers) : Protocol::ClientTable();
    const int adi = m_kargo.columnIndex(u"ADI");
    QStringList entries{u" "_s};
    for (int row = 0; adi >= 0 && row < m_kargo.rowCount(); ++row)
        entries.append(m_kargo.text(row, adi));
    {
        const QSignalBlocker block(m_kargoList);
        m_kargoList->clear();
        m_kargoList->addItems(entries);
        m_kargoList->setCurrentIndex(entries.size() == 2 ? 1 : 0);
    }
    kargoSecildi(m_kargoList->currentIndex());
}

int ONAYSIP::firstCarrierNamed(const QString &name) const
{
    const int adi = m_kargo.columnIndex(u"ADI");
    for (int row = 0; adi >= 0 && row < m_kargo.rowCount(); ++row) {
        if (m_kargo.text(row, adi) == name)
            return row;
    }
    return -1;
}

void ONAYSIP::kargoSecildi(int index)
{
    const int row = index > 0 ? firstCarrierNamed(m_kargoList->itemText(index)) : -1;
    const int uyari = m_kargo.columnIndex(u"UYARI");
    if (row < 0 || uyari < 0) {
        m_uyarikargo->clear();
        return;
    }
    m_uyarikargo->setText(m_kargo.text(row, uyari));
}

void ONAYSIP::Evet()
{
    const int teslim = m_teslim->checkedId();
    if (teslim < 0) {
        warn(u"Lütfen Teslim Durumu Seçiniz !"_s);
        return;
    }
    const int tur = m_kargoTurleri->checkedId();
    if (tur < 0) {
        warn(u"Lütfen Kargo Türünü Seçiniz !"_s);
        return;
    }
    const int carrier = m_kargoList->currentIndex() > 0 ? firstCarrierNamed(m_kargoList->currentText()) : -1;
    if (carrier < 0) {
        warn(u"Lütfen Kargo  Seçiniz !"_s);
        m_kargoList->setFocus();
        return;
    }
    m_kn = m_kargo.value(carrier, m_kargo.columnIndex(u"SIRANO")).toInt();
    m_td = m_teslimChoices[size_t(teslim)].id;
    m_kt = m_kargoChoices[size_t(tur)].id;
    accept();
}

} // namespace Basket
