#include "partsdb.h"

#include "appserver/store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace BenchParts {

QString databasePath()
{
    const QString dir = u"/tmp/varsel-bench"_s;
    const QString path = dir + u"/parts-%1.sqlite"_s.arg(kParts);
    if (QFileInfo::exists(path))
        return path;
    QDir().mkpath(dir);
    // Made under a temporary name and renamed when complete, so an interrupted seed is
    // never taken for a finished one.
    const QString building = path + u".building"_s;
    for (const QString &leftover : QStringList{building, building + u"-wal"_s, building + u"-shm"_s})
        QFile::remove(leftover);
    std::fprintf(stderr, "seeding %d parts into %s (once)...\n", kParts, qPrintable(path));
    {
        auto db = Store::Database::open(u"sqlite:"_s + building, kParts);
        if (!db) {
            std::fprintf(stderr, "cannot make the benchmark database: %s\n", qPrintable(db.error().message));
            return {};
        }
    }
    if (!QFile::rename(building, path)) {
        std::fprintf(stderr, "cannot rename %s\n", qPrintable(building));
        return {};
    }
    return path;
}

} // namespace BenchParts
