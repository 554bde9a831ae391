#pragma once

#include "appserver/store/database.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace StoreTest {

using namespace Qt::StringLiterals;

constexpr int kParts = 300;
inline QDate anchor()
{
    return QDate(2025, 3, 10);
}

// A fresh SQLite database with the small demo catalogue, in a folder removed afterwards.
class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        db = openNew(u"main.db"_s);
        ASSERT_TRUE(db);
    }

    std::unique_ptr<Store::Database> openNew(const QString &file, int parts = kParts, QDate when = anchor())
    {
        Store::OpenOptions options;
        options.seedParts = parts;
        options.seedAnchor = when;
        auto opened = Store::Database::open(url(file), options);
        EXPECT_TRUE(opened) << (opened ? QString() : opened.error().message).toStdString();
        return opened ? std::move(*opened) : nullptr;
    }

    QString url(const QString &file) const { return u"sqlite:"_s + m_dir.filePath(file); }
    QString path(const QString &file) const { return m_dir.filePath(file); }

    // A digest of a whole table's rows in key order: equal digests, equal data.
    static std::string digest(QSqlDatabase connection, const QString &table, const QString &orderBy)
    {
        QSqlQuery query(connection);
        EXPECT_TRUE(query.exec(u"SELECT * FROM "_s + table + u" ORDER BY "_s + orderBy)) << table.toStdString();
        QCryptographicHash hash(QCryptographicHash::Sha256);
        int rows = 0;
        while (query.next()) {
            ++rows;
            for (int c = 0; c < query.record().count(); ++c) {
                const QVariant v = query.value(c);
                // The engines hand NULL over as different null variants: hash a marker.
                if (v.isNull())
                    hash.addData(QByteArrayView("\x01NULL"));
                else
                    hash.addData(v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8());
                hash.addData(QByteArrayView("\x1f"));
            }
            hash.addData(QByteArrayView("\x1e"));
        }
        hash.addData(QByteArray::number(rows));
        return hash.result().toHex().toStdString();
    }

    static qint64 count(QSqlDatabase connection, const QString &sql)
    {
        QSqlQuery query(connection);
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
        return query.next() ? query.value(0).toLongLong() : -1;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Store::Database> db;
};

} // namespace StoreTest
