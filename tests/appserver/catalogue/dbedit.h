#pragma once

// Writing into the database of a running varsel-appserver from a test: the catalogue and
// basket suites set up the discounts, prices and statement rows a case needs (SQLite in WAL
// mode lets the test write while the server reads), and read back what the server wrote.

#include "tests/support/appserver.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <set>

namespace CatalogueTests {

class DatabaseEdit final
{
public:
    explicit DatabaseEdit(const Support::AppServer &server);
    ~DatabaseEdit();
    DatabaseEdit(const DatabaseEdit &) = delete;
    DatabaseEdit &operator=(const DatabaseEdit &) = delete;

    // One statement; a failure is a test failure.
    void exec(const QString &sql, const QVariantList &binds = {}) const;
    QVariant scalar(const QString &sql, const QVariantList &binds = {}) const;
    // The first column of every row, as integers.
    std::set<int> numbers(const QString &sql, const QVariantList &binds = {}) const;

private:
    QString m_name;
};

} // namespace CatalogueTests
