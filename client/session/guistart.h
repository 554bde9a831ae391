#pragma once

#include "protocol/records.h"

#include <QStringList>

#include <functional>

namespace Server {
class Connection;
}

namespace Session {

// Before the QApplication exists: what the embedded web view needs on this machine (no
// sandbox when running as root, no GPU without a display that has one, shared GL contexts).
void prepareGuiEnvironment();
// After it exists: the application's title and the message window as the program's dialogs.
void installSessionUi();

// The main window's login step: fills the record's machine identity, shows the login
// modally with the main connection and the record, and ends the program (exit code 0)
// unless it closed with OK and left a public address. True when the program goes on.
bool runLogin(Server::Connection &bagc, Protocol::TSonucBilgisi &sbilgi);

// The windowed start: --ip-service and --download-host, the environment, the application,
// then `mainWindow` (which runs the login itself, through runLogin, and returns the exit
// code of the event loop). Without one, only the login runs and its user is printed.
int runGui(int argc, char **argv, const QStringList &arguments,
           const std::function<int()> &mainWindow = {});

} // namespace Session
