#include "searchbar.h"

#include "busyindicator.h"
#include "generalmenu.h"

#include "client/resources/resources.h"
#include "client/session/uppercaseedit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace App {

namespace {

constexpr int kHeight = 35;
constexpr int kSearchBoxWidth = 340;

QFont searchFont()
{
    QFont font(u"Tahoma"_s);
    font.setFamilies({u"Tahoma"_s, u"DejaVu Sans"_s, u"Liberation Sans"_s});
    font.setPixelSize(20);
    font.setBold(false);
    return font;
}

QPushButton *barButton(const QString &name, const QString &text, const QString &icon, QWidget *parent)
{
    auto *button = new QPushButton(Resources::icon(icon), text, parent);
    button->setObjectName(name);
    button->setToolTip(text);
    button->setFocusPolicy(Qt::TabFocus);
    button->setFixedHeight(kHeight - 6);
    return button;
}

} // namespace

SearchBar::SearchBar(QWidget *parent)
    : QWidget(parent)
    , m_araedit(new Session::UppercaseEdit(this))
    , m_ara(barButton(u"araButton"_s, u"Ara"_s, u"icons/search-light.svg"_s, this))
    , m_temizle(barButton(u"temizleButton"_s, u"Temizle"_s, u"icons/clear.svg"_s, this))
    , m_musteritus(barButton(u"musteritus"_s, u"Başka Cari Seç"_s, u"icons/customer.svg"_s, this))
    , m_menuButton(new QToolButton(this))
    , m_menu(new GeneralMenu(this))
{
    setObjectName(u"searchBar"_s);
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(kHeight);

    auto *picture = new QLabel(this);
    picture->setPixmap(Resources::icon(u"icons/search.svg"_s).pixmap(22, 22));

    m_araedit->setObjectName(u"araedit"_s);
    m_araedit->setFixedWidth(kSearchBoxWidth);
    m_araedit->setFixedHeight(kHeight - 6);
    m_araedit->setFont(searchFont());

    m_ara->setToolTip(u"Ara"_s);
    m_temizle->setToolTip(u"Temizle"_s);
    m_musteritus->setVisible(false);

    m_menuButton->setObjectName(u"menuButton"_s);
    m_menuButton->setIcon(Resources::icon(u"icons/menu.svg"_s));
    m_menuButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_menuButton->setMenu(m_menu);
    m_menuButton->setFixedHeight(kHeight - 6);
    m_menuButton->setFocusPolicy(Qt::TabFocus);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(6);
    layout->addWidget(picture);
    layout->addWidget(m_araedit);
    layout->addWidget(m_ara);
    layout->addWidget(m_temizle);
    layout->addWidget(m_musteritus);
    for (BusyIndicator *&busy : m_busy) {
        busy = new BusyIndicator(this);
        busy->setVisible(false);
        layout->addWidget(busy);
    }
    layout->addStretch(1);
    layout->addWidget(m_menuButton);

    connect(m_araedit, &QLineEdit::returnPressed, this, [this] {
        if (m_araedit->isEnabled())
            emit searchRequested();
    });
    connect(m_ara, &QPushButton::clicked, this, [this] {
        if (m_araedit->isEnabled())
            emit searchRequested();
    });
    connect(m_temizle, &QPushButton::clicked, this, [this] {
        if (m_araedit->isEnabled())
            emit clearRequested();
    });
    connect(m_musteritus, &QPushButton::clicked, this, &SearchBar::customerChangeRequested);
}

} // namespace App
