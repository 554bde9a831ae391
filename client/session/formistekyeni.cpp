#include "formistekyeni.h"

#include "client/platform/services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#ifdef B2B_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

using namespace Qt::StringLiterals;

namespace Session {

bool formistekyeni::hasWebView()
{
#ifdef B2B_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

formistekyeni::formistekyeni(QWidget *owner, const QString &address)
    : QDialog(owner)
    , m_url(address, QUrl::TolerantMode) // not encoded by us; the blank travels as %20
{
    setObjectName(u"formistekyeni"_s);
    setWindowTitle(u"Varsel Otomotiv B2B İstek Formu"_s);

#ifdef B2B_HAVE_WEBENGINE
    auto *view = new QWebEngineView(this);
    view->setUrl(m_url);
    m_view = view;
#else
    // Without the web engine the form opens in the desktop's browser.
    auto *note = new QLabel(u"İstek formu tarayıcınızda açıldı:\n"_s + address, this);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignCenter);
    m_view = note;
    Platform::services().openUrl(m_url);
#endif
    m_view->setObjectName(u"sitem"_s);

    auto *kapat = new QPushButton(u"Kapat"_s, this);
    kapat->setObjectName(u"kapat"_s);
    kapat->setAutoDefault(false);
    connect(kapat, &QPushButton::clicked, this, &QDialog::accept);
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(8, 6, 8, 6);
    bar->addWidget(kapat);
    bar->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addLayout(bar);

    resize(780, 555);
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void formistekyeni::showFor(QWidget *owner, const QString &address)
{
    formistekyeni window(owner, address);
    window.exec();
}

} // namespace Session
