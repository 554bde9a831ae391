#include "settingsfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

constexpr qint64 kMaxFileBytes = 1024 * 1024; // a settings file is a few lines

QString decode(const QByteArray &bytes)
{
    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

QString quotedIfNeeded(QString value)
{
    value.replace(u"\r\n"_s, u" "_s);
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    if (value != value.trimmed() || value.startsWith(u'"'))
        return u'"' + value + u'"';
    return value;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<LoginSettings> readLoginSettings(const QString &path)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    LoginSettings settings;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return settings;
    const QString text = decode(file.read(kMaxFileBytes));

    bool inSection = false;
    bool haveName = false, havePassword = false, haveRemember = false;
    const auto lines = QStringView(text).split(u'\n');
    for (QStringView raw : lines) {
        const QStringView line = raw.trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            inSection = close > 0 && sameName(line.mid(1, close - 1).trimmed(), u"kullanici");
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq <= 0 || line.startsWith(u';'))
            continue;
        const QStringView key = line.left(eq).trimmed();
        const QString value = unquoted(line.mid(eq + 1).toString());
        if (!haveName && sameName(key, u"isim")) {
            settings.isim = value;
            haveName = true;
        } else if (!havePassword && sameName(key, u"sifre")) {
            settings.sifre = value;
            havePassword = true;
        } else if (!haveRemember && sameName(key, u"hatırla")) {
            haveRemember = true;
            bool ok = false;
            const qlonglong n = value.toLongLong(&ok, 10);
            if (ok)
                settings.hatirla = n != 0;
        }
    }
    return settings;
}

Protocol::Expected<Protocol::Done> writeLoginSettings(const QString &path, const LoginSettings &settings)
{
    const QString text = u"[kullanici]\r\nisim="_s + quotedIfNeeded(settings.isim) + u"\r\nsifre="_s
                         + quotedIfNeeded(settings.sifre) + u"\r\nhatırla="_s
                         + (settings.hatirla ? u"1"_s : u"0"_s) + u"\r\n"_s;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Protocol::makeError(file.errorString());
    file.write(text.toUtf8());
    if (!file.commit())
        return Protocol::makeError(file.errorString());
    return Protocol::Done{};
}

} // namespace Session
