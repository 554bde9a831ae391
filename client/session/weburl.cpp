#include "weburl.h"

#include <QByteArray>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

QString encoded(QStringView text, const QByteArray &keep)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text.toString(), keep));
}

QString encodeQuery(QStringView query)
{
    QString out;
    const auto pairs = query.split(u'&');
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        if (i)
            out += u'&';
        const QStringView pair = pairs[i];
        const qsizetype eq = pair.indexOf(u'=');
        if (eq < 0) {
            out += encoded(pair, {});
        } else {
            out += encoded(pair.left(eq), {}) + u'=' + encoded(pair.mid(eq + 1), {});
        }
    }
    return out;
}

} // namespace

QString encodeWebAddress(const QString &address)
{
    QStringView rest(address);
    QString out;
    if (const qsizetype scheme = rest.indexOf(u"://"); scheme >= 0) {
        const qsizetype hostEnd = [&] {
            qsizetype end = rest.size();
            for (QChar stop : {u'/', u'?'}) {
                const qsizetype at = rest.indexOf(stop, scheme + 3);
                if (at >= 0 && at < end)
                    end = at;
            }
            return end;
        }();
        out = rest.left(hostEnd).toString();
        rest = rest.mid(hostEnd);
    }
    const qsizetype q = rest.indexOf(u'?');
    out += encoded(q < 0 ? rest : rest.left(q), "/");
    if (q >= 0)
        out += u'?' + encodeQuery(rest.mid(q + 1));
    return out;
}

} // namespace Session
