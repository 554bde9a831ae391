#include "openretry.h"

#include "connection.h"

#include "client/session/messagedialog.h"

#include <QMutex>
#include <QMutexLocker>
#include <QThread>

namespace Server {

namespace {

QMutex policyMutex;
RetryPolicy policy;

} // namespace

RetryPolicy defaultRetryPolicy()
{
    QMutexLocker lock(&policyMutex);
    return policy;
}

void setDefaultRetryPolicy(const RetryPolicy &newPolicy)
{
    QMutexLocker lock(&policyMutex);
    policy = newPolicy;
}

bool openWithRetry(Connection &connection, bool reportNow)
{
    return openWithRetry(connection, reportNow, defaultRetryPolicy());
}

bool openWithRetry(Connection &connection, bool reportNow, const RetryPolicy &retry)
{
    if (connection.isOpen())
        connection.close();
    for (int failed = 0; failed < retry.attempts;) {
        const auto opened = connection.open();
        if (opened)
            return true;
        Session::plainMessage(opened.error().message);
        connection.close();
        ++failed;
        QThread::msleep(std::chrono::milliseconds(retry.pause).count());
    }
    if (reportNow)
        Session::showConnectionFailure();
    return false;
}

} // namespace Server
