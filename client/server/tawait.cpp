#include "tawait.h"

#include "client/session/messagedialog.h"

#include <QDebug>
#include <QFutureWatcher>
#include <QPointer>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace Server {

QThreadPool *workerPool()
{
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(16);
        p->setExpiryTimeout(30000);
        return p;
    }();
    return pool;
}

IAwait TAwait::create(std::function<void()> worker)
{
    return std::make_shared<TAwait>(Token{}, std::move(worker));
}

TAwait::TAwait(Token, std::function<void()> worker)
    : m_worker(std::move(worker))
{}

void TAwait::Await(QObject *context, std::function<void()> completion)
{
    Q_ASSERT(context);
    auto *watcher = new QFutureWatcher<void>(context);
    // The watcher holds the task until the completion has run.
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                     [watcher, self = shared_from_this(), completion = std::move(completion)] {
                         watcher->deleteLater();
                         if (completion)
                             completion();
                     });
    watcher->setFuture(QtConcurrent::run(workerPool(), m_worker));
}

IAwait BackgroundFetch::start(QObject *view, const FetchSteps &steps, Fetch fetch, Completion completion)
{
    if (steps.begin)
        steps.begin();
    auto hata = std::make_shared<bool>(false);
    IAwait task = TAwait::create([hata, fetch = std::move(fetch)] {
        try {
            *hata = fetch();
        } catch (const std::exception &e) {
            // A worker's fault must not leave the view detached: it counts as a failed load.
            qWarning() << "background fetch failed:" << e.what();
            *hata = true;
        }
    });
    task->Await(view, [hata, end = steps.end, completion = std::move(completion)] {
        if (end)
            end();
        if (completion)
            completion(*hata);
        if (*hata)
            Session::showConnectionFailure();
    });
    return task;
}

} // namespace Server
