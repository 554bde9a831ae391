#include "statuslegend.h"

#include "client/resources/resources.h"

#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace App {

namespace {

constexpr int kHeight = 27;
constexpr int kIconSize = 16;

struct LegendEntry
{
    QString caption;
    QIcon icon;
};

QList<LegendEntry> entries()
{
    using Resources::StockStatus;
    return {
        {u" Stok mevcut  "_s, Resources::stockStatusIcon(StockStatus::Mevcut)},
        {u" Telefon Açınız  "_s, Resources::stockStatusIcon(StockStatus::Telefon)},
        {u" Yolda  "_s, Resources::stockStatusIcon(StockStatus::Yolda)},
        {u" Tedarik Sürecinde "_s, Resources::stockStatusIcon(StockStatus::Tedarik)},
        {u" Özel Sipariş  "_s, Resources::stockStatusIcon(StockStatus::OzelSiparis)},
        {u" Yok  "_s, Resources::stockStatusIcon(StockStatus::Yok)},
        {u" Kritik Seviye "_s, Resources::criticalLevelIcon()},
    };
}

} // namespace

QStringList StatusLegend::captions()
{
    QStringList result;
    for (const LegendEntry &entry : entries())
        result << entry.caption;
    return result;
}

StatusLegend::StatusLegend(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"statusLegend"_s);
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(kHeight);
    // A window narrower than the legend cuts it at the right instead of squeezing its texts.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    m_row = new QWidget(this);
    auto *layout = new QHBoxLayout(m_row);
    layout->setContentsMargins(10, 0, 10, 0);
    layout->setSpacing(0);

    auto *title = new QLabel(u"Durum Açıklaması:    "_s, m_row);
    title->setTextFormat(Qt::PlainText);
    title->setObjectName(u"legendTitle"_s);
    layout->addWidget(title);
    int index = 0;
    for (const LegendEntry &entry : entries()) {
        auto *icon = new QLabel(m_row);
        icon->setObjectName(u"legendIcon%1"_s.arg(index));
        icon->setPixmap(entry.icon.pixmap(kIconSize, kIconSize));
        auto *caption = new QLabel(entry.caption, m_row);
        caption->setTextFormat(Qt::PlainText); // the blanks around the captions are theirs
        caption->setObjectName(u"legendCaption%1"_s.arg(index));
        layout->addWidget(icon);
        layout->addWidget(caption);
        layout->addSpacing(8);
        ++index;
    }
    m_row->resize(m_row->sizeHint());
}

void StatusLegend::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize row = m_row->sizeHint();
    m_row->setGeometry(0, (height() - row.height()) / 2, row.width(), row.height());
}

} // namespace App
