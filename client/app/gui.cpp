#include "gui.h"

#include "basket_wiring.h"
#include "catalogue_wiring.h"
#include "mainwindow.h"
#include "varselstyle.h"

#include "client/session/guistart.h"
#include "client/session/messagedialog.h"

#include <QApplication>

namespace App {

int runMainWindow()
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app)
        return 2;
    // Without its style the program still works, in the platform's look.
    if (const auto styled = applyBuiltInStyle(*app); !styled)
        Session::plainMessage(styled.error().message, Session::DialogKind::Error);

    TForm1 form(Session::runLogin);
    if (!form.signedIn())
        return 0;
    // A double-click in any product list opens the basket's add/change dialog.
    installCatalogue(form, {.addToBasket = basketAddAction(installBasket(form))});
    form.showMaximized();
    return app->exec();
}

} // namespace App
