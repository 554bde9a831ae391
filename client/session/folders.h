#pragma once

#include <QString>

namespace Session {

// The program's own folder under the roaming application data folder; created when it
// is missing. When it cannot be created the path is returned all the same and the file
// access that follows reports the failure.
QString applicationDataFolder();
// Where ayar.ini lives.
QString settingsFilePath();
// Where fetched documents are saved; empty when the system does not know it.
QString documentsFolder();
// The non-roaming application data folder (the update saves its setup program there).
QString localApplicationDataFolder();

inline constexpr const char *kProgramFolderName = "varseloto";

} // namespace Session
