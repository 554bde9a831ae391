#include "client/session/messagedialog.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;
using namespace Session;
using B = DialogButton;

namespace {

TEST(MessageDialog, DefaultAndEscapeRules)
{
    struct
    {
        DialogButtons buttons;
        B defaultB;
        B escapeB;
    } cases[] = {
        {B::Ok, B::Ok, B::Ok},
        {B::Yes | B::No, B::Yes, B::No},
        {B::Yes | B::No | B::Cancel, B::Yes, B::Cancel},
        {B::Ok | B::Cancel, B::Ok, B::Cancel},
        {B::Ok | B::Yes | B::Retry, B::Ok, B::Ok},
        {B::Retry | B::Cancel, B::Retry, B::Cancel},
        {B::Abort | B::Retry | B::Ignore, B::Retry, B::None},
        {B::No | B::Ok, B::Ok, B::No},
        {B::Abort | B::Ignore, B::None, B::None},
        {B::None, B::None, B::None},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(defaultButton(c.buttons), c.defaultB) << int(c.buttons);
        EXPECT_EQ(escapeButton(c.buttons), c.escapeB) << int(c.buttons);
    }
}

TEST(MessageDialog, UnattendedAnswerNeverLeavesTheSetWhenItCanAnswer)
{
    EXPECT_EQ(unattendedAnswer(B::Yes | B::No), B::Yes);
    EXPECT_EQ(unattendedAnswer(B::No | B::Cancel), B::Cancel);
    EXPECT_EQ(unattendedAnswer(B::Abort | B::Ignore), B::Abort);
    EXPECT_EQ(unattendedAnswer(B::None), B::None);
}

TEST(MessageDialog, TurkishTextsAndLayoutOrder)
{
    EXPECT_EQ(dialogTitle(DialogKind::Warning), u"Uyarı"_s);
    EXPECT_EQ(dialogTitle(DialogKind::Error), u"Hata"_s);
    EXPECT_EQ(dialogTitle(DialogKind::Information), u"Bilgi"_s);
    EXPECT_EQ(dialogTitle(DialogKind::Question), u"Soru"_s);
    EXPECT_EQ(buttonCaption(B::No), u"Hayır"_s);
    EXPECT_EQ(buttonCaption(B::Cancel), u"Vazgeç"_s);
    EXPECT_EQ(buttonCaption(B::Abort), u"İptal"_s);
    EXPECT_EQ(buttonCaption(B::NoToAll), u"Tümüne Hayır"_s);
    EXPECT_EQ(orderedButtons(B::Cancel | B::Yes | B::No), (QList<B>{B::Yes, B::No, B::Cancel}));
    EXPECT_EQ(connectionFailureText(), u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
}

TEST(MessageDialog, ScriptedAnswererRecordsAndAnswersFromItsQueue)
{
    ScriptedAnswerer answerer;
    EXPECT_EQ(installedPresenter(), &answerer);
    answerer.enqueue(B::No);
    EXPECT_EQ(MessageDialog(u"Silinsin mi ?"_s, DialogKind::Question, B::Yes | B::No, B::No), B::No);
    EXPECT_EQ(MessageDialog(u"Tekrar?"_s, DialogKind::Question, B::Yes | B::No), B::Yes); // queue empty
    showConnectionFailure();
    plainMessage(u"Lütfen kullanıcı adını giriniz !"_s, DialogKind::Warning);

    ASSERT_EQ(answerer.shown().size(), 4);
    const DialogRequest &first = answerer.shown()[0];
    EXPECT_EQ(first.text, u"Silinsin mi ?"_s);
    EXPECT_EQ(first.kind, DialogKind::Question);
    EXPECT_EQ(first.buttons, B::Yes | B::No);
    EXPECT_EQ(first.firstButton, B::No);
    EXPECT_FALSE(first.plain);
    EXPECT_EQ(answerer.shown()[2].text, connectionFailureText());
    EXPECT_EQ(answerer.shown()[2].kind, DialogKind::Error);
    EXPECT_EQ(answerer.shown()[2].buttons, DialogButtons(B::Ok));
    EXPECT_TRUE(answerer.shown()[3].plain);
    EXPECT_EQ(answerer.shown()[3].kind, DialogKind::Warning);
}

TEST(MessageDialog, NestedAnswerersRestoreTheOuterOne)
{
    ScriptedAnswerer outer;
    {
        ScriptedAnswerer inner;
        MessageDialog(u"iç"_s, DialogKind::Information, B::Ok);
        EXPECT_EQ(inner.shown().size(), 1);
    }
    EXPECT_EQ(installedPresenter(), &outer);
    MessageDialog(u"dış"_s, DialogKind::Information, B::Ok);
    EXPECT_EQ(outer.shown().size(), 1);
}

TEST(MessageDialog, WithoutPresenterNothingBlocks)
{
    ASSERT_EQ(installedPresenter(), nullptr);
    EXPECT_EQ(MessageDialog(u"Programdan Çıkmak İstiyor musunuz ?"_s, DialogKind::Question, B::Yes | B::No),
              B::Yes);
}

// A presenter that notes on which thread it ran.
class ThreadNoting final : public DialogPresenter
{
public:
    DialogButton present(const DialogRequest &) override
    {
        thread = QThread::currentThread();
        return B::Retry;
    }
    QThread *thread = nullptr;
};

TEST(MessageDialog, WorkerRequestRunsOnTheUiThreadAndWaits)
{
    int argc = 1;
    char name[] = "test";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    ThreadNoting presenter;
    installPresenter(&presenter);

    std::atomic<int> answer{-1};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        answer = int(MessageDialog(u"x"_s, DialogKind::Error, B::Retry | B::Cancel));
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    installPresenter(nullptr);

    EXPECT_EQ(answer.load(), int(B::Retry));
    EXPECT_EQ(presenter.thread, app.thread());
}

} // namespace
