#pragma once

#include <QString>
#include <QUrl>

namespace Session {

// The web services the session reaches besides the application server. Built in with
// their production values; the command line (or the environment) may point them elsewhere.

// The address-echo service; the lookup asks its path "/ip".
QUrl publicAddressService();
void setPublicAddressServiceOverride(const QUrl &base); // empty restores the built-in one
QUrl publicAddressUrl();

// The host the setup program is downloaded from; the file is its "/exe/VarselSetup.exe".
QUrl downloadHost();
void setDownloadHostOverride(const QUrl &base);
QUrl setupDownloadUrl();

// The request form of an unregistered computer: the web root, the form's page and the
// computer identifier, not encoded (the blank after "kullanici=" is the form's own).
QString requestFormAddress(const QString &webRoot, const QString &computerId);

} // namespace Session
