#include "headerpanel.h"

#include "svgpicture.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace App {

namespace {

constexpr int kHeight = 255;
constexpr int kPictureWidth = 784;

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setProperty("role", u"caption"_s);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setProperty("role", u"value"_s);
    label->setTextFormat(Qt::PlainText); // names come from the server as they are
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

QString saticiText(const Protocol::TSonucBilgisi &record)
{
    return record.FSaticiAdi + u" Telefonu: "_s + record.FSaticiTelefon + u" email: "_s + record.FSaticiMail;
}

HeaderPanel::HeaderPanel(QWidget *parent)
    : QWidget(parent)
    , m_kullanici(valueLabel(u"kullanicilbl"_s, this))
    , m_cariadi(valueLabel(u"cariadilbl"_s, this))
    , m_satici(valueLabel(u"saticilbl"_s, this))
    , m_logo(new SvgPicture(u"images/logo.svg"_s, Qt::AlignLeft | Qt::AlignTop, this))
    , m_picture(new SvgPicture(u"images/header.svg"_s, Qt::AlignRight | Qt::AlignVCenter, this))
{
    setObjectName(u"headerPanel"_s);
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(kHeight);

    m_logo->setFixedHeight(m_logo->sizeHint().height());
    m_logo->setMinimumWidth(160);
    m_picture->setMaximumWidth(kPictureWidth);
    m_picture->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    auto *identity = new QGridLayout;
    identity->setHorizontalSpacing(6);
    identity->setVerticalSpacing(8);
    identity->setColumnStretch(1, 1);
    const std::pair<QString, QLabel *> rows[] = {
        {u"Kullanıcı: "_s, m_kullanici},
        {u"Firma: "_s, m_cariadi},
        {u"Temsilci: "_s, m_satici},
    };
    int row = 0;
    for (const auto &[caption, value] : rows) {
        identity->addWidget(captionLabel(caption, this), row, 0);
        identity->addWidget(value, row, 1);
        ++row;
    }

    auto *left = new QVBoxLayout;
    left->setContentsMargins(16, 14, 12, 10);
    left->setSpacing(18);
    left->addWidget(m_logo);
    left->addLayout(identity);
    left->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(left, 1);
    layout->addWidget(m_picture, 0);
}

void HeaderPanel::fill(const Protocol::TSonucBilgisi &record)
{
    m_kullanici->setText(record.FADI);
    m_cariadi->setText(record.FCariAdi);
    m_satici->setText(saticiText(record));
}

} // namespace App
