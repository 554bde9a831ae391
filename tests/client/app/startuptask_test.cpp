#include "client/app/startuptask.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMutex>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using App::StartupStep;

namespace {

bool waitFor(const std::function<bool()> &condition, int ms = 10000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

// What the task did, in order, from whichever thread.
struct Journal
{
    QMutex lock;
    QStringList entries;
    void add(const QString &entry)
    {
        QMutexLocker locker(&lock);
        entries << entry;
    }
    QStringList all()
    {
        QMutexLocker locker(&lock);
        return entries;
    }
};

QString where()
{
    return QThread::currentThread() == qApp->thread() ? u"ui"_s : u"worker"_s;
}

TEST(StartupTask, RunsStepsInTheirOrderWithSynchronousHandOffsThenTheCompletions)
{
    Journal journal;
    QObject window;
    App::StartupTask task;
    // Installed out of order, as areas add their steps: the worker still runs them in order.
    task.setStep(StartupStep::BalonYaz, [&](const App::StartupContext &context) {
        journal.add(u"BalonYaz "_s + where());
        context.handOff([&] { journal.add(u"badges "_s + where()); });
        journal.add(u"after badges"_s);
    });
    task.setStep(StartupStep::AnaBilgiAl, [&](const App::StartupContext &context) {
        journal.add(u"AnaBilgiAl "_s + where() + u' ' + context.record().FADI);
        context.handOff([&] { journal.add(u"header "_s + where()); });
        // The hand-off has run when it returns.
        journal.add(u"after header"_s);
    });
    task.setStep(StartupStep::KayanYazi, [&](const App::StartupContext &) { journal.add(u"KayanYazi"_s); });
    task.addCompletion([&] { journal.add(u"completion 1 "_s + where()); });
    task.addCompletion([&] { journal.add(u"completion 2"_s); });

    EXPECT_EQ(task.installedSteps(),
              (std::vector<StartupStep>{StartupStep::AnaBilgiAl, StartupStep::KayanYazi, StartupStep::BalonYaz}));

    Protocol::TSonucBilgisi record;
    record.FADI = u"BAYI"_s;
    Server::Connection bagc;
    auto run = task.start(&window, bagc, record);
    record.FADI = u"CHANGED"_s; // the worker has its own copy
    ASSERT_TRUE(waitFor([&] { return journal.all().size() == 9; })) << journal.all().join(u" | "_s).toStdString();
    EXPECT_EQ(journal.all(), (QStringList{u"AnaBilgiAl worker BAYI"_s, u"header ui"_s, u"after header"_s,
                                          u"KayanYazi"_s, u"BalonYaz worker"_s, u"badges ui"_s, u"after badges"_s,
                                          u"completion 1 ui"_s, u"completion 2"_s}));
}

TEST(StartupTask, AWindowGoneMeanwhileDropsHandOffsAndCompletion)
{
    Journal journal;
    auto window = std::make_unique<QObject>();
    QSemaphore started;
    QSemaphore proceed;
    App::StartupTask task;
    task.setStep(StartupStep::AnaBilgiAl, [&](const App::StartupContext &context) {
        started.release();
        proceed.acquire();
        context.handOff([&] { journal.add(u"header"_s); });
        journal.add(u"worker went on"_s);
    });
    task.addCompletion([&] { journal.add(u"completion"_s); });
    Server::Connection bagc;
    auto run = task.start(window.get(), bagc, {});
    started.acquire();
    window.reset();
    proceed.release();
    ASSERT_TRUE(waitFor([&] { return journal.all().contains(u"worker went on"_s); }));
    QTest::qWait(50);
    EXPECT_EQ(journal.all(), QStringList{u"worker went on"_s});
}

TEST(StartupTask, EachStepGetsItsOwnClosedConnectionCopy)
{
    QObject window;
    App::StartupTask task;
    QMutex lock;
    QList<bool> open;
    QString host;
    task.setStep(StartupStep::BannerREsimAlUst, [&](const App::StartupContext &context) {
        Server::Connection copy = context.connectionCopy();
        QMutexLocker locker(&lock);
        open << copy.isOpen();
        host = copy.params().hostName;
    });
    bool done = false;
    task.addCompletion([&] { done = true; });
    Server::Connection bagc;
    bagc.setHostName(u"sunucu.example"_s);
    auto run = task.start(&window, bagc, {});
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_EQ(open, QList<bool>{false});
    EXPECT_EQ(host, u"sunucu.example"_s);
}

} // namespace
