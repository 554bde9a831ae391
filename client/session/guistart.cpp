#include "guistart.h"

#include "girisform.h"
#include "messagewindow.h"
#include "programexit.h"
#include "sessionoptions.h"

#include "client/platform/identity.h"
#include "client/server/connection.h"
#include "client/server/serversession.h"

#include <QApplication>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace Session {

void prepareGuiEnvironment()
{
    // The web engine refuses to start its sandbox as root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform == "offscreen" || !qEnvironmentVariableIsEmpty("B2B_NO_GPU"))
        && qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void installSessionUi()
{
    QGuiApplication::setApplicationDisplayName(u"Varsel Otomotiv B2B"_s);
    installDialogWindow();
    MessageWindow::setFontPointSize(15);
}

bool runLogin(Server::Connection &bagc, Protocol::TSonucBilgisi &sbilgi)
{
    sbilgi.FBilgiSayarAdi = Platform::computerName();
    sbilgi.FBilgisayarKullanici = Platform::userName();
    sbilgi.FIcip = Platform::localAddress();
    sbilgi.FBILGISAYARID = Platform::computerIdentifier();
    {
        girisform login(bagc, sbilgi);
        if (login.exec() != QDialog::Accepted) {
            exitProgram(0);
            return false;
        }
    }
    if (sbilgi.FDisip.trimmed().isEmpty()) {
        exitProgram(0);
        return false;
    }
    return true;
}

int runGui(int argc, char **argv, const QStringList &arguments, const std::function<int()> &mainWindow)
{
    const auto rest = applySessionOptions(arguments);
    if (!rest) {
        std::fprintf(stderr, "varsel-b2b: %s\n", rest.error().message.toUtf8().constData());
        return 2;
    }
    prepareGuiEnvironment();
    QApplication app(argc, argv);
    installSessionUi();
    if (mainWindow)
        return mainWindow();

    Server::Connection bagc;
    Protocol::TSonucBilgisi sbilgi;
    if (!runLogin(bagc, sbilgi))
        return 0;
    std::printf("%s\t%s\n", sbilgi.FADI.toUtf8().constData(), sbilgi.FCariAdi.toUtf8().constData());
    return 0;
}

} // namespace Session
