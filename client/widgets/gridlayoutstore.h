#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Widgets {

// A grid's layout as the user left it: columns in visual order with their widths, and the
// hidden ones, all by column name.
struct GridLayout
{
    QStringList order;
    QList<int> widths; // one per entry of order
    QStringList hidden;
    bool operator==(const GridLayout &) const = default;
};

// Remembers grid layouts per user and grid in an INI file (in the program's data folder).
class GridLayoutStore final
{
public:
    GridLayoutStore(QString iniPath, QString user);

    std::optional<GridLayout> load(const QString &grid) const;
    void save(const QString &grid, const GridLayout &layout);
    void remove(const QString &grid);

private:
    QString group(const QString &grid) const;

    QString m_path;
    QString m_user;
};

} // namespace Widgets
