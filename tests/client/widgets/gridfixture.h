#pragma once

#include "protocol/clienttable.h"

#include <QDateTime>
#include <QVariantList>

// A small stock-like table: the cases of the grid tests read it by column name.
inline Protocol::ClientTable stockTable()
{
    using Protocol::ColumnInfo;
    using Protocol::ColumnKind;
    Protocol::ClientTable t;
    auto add = [&t](const char16_t *name, ColumnKind kind, int typeCode = 0) {
        ColumnInfo info;
        info.name = QString::fromUtf16(name);
        info.kind = kind;
        info.typeCode = typeCode ? typeCode : Protocol::defaultTypeCode(kind);
        t.addColumn(info);
    };
    add(u"STOK_STOKNO", ColumnKind::Int32);
    add(u"ADI", ColumnKind::Text);
    add(u"MIKTAR", ColumnKind::Int32);
    add(u"FIYAT", ColumnKind::Float);
    add(u"TARIH", ColumnKind::DateTime, 11);
    add(u"DURUM", ColumnKind::Int32);
    add(u"SATICI", ColumnKind::Text);
    const QDateTime day(QDate(2024, 3, 1), QTime(0, 0));
    const QList<QVariantList> rows = {
        {1, QStringLiteral("şaft"), 10, 1234.5, day, 1, QStringLiteral("Ayşe")},
        {2, QStringLiteral("Çamurluk"), 2, 99.99, day.addDays(1).addSecs(3600 + 60 + 1), 0, QStringLiteral("Ali")},
        {3, QStringLiteral("ızgara"), 100, QVariant(), day.addDays(-3), 2, QStringLiteral("Ayşe")},
        {4, QStringLiteral("İnce kayış"), 9, 10.0, QVariant(), 1, QStringLiteral("Ali")},
        {5, QStringLiteral("amortisör"), 1, 2000000.0, day.addDays(40), 5, QVariant()},
        {6, QStringLiteral("Zincir"), 25, 0.5, day.addDays(2), 3, QStringLiteral("Ayşe")},
        {7, QStringLiteral("gösterge"), 3, 45.25, day.addDays(3), 1, QStringLiteral("Ali")},
        {8, QStringLiteral("Ğ kapak"), 11, 7.0, day.addDays(4), 4, QStringLiteral("Ayşe")},
    };
    for (const QVariantList &r : rows)
        t.appendRow(r);
    t.applyMoneyFormat();
    return t;
}
