#pragma once

// The main window against a real varsel-appserver: one server for the test program, one
// registered computer per user type, the real login window typed into like a user does.

#include "client/app/mainwindow.h"
#include "client/platform/fakeservices.h"
#include "client/server/openretry.h"
#include "client/server/serversession.h"
#include "client/session/addresses.h"
#include "client/session/girisform.h"
#include "client/session/guistart.h"
#include "client/session/messagedialog.h"
#include "client/session/programexit.h"
#include "tests/support/appserver.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace AppTest {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

inline bool waitFor(const std::function<bool()> &condition, int ms = 30000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

// The computer registered for a user type: its disk serial, and the identifier made of it.
inline QString serialFor(int userType)
{
    return u"pc tip%1"_s.arg(userType);
}
inline QString computerFor(int userType)
{
    return u"PCTIP%1"_s.arg(userType);
}

class MainWindow : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new Support::AppServer;
        if (!s_server->ok())
            return;
        for (const Support::DemoUser &user : s_server->users()) {
            // The first active user of each type (the seeded inactive one is named PASIF).
            if (s_users.count(user.userType) || user.name == u"PASIF"_s)
                continue;
            s_users[user.userType] = user;
            s_server->registerComputer(computerFor(user.userType), user.name);
        }
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
        s_users.clear();
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString();
        for (int type = 1; type <= 4; ++type)
            ASSERT_TRUE(s_users.count(type)) << "no demo user of type " << type;
        auto &session = Server::ServerSession::instance();
        session.setServerOverride(QString::fromStdString(s_server->host()), s_server->port());
        session.setWebRootOverride(s_server->webRoot());
        Session::setPublicAddressServiceOverride(QUrl(s_server->webRoot()));
        Server::setDefaultRetryPolicy({2, 20ms});
        Session::setExitFunction([this](int code) { m_exits.append(code); });
        // A representative's customer choice belongs to another window; here it says OK.
        Session::setCustomerChooser([](QWidget *, Server::Connection &, Protocol::TSonucBilgisi &) { return true; });
    }
    void TearDown() override
    {
        Session::setExitFunction({});
        Session::setCustomerChooser({});
        Server::setDefaultRetryPolicy({});
        Session::setPublicAddressServiceOverride({});
    }

    // The program's login (Session::runLogin), with the login window typed into once it is up:
    // the user's name and password and Enter, or "Vazgeç" and the close box.
    App::LoginStep typedLogin(const QString &name, const QString &password, bool cancel = false)
    {
        return [=](Server::Connection &bagc, Protocol::TSonucBilgisi &sbilgi) {
            QTimer typist;
            bool typed = false;
            QObject::connect(&typist, &QTimer::timeout, &typist, [&] {
                auto *login = qobject_cast<Session::girisform *>(QApplication::activeModalWidget());
                if (!login || typed)
                    return;
                typed = true;
                if (cancel) {
                    login->vazgecButton()->click();
                    login->reject();
                    return;
                }
                login->adi()->clear();
                login->sifre()->clear();
                QTest::keyClicks(login->adi(), name);
                QTest::keyClick(login->adi(), Qt::Key_Return);
                QTest::keyClicks(login->sifre(), password);
                QTest::keyClick(login->sifre(), Qt::Key_Return);
            });
            typist.start(20);
            return Session::runLogin(bagc, sbilgi);
        };
    }

    // Signs the user of a type in on its registered computer and waits for the start-up task.
    std::unique_ptr<App::TForm1> signIn(int userType)
    {
        m_fake.serial = serialFor(userType);
        const Support::DemoUser &user = s_users.at(userType);
        auto form = std::make_unique<App::TForm1>(typedLogin(user.name, user.password));
        EXPECT_TRUE(form->signedIn()) << "user " << user.name.toStdString();
        if (form->signedIn()) {
            QSignalSpy finished(form.get(), &App::TForm1::startupFinished);
            EXPECT_TRUE(finished.wait(30000)) << "the start-up task did not finish";
        }
        return form;
    }

    static Support::AppServer *s_server;
    static std::map<int, Support::DemoUser> s_users;
    Platform::FakeServices m_fake;
    Platform::ScopedServices m_installed{m_fake};
    Session::ScriptedAnswerer m_answerer;
    QList<int> m_exits;
};

inline Support::AppServer *MainWindow::s_server = nullptr;
inline std::map<int, Support::DemoUser> MainWindow::s_users;

} // namespace AppTest
