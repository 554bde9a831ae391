// The steps of the main window's start-up task. Each area that loads something at start adds
// its step here, under its place in StartupStep; the worker runs them in that order.
#include "mainwindow.h"

#include <QPointer>

namespace App {

void TForm1::installStartupSteps()
{
    const QPointer<TForm1> window(this);

    // The header's values from the session record, set on the UI thread.
    m_startup.setStep(StartupStep::AnaBilgiAl, [window](const StartupContext &context) {
        context.handOff([window] {
            if (window)
                window->AnaBilgiAl();
        });
    });

    m_startup.addCompletion([window] {
        if (window)
            emit window->startupFinished();
    });
}

} // namespace App
