#include "client/platform/fakeservices.h"
#include "client/server/connection.h"
#include "client/server/openretry.h"
#include "client/server/serversession.h"
#include "client/session/addresses.h"
#include "client/session/busyspinner.h"
#include "client/session/girisform.h"
#include "client/session/messagedialog.h"
#include "client/session/programexit.h"
#include "client/session/settingsfile.h"
#include "tests/support/appserver.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using Session::DialogKind;
using Session::LoginOutcome;

namespace {

bool waitFor(const std::function<bool()> &condition, int ms = 30000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

// An address-echo service that answers what a test tells it (blanks, garbage) or keeps
// silent, and counts the requests it got.
class EchoService final : public QObject
{
public:
    explicit EchoService(QByteArray body)
        : m_body(std::move(body))
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                maxOpen = std::max(maxOpen, ++open);
                QObject::connect(s, &QTcpSocket::disconnected, s, [this, s] {
                    --open;
                    s->deleteLater();
                });
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n"))
                        return;
                    ++requests;
                    if (silent)
                        return;
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: "
                             + QByteArray::number(m_body.size()) + "\r\n\r\n" + m_body);
                    s->disconnectFromHost();
                });
            }
        });
    }
    QUrl url() const { return QUrl(u"http://127.0.0.1:"_s + QString::number(m_server.serverPort())); }

    int requests = 0;
    int open = 0;
    int maxOpen = 0; // lookups running side by side
    bool silent = false;

private:
    QTcpServer m_server;
    QByteArray m_body;
};

// The login window against a real varsel-appserver with its own database.
class Login : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (!s_server->ok())
            return;
        for (const Support::DemoUser &u : s_server->users()) {
            if (u.userType == 3 && s_dealer.isEmpty())
                s_dealer = u.name;
            if (u.userType == 1 && s_rep.isEmpty())
                s_rep = u.name;
        }
        s_server->registerComputer(u"PCBAYI"_s, s_dealer);
        s_server->registerComputer(u"PCTEMSILCI"_s, s_rep);
    }
    static void TearDownTestSuite()
    {
        QSqlDatabase::removeDatabase(u"login-test"_s);
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString();
        ASSERT_FALSE(s_dealer.isEmpty());
        ASSERT_FALSE(s_rep.isEmpty());
        m_fake.serial = u"pcbayi"_s;
        auto &session = Server::ServerSession::instance();
        session.setServerOverride(QString::fromStdString(s_server->host()), s_server->port());
        session.setWebRootOverride(s_server->webRoot());
        Session::setPublicAddressServiceOverride(QUrl(s_server->webRoot()));
        Session::setDownloadHostOverride(QUrl(s_server->webRoot()));
        Server::setDefaultRetryPolicy({2, 20ms});
        Session::setExitFunction([this](int code) { m_exits.append(code); });
        sql(u"UPDATE settings SET value = '1' WHERE key = 'version'"_s);
        sql(u"UPDATE kullanicilar SET aktif = 1, sifre = '1234' WHERE adi IN ('%1', '%2')"_s.arg(s_dealer, s_rep));
    }
    void TearDown() override
    {
        Session::setExitFunction({});
        Session::setCustomerChooser({});
        Server::setDefaultRetryPolicy({});
        Session::setPublicAddressServiceOverride({});
    }

    static void sql(const QString &statement)
    {
        QSqlDatabase db = QSqlDatabase::contains(u"login-test"_s)
                              ? QSqlDatabase::database(u"login-test"_s)
                              : QSqlDatabase::addDatabase(u"QSQLITE"_s, u"login-test"_s);
        db.setDatabaseName(s_server->dbPath());
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(statement)) << q.lastError().text().toStdString();
    }

    std::unique_ptr<Session::girisform> openWindow()
    {
        auto w = std::make_unique<Session::girisform>(m_bagc, m_bilgi);
        w->setAddressLookupTimings({1000ms, 500ms, 100ms});
        Session::LoginWindows windows = Session::defaultLoginWindows();
        windows.requestForm = [this](QWidget *, const QString &address) { m_requestForms.append(address); };
        w->setWindows(windows);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    // Types like a user and presses Enter in the password box; waits for the decision.
    bool login(Session::girisform &w, const QString &name, const QString &password)
    {
        w.adi()->clear();
        w.sifre()->clear();
        QTest::keyClicks(w.adi(), name);
        QTest::keyClick(w.adi(), Qt::Key_Return);
        QTest::keyClicks(w.sifre(), password);
        QTest::keyClick(w.sifre(), Qt::Key_Return);
        return waitFor([&] { return w.decided(); });
    }

    QString settingsPath() const { return m_fake.roaming + u"/varseloto/ayar.ini"_s; }

    static Support::AppServer *s_server;
    static QString s_dealer;
    static QString s_rep;
    Platform::FakeServices m_fake;
    Platform::ScopedServices m_installed{m_fake};
    Session::ScriptedAnswerer m_answerer;
    Server::Connection m_bagc;
    Protocol::TSonucBilgisi m_bilgi;
    QList<int> m_exits;
    QStringList m_requestForms;
};

Support::AppServer *Login::s_server = nullptr;
QString Login::s_dealer;
QString Login::s_rep;

struct DecisionCase
{
    const char *name;
    QString computer;
    bool rep = false;
    QString typedPassword = u"1234"_s;
    QString before; // SQL run first
    LoginOutcome outcome;
    QString message; // empty: no message
    DialogKind kind = DialogKind::Warning;
    bool accepted = false;
    bool exits = false;
    bool settingsWritten = false;
};

TEST_F(Login, DecisionList)
{
    const DecisionCase cases[] = {
        {"SignedIn", u"pcbayi"_s, false, u"1234"_s, {}, LoginOutcome::SignedIn, {}, {}, true, false, true},
        {"WrongPassword", u"pcbayi"_s, false, u"9999"_s, {}, LoginOutcome::WrongCredentials,
         Session::wrongCredentialsText(), DialogKind::Warning, false, false, false},
        {"LowerCaseStoredPasswordNeverMatches", u"pcbayi"_s, false, u"abc"_s,
         u"UPDATE kullanicilar SET sifre = 'abc' WHERE adi = '%1'"_s, LoginOutcome::WrongCredentials,
         Session::wrongCredentialsText(), DialogKind::Warning, false, false, false},
        {"InactiveStillWritesSettings", u"pcbayi"_s, false, u"1234"_s,
         u"UPDATE kullanicilar SET aktif = 0 WHERE adi = '%1'"_s, LoginOutcome::Inactive,
         Session::wrongCredentialsText(), DialogKind::Warning, false, false, true},
        {"UnregisteredComputer", u"pcyok"_s, false, u"9999"_s, {}, LoginOutcome::Unregistered, {}, {}, false, true,
         false},
        {"RepresentativeGoesOn", u"pctemsilci"_s, true, u"1234"_s, {}, LoginOutcome::ChooseCustomer, {}, {}, true,
         false, true},
    };
    for (const DecisionCase &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        m_exits.clear();
        m_requestForms.clear();
        m_answerer.clear();
        QFile::remove(settingsPath());
        const QString user = c.rep ? s_rep : s_dealer;
        if (!c.before.isEmpty())
            sql(c.before.arg(user));
        m_fake.serial = c.computer;
        m_bilgi = {};

        auto w = openWindow();
        ASSERT_TRUE(login(*w, user, c.typedPassword));
        EXPECT_EQ(w->lastOutcome(), c.outcome);
        EXPECT_EQ(w->result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(m_exits, c.exits ? QList<int>{0} : QList<int>{});
        EXPECT_EQ(QFile::exists(settingsPath()), c.settingsWritten);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(m_answerer.shown().isEmpty()) << m_answerer.shown().value(0).text.toStdString();
        } else {
            ASSERT_EQ(m_answerer.shown().size(), 1);
            EXPECT_EQ(m_answerer.shown()[0].text, c.message);
            EXPECT_EQ(m_answerer.shown()[0].kind, c.kind);
            EXPECT_EQ(m_answerer.shown()[0].buttons, Session::DialogButtons(Session::DialogButton::Ok));
            EXPECT_TRUE(w->girisButton()->isEnabled());
            EXPECT_EQ(w->girisButton()->text(), u"Giriş!"_s);
            EXPECT_EQ(QApplication::focusWidget(), w->adi());
            EXPECT_EQ(w->adi()->selectedText(), w->adi()->text());
        }
        if (c.outcome == LoginOutcome::Unregistered) {
            EXPECT_EQ(m_requestForms,
                      QStringList{s_server->webRoot() + u"formmailgonder.aspx?carino=0&kullanici= &id=PCYOK"_s});
        }
        if (c.accepted) {
            // The record holds the server's user and this computer's identity.
            EXPECT_EQ(m_bilgi.FADI, user);
            EXPECT_EQ(m_bilgi.FBILGISAYARID, c.computer.toUpper());
            EXPECT_EQ(m_bilgi.FDisip, u"127.0.0.1"_s);
            EXPECT_EQ(m_bilgi.FIcip, u"192.0.2.10"_s);
            EXPECT_EQ(m_bilgi.FBilgisayarKullanici, QString()); // the fake's 17 characters
            EXPECT_EQ(m_bilgi.FBilgiSayarAdi, u"VARSEL-TEST"_s);
        }
    }
}

TEST_F(Login, AnnouncedVersionStartsTheUpdateBeforeTheNameIsChecked)
{
    for (const char *version : {"7", "0"}) {
        SCOPED_TRACE(version);
        m_exits.clear();
        sql(u"UPDATE settings SET value = '%1' WHERE key = 'version'"_s.arg(QLatin1StringView(version)));
        auto w = openWindow();
        ASSERT_TRUE(login(*w, u"YANLIS"_s, u"YANLIS"_s));
        EXPECT_EQ(w->lastOutcome(), LoginOutcome::Update);
        EXPECT_EQ(m_exits, QList<int>{0});
        EXPECT_TRUE(m_answerer.shown().isEmpty());
        const auto started = m_fake.startedPrograms();
        ASSERT_FALSE(started.isEmpty());
        EXPECT_EQ(started.last().program, m_fake.local + u"/VarselSetup.exe"_s);
        EXPECT_EQ(started.last().arguments, QStringList{u"/silent"_s});
        EXPECT_FALSE(QFile::exists(settingsPath()));
    }
}

TEST_F(Login, CancelledCustomerChoiceEndsTheProgram)
{
    m_fake.serial = u"pctemsilci"_s;
    int asked = 0;
    Session::setCustomerChooser([&](QWidget *, Server::Connection &, Protocol::TSonucBilgisi &record) {
        ++asked;
        EXPECT_EQ(record.FADI, s_rep);
        return false;
    });
    auto w = openWindow();
    ASSERT_TRUE(login(*w, s_rep, u"1234"_s));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(m_exits, QList<int>{0});
    EXPECT_NE(w->result(), QDialog::Accepted);
}

TEST_F(Login, UnreachableServerShowsEachAttemptThenNotConnected)
{
    Server::ServerSession::instance().setServerOverride(u"127.0.0.1"_s, 1); // nothing listens there
    auto w = openWindow();
    ASSERT_TRUE(login(*w, s_dealer, u"1234"_s));
    EXPECT_EQ(w->lastOutcome(), LoginOutcome::NotConnected);
    ASSERT_EQ(m_answerer.shown().size(), 3);
    EXPECT_TRUE(m_answerer.shown()[0].plain);
    EXPECT_TRUE(m_answerer.shown()[1].plain);
    EXPECT_EQ(m_answerer.shown()[2].text, u"Bağlantı Kurulamadı !"_s);
    EXPECT_EQ(m_answerer.shown()[2].kind, DialogKind::Error);
    EXPECT_TRUE(w->girisButton()->isEnabled());
    EXPECT_TRUE(m_exits.isEmpty());
}

TEST_F(Login, AddressAnswersThatAreNoAddress)
{
    for (const QByteArray &body : {QByteArray("  \r\n"), QByteArray("<html><body>hata</body></html>")}) {
        SCOPED_TRACE(body.constData());
        m_answerer.clear();
        EchoService echo(body);
        Session::setPublicAddressServiceOverride(echo.url());
        auto w = openWindow();
        ASSERT_TRUE(login(*w, s_dealer, u"1234"_s));
        ASSERT_EQ(m_answerer.shown().size(), 1);
        EXPECT_EQ(m_answerer.shown()[0].text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"_s);
        EXPECT_EQ(m_answerer.shown()[0].kind, DialogKind::Error);
        EXPECT_TRUE(w->girisButton()->isEnabled());
        EXPECT_EQ(echo.requests, 1);
    }
}

TEST_F(Login, SilentAddressServiceKeepsTryingAndVazgecEnds)
{
    EchoService echo("127.0.0.1");
    echo.silent = true;
    Session::setPublicAddressServiceOverride(echo.url());
    auto w = openWindow();
    QTest::keyClicks(w->adi(), s_dealer);
    QTest::keyClicks(w->sifre(), u"1234"_s);
    QTest::mouseClick(w->girisButton(), Qt::LeftButton);
    EXPECT_EQ(w->girisButton()->text(), u"Bağlanıyor..."_s);
    EXPECT_FALSE(w->girisButton()->isEnabled());
    EXPECT_TRUE(w->busy()->isVisible());
    EXPECT_TRUE(w->busy()->isSpinning());

    // Each try waits out its read time-out, then a pause, then asks again.
    ASSERT_TRUE(waitFor([&] { return echo.requests >= 3; }, 10000));
    // A second login cannot start meanwhile: Enter and the button do nothing.
    QTest::keyClick(w->sifre(), Qt::Key_Return);
    QTest::mouseClick(w->girisButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return echo.requests >= 6; }, 10000));
    EXPECT_EQ(echo.maxOpen, 1);
    EXPECT_FALSE(w->decided());
    EXPECT_EQ(w->girisButton()->text(), u"Bağlanıyor..."_s);
    EXPECT_TRUE(m_answerer.shown().isEmpty());

    QTest::mouseClick(w->vazgecButton(), Qt::LeftButton);
    EXPECT_EQ(m_exits, QList<int>{0});
}

// Enter on a button that has the keyboard focus presses it, as Space does.
TEST_F(Login, EnterOnAFocusedButtonPressesIt)
{
    auto w = openWindow();
    w->vazgecButton()->setFocus();
    QTest::keyClick(w->vazgecButton(), Qt::Key_Enter);
    EXPECT_EQ(m_exits, QList<int>{0});
}

TEST_F(Login, EmptyFieldsOnEnter)
{
    auto w = openWindow();
    QTest::keyClicks(w->adi(), u"   "_s);
    QTest::keyClick(w->adi(), Qt::Key_Return);
    ASSERT_EQ(m_answerer.shown().size(), 1);
    EXPECT_EQ(m_answerer.shown()[0].text, u"Lütfen kullanıcı adını giriniz !"_s);
    EXPECT_EQ(m_answerer.shown()[0].kind, DialogKind::Warning);
    EXPECT_TRUE(m_answerer.shown()[0].plain);
    EXPECT_EQ(QApplication::focusWidget(), w->adi());
    EXPECT_EQ(m_fake.sounds(), QList<Platform::Sound>{Platform::Sound::Error});

    w->adi()->setText(u"ali"_s);
    EXPECT_EQ(w->adi()->text(), u"ALİ"_s); // upper case, Turkish capitals
    QTest::keyClick(w->adi(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->sifre());
    QTest::keyClick(w->sifre(), Qt::Key_Return);
    ASSERT_EQ(m_answerer.shown().size(), 2);
    EXPECT_EQ(m_answerer.shown()[1].text, u"Lütfen kullanıcı şifresini giriniz !"_s);
    EXPECT_TRUE(w->girisButton()->isEnabled()); // no login started
    EXPECT_EQ(w->girisButton()->text(), u"Giriş"_s);
}

TEST_F(Login, SettingsFileFillsTheWindow)
{
    struct
    {
        const char *name;
        std::optional<Session::LoginSettings> file;
        bool checked;
        QString adi;
        QString sifre;
    } cases[] = {
        {"first start", std::nullopt, true, {}, {}},
        {"remembered", Session::LoginSettings{u"VELİ"_s, u"1234"_s, true}, true, u"VELİ"_s, u"1234"_s},
        {"not remembered", Session::LoginSettings{u"VELİ"_s, u"1234"_s, false}, false, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(settingsPath());
        if (c.file) {
            ASSERT_TRUE(Session::writeLoginSettings(settingsPath(), *c.file));
        }
        auto w = openWindow();
        EXPECT_EQ(w->benihatirla()->isChecked(), c.checked);
        EXPECT_EQ(w->adi()->text(), c.adi);
        EXPECT_EQ(w->sifre()->text(), c.sifre);
        EXPECT_EQ(w->windowTitle(), u"Giriş"_s);
        EXPECT_EQ(w->size(), QSize(368, 550));
    }

    // After a matching login with the box unticked, the file says so and keeps the name.
    QFile::remove(settingsPath());
    auto w = openWindow();
    w->benihatirla()->setChecked(false);
    ASSERT_TRUE(login(*w, s_dealer, u"1234"_s));
    EXPECT_EQ(Session::readLoginSettings(settingsPath()), (Session::LoginSettings{s_dealer, u"1234"_s, false}));
}

} // namespace
