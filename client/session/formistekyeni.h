#pragma once

#include <QDialog>
#include <QUrl>

namespace Session {

// The request form of a computer that no user is registered for: the distributor's web
// form in an embedded web view, above a bar with "Kapat".
class formistekyeni final : public QDialog
{
    Q_OBJECT

public:
    formistekyeni(QWidget *owner, const QString &address);

    // Shows the window modally for an address; the window exists only while it is shown.
    static void showFor(QWidget *owner, const QString &address);

    QUrl requestedUrl() const { return m_url; }
    QWidget *sitem() const { return m_view; }
    static bool hasWebView(); // false where the web engine was not available at build time

private:
    QUrl m_url;
    QWidget *m_view = nullptr;
};

} // namespace Session
