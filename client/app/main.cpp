#include "callcommand.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
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

    std::fputs(App::usageText().toUtf8().constData(), stderr);
    return 2;
}
