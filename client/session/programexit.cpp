#include "programexit.h"

#include <QMutex>

#include <cstdio>
#include <cstdlib>

namespace Session {

namespace {

QMutex g_lock;
ExitFunction g_exit;

} // namespace

void exitProgram(int code)
{
    ExitFunction function;
    {
        QMutexLocker lock(&g_lock);
        function = g_exit;
    }
    if (function) {
        function(code);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(code);
}

void setExitFunction(ExitFunction function)
{
    QMutexLocker lock(&g_lock);
    g_exit = std::move(function);
}

} // namespace Session
