#include "gridlayoutstore.h"

#include <QSettings>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace Widgets {

GridLayoutStore::GridLayoutStore(QString iniPath, QString user)
    : m_path(std::move(iniPath))
    , m_user(std::move(user))
{}

QString GridLayoutStore::group(const QString &grid) const
{
    // Names become one group level each, whatever characters they hold.
    return QString::fromLatin1(QUrl::toPercentEncoding(m_user.isEmpty() ? u"-"_s : m_user)) + u'/' +
           QString::fromLatin1(QUrl::toPercentEncoding(grid));
}

std::optional<GridLayout> GridLayoutStore::load(const QString &grid) const
{
    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(group(grid));
    if (!settings.contains(u"order"_s))
        return std::nullopt;
    GridLayout layout;
    layout.order = settings.value(u"order"_s).toStringList();
    for (const QString &w : settings.value(u"widths"_s).toStringList())
        layout.widths.append(w.toInt());
    layout.hidden = settings.value(u"hidden"_s).toStringList();
    if (layout.widths.size() != layout.order.size())
        return std::nullopt; // a damaged entry counts as none
    return layout;
}

void GridLayoutStore::save(const QString &grid, const GridLayout &layout)
{
    QSettings settings(m_path, QSettings::IniFormat);
    settings.beginGroup(group(grid));
    settings.setValue(u"order"_s, layout.order);
    QStringList widths;
    for (int w : layout.widths)
        widths.append(QString::number(w));
    settings.setValue(u"widths"_s, widths);
    settings.setValue(u"hidden"_s, layout.hidden);
}

void GridLayoutStore::remove(const QString &grid)
{
    QSettings settings(m_path, QSettings::IniFormat);
    settings.remove(group(grid));
}

} // namespace Widgets
