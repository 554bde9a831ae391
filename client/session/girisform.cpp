#include "girisform.h"

#include "addresses.h"
#include "busyspinner.h"
#include "dosyaindir.h"
#include "folders.h"
#include "formistekyeni.h"
#include "messagedialog.h"
#include "programexit.h"
#include "settingsfile.h"
#include "uppercaseedit.h"

#include "client/platform/identity.h"
#include "client/platform/services.h"
#include "client/server/connection.h"
#include "client/server/serversession.h"
#include "client/server/tawait.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

std::function<bool(QWidget *, Server::Connection &, Protocol::TSonucBilgisi &)> &customerChooser()
{
    static std::function<bool(QWidget *, Server::Connection &, Protocol::TSonucBilgisi &)> chooser;
    return chooser;
}

constexpr int kHeaderHeight = 170;

} // namespace

void setCustomerChooser(std::function<bool(QWidget *, Server::Connection &, Protocol::TSonucBilgisi &)> chooser)
{
    customerChooser() = std::move(chooser);
}

LoginWindows defaultLoginWindows()
{
    LoginWindows w;
    w.update = [](QWidget *owner, qint32 version) { dosyaindir::Yeni(owner, version); };
    w.requestForm = [](QWidget *owner, const QString &address) { formistekyeni::showFor(owner, address); };
    w.chooseCustomer = [](QWidget *owner, Server::Connection &connection, Protocol::TSonucBilgisi &record) {
        // Until a chooser is handed in, a representative goes on as if he had chosen.
        const auto &chooser = customerChooser();
        return chooser ? chooser(owner, connection, record) : true;
    };
    return w;
}

girisform::girisform(Server::Connection &bagim, Protocol::TSonucBilgisi &Bilgim, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_bagim(bagim)
    , m_Bilgim(Bilgim)
    , m_windows(defaultLoginWindows())
{
    setObjectName(u"girisform"_s);
    setWindowTitle(u"Giriş"_s);
    setFixedSize(368, 550);
    buildLayout();

    // 1. the production addresses (or their overrides), 2. the computer, 3. the settings.
    Server::ServerSession::instance().applyProductionValues();
    m_idsi = Platform::computerIdentifier();
    readSettings();

    if (QScreen *s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    m_adi->setFocus(Qt::OtherFocusReason);
}

girisform::~girisform()
{
    // A lookup still running (no answer yet) gives up once this window is gone.
    if (m_cancel)
        m_cancel->store(true);
}

void girisform::buildLayout()
{
    QFont bold = font();
    bold.setFamilies({u"Tahoma"_s, u"DejaVu Sans"_s});
    bold.setPixelSize(13);
    bold.setBold(true);
    setFont(bold);

    m_address = new QLabel(u"Varsel Otomotiv Yedek Parça San. ve Tic. A.Ş.\n"
                           u"Büsan Organize Sanayi Bölgesi, Fevzi Çakmak Mah.\n"
                           u"10721 Sok. No: 12  Karatay / KONYA\n"
                           u"Tel: 0 (332) 345 00 00   Faks: 0 (332) 345 00 01\n"
                           u"b2b@varseloto.com.tr"_s,
                           this);
    m_address->setObjectName(u"adres"_s);
    QFont small = bold;
    small.setPixelSize(11);
    small.setBold(false);
    m_address->setFont(small);
    m_address->setAlignment(Qt::AlignCenter);
    m_address->setWordWrap(true);

    m_benihatirla = new QCheckBox(u"Beni hatırla"_s, this);
    m_benihatirla->setObjectName(u"benihatirla"_s);
    m_benihatirla->setChecked(true);

    auto *adiLabel = new QLabel(u" Kullanıcı Adı:"_s, this);
    m_adi = new UppercaseEdit(this);
    m_adi->setObjectName(u"adi"_s);
    auto *sifreLabel = new QLabel(u" Şifre:"_s, this);
    m_sifre = new UppercaseEdit(this);
    m_sifre->setObjectName(u"sifre"_s);
    m_sifre->setEchoMode(QLineEdit::Password);
    m_sifre->setStyleSheet(u"lineedit-password-character: 42;"_s); // "*"
    for (QLineEdit *edit : {m_adi, m_sifre}) {
        edit->setMinimumHeight(28);
        edit->installEventFilter(this);
    }

    m_giris = new QPushButton(u"Giriş"_s, this);
    m_giris->setObjectName(u"Button1"_s);
    m_vazgec = new QPushButton(u"Vazgeç"_s, this);
    m_vazgec->setObjectName(u"Button2"_s);
    // Enter on a button that has the focus presses it; Enter in the boxes is the filter's.
    for (QPushButton *b : {m_giris, m_vazgec}) {
        b->setAutoDefault(true);
        b->setMinimumSize(110, 34);
    }
    m_busy = new BusySpinner(this);
    m_busy->setObjectName(u"bekle"_s);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_giris);
    buttons->addWidget(m_busy, 0, Qt::AlignVCenter);
    buttons->addWidget(m_vazgec);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, kHeaderHeight + 8, 28, 22);
    layout->setSpacing(6);
    layout->addWidget(m_address);
    layout->addStretch(1);
    layout->addWidget(m_benihatirla);
    layout->addSpacing(4);
    layout->addWidget(adiLabel);
    layout->addWidget(m_adi);
    layout->addSpacing(4);
    layout->addWidget(sifreLabel);
    layout->addWidget(m_sifre);
    layout->addSpacing(14);
    layout->addLayout(buttons);

    connect(m_giris, &QPushButton::clicked, this, &girisform::startLogin);
    connect(m_vazgec, &QPushButton::clicked, this, [] { exitProgram(0); });
}

void girisform::paintEvent(QPaintEvent *)
{
    // The background picture: the distributor's colours and name over a soft gradient.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, height());
    body.setColorAt(0, QColor(0xf4, 0xf6, 0xfa));
    body.setColorAt(1, QColor(0xdc, 0xe3, 0xee));
    p.fillRect(rect(), body);

    const QRect header(0, 0, width(), kHeaderHeight);
    QLinearGradient band(header.topLeft(), header.bottomRight());
    band.setColorAt(0, QColor(0xb3, 0x12, 0x1b));
    band.setColorAt(1, QColor(0x6e, 0x0a, 0x10));
    p.fillRect(header, band);
    p.setPen(QPen(QColor(255, 255, 255, 60), 14));
    p.drawEllipse(QPoint(width() - 40, 30), 90, 90);

    QFont title = font();
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(header.adjusted(0, 30, 0, -60), Qt::AlignCenter, u"VARSEL"_s);
    QFont sub = font();
    sub.setPixelSize(15);
    sub.setLetterSpacing(QFont::PercentageSpacing, 130);
    p.setFont(sub);
    p.drawText(header.adjusted(0, 86, 0, -40), Qt::AlignCenter, u"OTOMOTİV  B2B"_s);
}

void girisform::readSettings()
{
    const auto settings = readLoginSettings(settingsFilePath());
    if (!settings)
        return;
    m_benihatirla->setChecked(settings->hatirla);
    if (m_benihatirla->isChecked()) {
        m_adi->setText(settings->isim);
        m_sifre->setText(settings->sifre);
    }
}

void girisform::writeSettings()
{
    const QString path = settingsFilePath();
    const auto written
        = writeLoginSettings(path, {m_adi->text(), m_sifre->text(), m_benihatirla->isChecked()});
    // The login goes on; the user only learns that he will not be remembered.
    if (!written)
        plainMessage(u"Ayarlar kaydedilemedi: "_s + path + u"\r\n"_s + written.error().message,
                     DialogKind::Warning);
}

bool girisform::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || (watched != m_adi && watched != m_sifre))
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QDialog::eventFilter(watched, event);

    auto *edit = static_cast<QLineEdit *>(watched);
    if (edit->text().trimmed().isEmpty()) {
        Platform::services().beep(Platform::Sound::Error);
        plainMessage(edit == m_adi ? emptyNameText() : emptyPasswordText(), DialogKind::Warning);
        edit->selectAll();
        edit->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (edit == m_adi) {
        m_sifre->selectAll();
        m_sifre->setFocus(Qt::OtherFocusReason);
    } else if (m_giris->isEnabled()) {
        startLogin();
    }
    return true;
}

void girisform::startLogin()
{
    if (!m_giris->isEnabled())
        return;
    m_decided = false;
    m_giris->setText(u"Bağlanıyor..."_s);
    m_giris->setEnabled(false);
    m_Bilgim.FDisip.clear();
    m_busy->start();

    if (m_cancel)
        m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    auto address = std::make_shared<QString>();
    Server::TAwait::create([address, url = publicAddressUrl(), cancel = m_cancel, timings = m_timings] {
        *address = lookupPublicAddress(url, cancel, timings);
    })->Await(this, [this, address] { addressFound(*address); });
}

void girisform::addressFound(const QString &address)
{
    m_giris->setText(u"Giriş!"_s);
    m_busy->stop();

    if (address.trimmed().isEmpty()) {
        refuse(emptyAddressText(), int(DialogKind::Error));
        m_lastOutcome = LoginOutcome::NotConnected;
        m_decided = true;
        emit decisionTaken();
        return;
    }
    m_Bilgim.FDisip = address;
    Server::ServerSession &session = Server::ServerSession::instance();
    m_bagim.setHostName(session.serverHost());
    m_bagim.setPort(QString::number(session.serverPort()));

    auto result = std::make_shared<std::optional<Protocol::TSonucBilgisi>>();
    Server::TAwait::create([result, copy = m_bagim.copy(), idsi = m_idsi, url = publicAddressUrl(),
                            cancel = m_cancel, timings = m_timings] {
        *result = loginFetch(copy, idsi, [&] { return lookupPublicAddress(url, cancel, timings); });
    })->Await(this, [this, result] { decide(std::move(*result)); });
}

void girisform::refuse(const QString &text, int kind)
{
    MessageDialog(text, DialogKind(kind), DialogButton::Ok);
    m_giris->setEnabled(true);
    m_adi->selectAll();
    m_adi->setFocus(Qt::OtherFocusReason);
}

void girisform::decide(std::optional<Protocol::TSonucBilgisi> fetched)
{
    m_busy->stop();
    if (fetched)
        m_Bilgim.Kopyala(*fetched);
    const LoginOutcome outcome = decideLogin(fetched.has_value(), m_Bilgim, m_adi->text(), m_sifre->text());
    m_lastOutcome = outcome;
    m_decided = true;
    const auto taken = qScopeGuard([this] { emit decisionTaken(); });

    switch (outcome) {
    case LoginOutcome::NotConnected:
        refuse(notConnectedText(), int(DialogKind::Error));
        return;
    case LoginOutcome::Update:
        m_windows.update(this, m_Bilgim.FVersion); // ends the program
        return;
    case LoginOutcome::Unregistered:
        m_windows.requestForm(this, requestFormAddress(Server::ServerSession::instance().webRoot(), m_idsi));
        exitProgram(0);
        return;
    case LoginOutcome::WrongCredentials:
        refuse(wrongCredentialsText(), int(DialogKind::Warning));
        return;
    case LoginOutcome::Inactive:
        writeSettings();
        refuse(wrongCredentialsText(), int(DialogKind::Warning));
        return;
    case LoginOutcome::ChooseCustomer:
        writeSettings();
        if (!m_windows.chooseCustomer(this, m_bagim, m_Bilgim)) {
            exitProgram(0);
            return;
        }
        accept();
        return;
    case LoginOutcome::SignedIn:
        writeSettings();
        accept();
        return;
    }
}

} // namespace Session
