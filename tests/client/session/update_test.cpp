#include "client/platform/fakeservices.h"
#include "client/session/dosyaindir.h"
#include "client/session/messagedialog.h"
#include "client/session/programexit.h"
#include "client/session/updatetext.h"
#include "tests/support/appserver.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(UpdateText, ProgressAndAnnouncement)
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    const qint64 mib = 1024 * 1024;
    EXPECT_EQ(Session::downloadProgressText(mib, 4 * mib, tr), u"Bilgi: %25,00  İndirilen: 1,00/4,00 Mb"_s);
    EXPECT_EQ(Session::downloadProgressText(4 * mib, 4 * mib, tr), u"Bilgi: %100,00  İndirilen: 4,00/4,00 Mb"_s);
    // No digit groups in the percent or the sizes, even past a thousand.
    EXPECT_EQ(Session::downloadProgressText(1500 * mib, 3000 * mib, tr),
              u"Bilgi: %50,00  İndirilen: 1500,00/3000,00 Mb"_s);
    EXPECT_EQ(Session::downloadProgressText(10, 0, tr), QString());
    EXPECT_EQ(Session::downloadProgressText(10, -1, tr), QString());

    EXPECT_EQ(Session::updateAnnouncementText(7),
              u"Varsel Otomotiv B2B Programının\r\nYeni versiyonu indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: 7-1"_s);
    EXPECT_EQ(Session::downloadFailureText(u"x"_s), u"Hata Oluştu !\r\nHata: x"_s);
}

// The update window against the server's real setup download.
class UpdateWindow : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_server = new Support::AppServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString();
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        Session::setExitFunction([this](int code) { m_exits.append(code); });
        m_setup = m_fake.local + u"/VarselSetup.exe"_s;
    }
    void TearDown() override
    {
        Session::setExitFunction({});
        QLocale::setDefault(QLocale::c());
    }

    // Runs the window as the login does (modal) and returns when it has finished.
    void run(const QString &path, qint32 version = 7)
    {
        Session::dosyaindir window(nullptr, version, QUrl(s_server->webRoot() + path));
        EXPECT_EQ(window.bilgi()->text(), u"bilgi"_s);
        EXPECT_EQ(window.windowTitle(), u"Dosya İndir"_s);
        EXPECT_TRUE(window.message()->text().endsWith(u"Version: "_s + QString::number(version) + u"-1"_s));
        window.exec();
        m_bilgi = window.bilgi()->text();
        m_barMax = window.progress()->maximum();
        m_barValue = window.progress()->value();
    }

    QByteArray saved() const
    {
        QFile f(m_setup);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static Support::AppServer *s_server;
    Platform::FakeServices m_fake;
    Platform::ScopedServices m_installed{m_fake};
    Session::ScriptedAnswerer m_answerer;
    QList<int> m_exits;
    QString m_setup;
    QString m_bilgi;
    int m_barMax = 0;
    int m_barValue = 0;
};

Support::AppServer *UpdateWindow::s_server = nullptr;

TEST_F(UpdateWindow, DownloadsOverALeftoverStartsItSilentlyAndEnds)
{
    {
        QFile leftover(m_setup);
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
        leftover.write("eski kurulum");
    }
    run(u"exe/VarselSetup.exe?size=4194304"_s);

    EXPECT_EQ(m_exits, QList<int>{0});
    EXPECT_TRUE(m_answerer.shown().isEmpty());
    EXPECT_EQ(saved().size(), 4 * 1024 * 1024);
    EXPECT_FALSE(saved().startsWith("eski"));
    EXPECT_TRUE(QFile::permissions(m_setup) & QFile::ExeOwner);
    const auto started = m_fake.startedPrograms();
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, m_setup);
    EXPECT_EQ(started[0].arguments, QStringList{u"/silent"_s});
    EXPECT_EQ(m_bilgi, u"Bilgi: %100,00  İndirilen: 4,00/4,00 Mb"_s);
    EXPECT_EQ(m_barMax, 4 * 1024 * 1024);
    EXPECT_EQ(m_barValue, m_barMax);
}

TEST_F(UpdateWindow, WithoutLengthTheProgressStaysAsItWas)
{
    run(u"exe/VarselSetup-nolength.exe"_s);
    EXPECT_EQ(m_exits, QList<int>{0});
    EXPECT_EQ(m_bilgi, u"bilgi"_s);
    EXPECT_EQ(m_barValue, 0);
    EXPECT_EQ(m_fake.startedPrograms().size(), 1);
    EXPECT_GT(saved().size(), 0);
}

TEST_F(UpdateWindow, FailureIsShownThenTheProgramEnds)
{
    run(u"exe/Yok.exe"_s);
    EXPECT_EQ(m_exits, QList<int>{0});
    ASSERT_EQ(m_answerer.shown().size(), 1);
    const Session::DialogRequest &shown = m_answerer.shown().first();
    EXPECT_TRUE(shown.text.startsWith(u"Hata Oluştu !\r\nHata: "_s)) << shown.text.toStdString();
    EXPECT_GT(shown.text.size(), 21);
    EXPECT_EQ(shown.kind, Session::DialogKind::Error);
    EXPECT_TRUE(shown.plain);
    EXPECT_TRUE(m_fake.startedPrograms().isEmpty());
    EXPECT_FALSE(QFile::exists(m_setup));
}

TEST_F(UpdateWindow, SetupThatCannotStartIsReported)
{
    m_fake.startSucceeds = false;
    run(u"exe/VarselSetup.exe"_s);
    EXPECT_EQ(m_exits, QList<int>{0});
    ASSERT_EQ(m_answerer.shown().size(), 1);
    EXPECT_TRUE(m_answerer.shown().first().text.startsWith(u"Hata Oluştu !\r\nHata: "_s));
}

} // namespace
