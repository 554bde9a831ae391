#include "callcommand.h"
#include "gui.h"

#include "client/session/guistart.h"
#include "client/session/sessionoptions.h"
#include "protocol/largebuffers.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    Protocol::keepLargeBuffersInHeap();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    const auto rest = App::applyServerOptions(arguments);
    if (!rest) {
        std::fprintf(stderr, "varsel-b2b: %s\n", rest.error().message.toUtf8().constData());
        return 2;
    }

    // The windowless commands never need a display.
    if (App::isWindowlessCommand(*rest)) {
        QCoreApplication app(argc, argv);
        return App::runWindowlessCommand(*rest);
    }

    // No command: the program's windows (the session's own options may stand before it).
    if (const auto guiRest = Session::applySessionOptions(*rest); !guiRest || guiRest->isEmpty())
        return Session::runGui(argc, argv, *rest, App::runMainWindow);

    std::fputs(App::usageText().toUtf8().constData(), stderr);
    return 2;
}
