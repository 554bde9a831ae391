#include "rawpeer.h"
#include "testhelpers.h"

#include "client/server/callpatterns.h"
#include "client/server/tawait.h"
#include "client/session/messagedialog.h"

#include <gtest/gtest.h>

#include <QSemaphore>
#include <QThread>

#include <atomic>

using namespace Qt::StringLiterals;

TEST(BackgroundFetch, UnreachableServerShowsTheWorkersElevenErrorsThenOneFinalMessageAfterTheCompletion)
{
    Server::setDefaultRetryPolicy({11, std::chrono::milliseconds(5)});
    Server::ServerSession session;
    const Server::Connection bagc(ClientTest::loopback(ClientTest::unusedPort()), &session);
    Session::ScriptedAnswerer answerer;
    QObject view;
    QStringList steps;
    qsizetype shownAtCompletion = -1;
    bool completed = false;
    bool hata = false;

    Server::BackgroundFetch::start(
        &view, {[&] { steps << u"begin"_s; }, [&] { steps << u"end"_s; }},
        [copy = bagc] {
            return !Server::callOnOwnCopy(copy, false,
                                          [](Server::TServerMethods1Client &p) { return p.KayanYaziGetir(); });
        },
        [&](bool failed) {
            steps << u"completion"_s;
            shownAtCompletion = answerer.shown().size();
            hata = failed;
            completed = true;
        });
    ASSERT_TRUE(ClientTest::processEventsUntil([&] { return completed; }));
    Server::setDefaultRetryPolicy({});

    EXPECT_TRUE(hata);
    EXPECT_EQ(steps, (QStringList{u"begin"_s, u"end"_s, u"completion"_s}));
    EXPECT_EQ(shownAtCompletion, 11) << "the worker's messages, each handed to the UI thread";
    ASSERT_EQ(answerer.shown().size(), 12);
    for (qsizetype i = 0; i < 11; ++i)
        EXPECT_TRUE(answerer.shown()[i].plain);
    EXPECT_EQ(answerer.shown().last().text, Session::connectionFailureText());
    EXPECT_EQ(answerer.shown().last().kind, Session::DialogKind::Error);
}

TEST(TAwait, CompletionRunsOnTheContextThreadAfterTheWorker)
{
    QObject context;
    std::atomic<bool> workerDone{false};
    bool completionSawWorkerDone = false;
    QThread *completionThread = nullptr;
    bool completed = false;

    Server::TAwait::create([&] {
        QThread::msleep(20);
        workerDone = true;
    })->Await(&context, [&] {
        completionSawWorkerDone = workerDone;
        completionThread = QThread::currentThread();
        completed = true;
    });
    // The caller dropped its reference: the task keeps itself alive until its completion.
    ASSERT_TRUE(ClientTest::processEventsUntil([&] { return completed; }));
    EXPECT_TRUE(completionSawWorkerDone);
    EXPECT_EQ(completionThread, context.thread());
}

TEST(TAwait, ContextGoneBeforeTheWorkerEndsDropsTheCompletion)
{
    auto *context = new QObject;
    QSemaphore release;
    std::atomic<bool> workerDone{false};
    bool completed = false;

    Server::TAwait::create([&] {
        release.acquire();
        workerDone = true;
    })->Await(context, [&] { completed = true; });
    delete context;
    release.release();

    ASSERT_TRUE(ClientTest::processEventsUntil([&] { return workerDone.load(); }));
    ClientTest::processEventsUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_FALSE(completed);
}

TEST(TAwait, SeveralTasksRunAtOnce)
{
    // A tab load and the start-up task may both wait on the network: neither may queue
    // behind the other even on a machine with one or two cores.
    QObject context;
    constexpr int kTasks = 6;
    QSemaphore allStarted;
    QSemaphore release;
    int completed = 0;
    for (int i = 0; i < kTasks; ++i) {
        Server::TAwait::create([&] {
            allStarted.release();
            release.acquire();
        })->Await(&context, [&] { ++completed; });
    }
    EXPECT_TRUE(allStarted.tryAcquire(kTasks, 10000));
    release.release(kTasks);
    ASSERT_TRUE(ClientTest::processEventsUntil([&] { return completed == kTasks; }));
}
