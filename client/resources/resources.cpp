#include "resources.h"

#include <QFile>
#include <QMutex>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

static void initialiseVarselResources()
{
    Q_INIT_RESOURCE(varsel);
}

namespace Resources {

namespace {

Protocol::Expected<QByteArray> readResource(const QString &relative)
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return Protocol::makeError(u"%1: %2"_s.arg(file.fileName(), file.errorString()));
    return file.readAll();
}

struct RoleName
{
    QLatin1StringView name;
    QPalette::ColorRole role;
};

constexpr RoleName kRoles[] = {
    {"Window"_L1, QPalette::Window},
    {"WindowText"_L1, QPalette::WindowText},
    {"Base"_L1, QPalette::Base},
    {"AlternateBase"_L1, QPalette::AlternateBase},
    {"ToolTipBase"_L1, QPalette::ToolTipBase},
    {"ToolTipText"_L1, QPalette::ToolTipText},
    {"PlaceholderText"_L1, QPalette::PlaceholderText},
    {"Text"_L1, QPalette::Text},
    {"Button"_L1, QPalette::Button},
    {"ButtonText"_L1, QPalette::ButtonText},
    {"BrightText"_L1, QPalette::BrightText},
    {"Light"_L1, QPalette::Light},
    {"Midlight"_L1, QPalette::Midlight},
    {"Mid"_L1, QPalette::Mid},
    {"Dark"_L1, QPalette::Dark},
    {"Shadow"_L1, QPalette::Shadow},
    {"Highlight"_L1, QPalette::Highlight},
    {"HighlightedText"_L1, QPalette::HighlightedText},
    {"Link"_L1, QPalette::Link},
    {"LinkVisited"_L1, QPalette::LinkVisited},
};

} // namespace

void initialise()
{
    static QMutex lock;
    static bool done = false;
    QMutexLocker locker(&lock);
    if (!done) {
        initialiseVarselResources();
        done = true;
    }
}

QString path(const QString &relative)
{
    initialise();
    return u":/varsel/"_s + relative;
}

QIcon icon(const QString &relative)
{
    return QIcon(path(relative));
}

QIcon stockStatusIcon(StockStatus status)
{
    switch (status) {
    case StockStatus::Yok: return icon(u"icons/status/yok.svg"_s);
    case StockStatus::Mevcut: return icon(u"icons/status/mevcut.svg"_s);
    case StockStatus::Telefon: return icon(u"icons/status/telefon.svg"_s);
    case StockStatus::Yolda: return icon(u"icons/status/yolda.svg"_s);
    case StockStatus::OzelSiparis: return icon(u"icons/status/ozelsiparis.svg"_s);
    case StockStatus::Tedarik: return icon(u"icons/status/tedarik.svg"_s);
    }
    return {};
}

QIcon criticalLevelIcon()
{
    return icon(u"icons/status/kritik.svg"_s);
}

Protocol::Expected<QString> styleSheet()
{
    auto bytes = readResource(u"style/varsel.qss"_s);
    if (!bytes)
        return bytes.error();
    return QString::fromUtf8(*bytes);
}

// The palette file holds "Role=#rrggbb" lines; "RoleDisabled" sets the disabled group.
Protocol::Expected<QPalette> palette(const QPalette &base)
{
    auto bytes = readResource(u"style/palette.ini"_s);
    if (!bytes)
        return bytes.error();
    QPalette result = base;
    int lineNumber = 0;
    for (const QByteArray &raw : bytes->split('\n')) {
        ++lineNumber;
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        QString name = line.left(equals).trimmed();
        const QColor color = QColor::fromString(line.mid(equals + 1).trimmed());
        bool disabled = false;
        if (name.endsWith(u"Disabled"_s)) {
            disabled = true;
            name.chop(8);
        }
        const auto role =
            std::find_if(std::begin(kRoles), std::end(kRoles), [&](const RoleName &r) { return r.name == name; });
        if (equals < 0 || !color.isValid() || role == std::end(kRoles))
            return Protocol::makeError(u"palette.ini, line %1: %2"_s.arg(lineNumber).arg(line));
        if (disabled) {
            result.setColor(QPalette::Disabled, role->role, color);
        } else {
            result.setColor(QPalette::Active, role->role, color);
            result.setColor(QPalette::Inactive, role->role, color);
            if (role->role != QPalette::WindowText && role->role != QPalette::Text &&
                role->role != QPalette::ButtonText)
                result.setColor(QPalette::Disabled, role->role, color);
        }
    }
    return result;
}

} // namespace Resources
