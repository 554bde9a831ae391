#include "totalspanel.h"

#include "client/session/moneyformat.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace Basket {

namespace {

// Until the first computation the values show a dash: nothing has been added up yet.
QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(u"-"_s, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(140);
    return label;
}

} // namespace

TotalsPanel::TotalsPanel(QWidget *parent)
    : QWidget(parent)
    , m_toplam(valueLabel(u"aratoplaml"_s, this))
    , m_indirim(valueLabel(u"indiriml"_s, this))
    , m_net(valueLabel(u"nettutarl"_s, this))
    , m_vergi(valueLabel(u"vergil"_s, this))
    , m_genel(valueLabel(u"geneltoplaml"_s, this))
{
    setObjectName(u"toplamlar"_s);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(2);
    const QList<QPair<QString, QLabel *>> rows{{u"Toplam:"_s, m_toplam},
                                               {u"İndirim Toplam:"_s, m_indirim},
                                               {u"Ara Toplam:"_s, m_net},
                                               {u"Vergi:"_s, m_vergi},
                                               {u"Genel Toplam:"_s, m_genel}};
    for (int i = 0; i < rows.size(); ++i) {
        auto *caption = new QLabel(rows[i].first, this);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, i, 0);
        grid->addWidget(rows[i].second, i, 1);
        if (rows[i].second == m_genel) {
            QFont bold = caption->font();
            bold.setBold(true);
            caption->setFont(bold);
            m_genel->setFont(bold);
        }
    }
}

void TotalsPanel::display(const SepetToplamlari &t)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    m_toplam->setText(Session::moneyText(t.toplam, turkish));
    m_indirim->setText(Session::moneyText(t.indirim, turkish));
    m_net->setText(Session::moneyText(t.araToplam, turkish));
    m_vergi->setText(Session::moneyText(t.vergi, turkish));
    m_genel->setText(Session::moneyText(t.genelToplam, turkish));
}

} // namespace Basket
