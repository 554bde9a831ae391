#include "sessionoptions.h"

#include "addresses.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

Protocol::Expected<QUrl> webAddress(const QString &option, const QString &value)
{
    const QUrl url(value, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s) || url.host().isEmpty())
        return Protocol::makeError(option + u": http:// ya da https:// ile başlayan bir adres olmalı: \""_s + value
                                   + u'"');
    return url;
}

} // namespace

Protocol::Expected<QStringList> applySessionOptions(const QStringList &arguments)
{
    struct Option
    {
        QString name;
        const char *environment;
        void (*apply)(const QUrl &);
    };
    const Option options[] = {
        {u"--ip-service"_s, "VARSEL_IP_SERVICE", &setPublicAddressServiceOverride},
        {u"--download-host"_s, "VARSEL_DOWNLOAD_HOST", &setDownloadHostOverride},
    };
    for (const Option &o : options) {
        const QString fromEnvironment = qEnvironmentVariable(o.environment);
        if (fromEnvironment.isEmpty())
            continue;
        auto url = webAddress(QLatin1StringView(o.environment), fromEnvironment);
        if (!url)
            return url.error();
        o.apply(*url);
    }

    QStringList rest;
    bool ended = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        const Option *matched = nullptr;
        for (const Option &o : options) {
            if (!ended && (a == o.name || a.startsWith(o.name + u'=')))
                matched = &o;
        }
        if (!matched) {
            ended = ended || a == u"--"_s;
            rest << a;
            continue;
        }
        QString value;
        if (a.size() > matched->name.size()) {
            value = a.mid(matched->name.size() + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return Protocol::makeError(matched->name + u": adres eksik"_s);
        }
        auto url = webAddress(matched->name, value);
        if (!url)
            return url.error();
        matched->apply(*url);
    }
    return rest;
}

} // namespace Session
