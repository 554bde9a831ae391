#include "tablefill.h"

#include "appserver/store/sql.h"
#include "protocol/codec.h"

#include <QSqlRecord>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Methods {

Protocol::ClientTable makeTable(std::initializer_list<Col> columns)
{
    Protocol::ClientTable table;
    for (const Col &col : columns) {
        Protocol::ColumnInfo info;
        info.name = col.name;
        info.kind = col.kind;
        info.typeCode = col.typeCode;
        info.size = col.size;
        table.addColumn(info);
    }
    return table;
}

QVariant dateValue(const QString &stored)
{
    const QString text = stored.trimmed();
    if (text.size() >= 19) {
        const QDateTime moment = QDateTime::fromString(text.left(19), u"yyyy-MM-dd HH:mm:ss"_s);
        if (moment.isValid())
            return moment;
    }
    const QDate day = QDate::fromString(text.left(10), u"yyyy-MM-dd"_s);
    if (!day.isValid())
        return QVariant();
    return QDateTime(day, QTime(0, 0));
}

Protocol::Expected<Protocol::Done> fillFromQuery(Protocol::ClientTable &table, const QSqlDatabase &db,
                                                 const QString &sql, const QVariantList &binds)
{
    auto query = Store::exec(db, sql, binds);
    if (!query)
        return query.error();
    const int columns = table.columnCount();
    if (query->record().count() < columns)
        return Protocol::makeError(u"Sorgu sütunları tabloya uymuyor"_s);
    while (query->next()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            const QVariant value = query->value(c);
            if (table.column(c).kind == Protocol::ColumnKind::DateTime && !value.isNull())
                row.append(dateValue(value.toString()));
            else
                row.append(value);
        }
        table.appendRow(row);
    }
    return Protocol::Done{};
}

Protocol::Expected<DateRange> dateRange(double from, double to)
{
    const auto day = [](double days) -> QString {
        if (!std::isfinite(days))
            return {};
        const QDate date = Protocol::fromOleDate(days).date();
        if (!date.isValid() || date.year() < 1900 || date.year() > 2999)
            return {};
        return date.toString(Qt::ISODate);
    };
    DateRange range{day(from), day(to)};
    if (range.from.isEmpty() || range.to.isEmpty())
        return Protocol::makeError(u"Geçersiz tarih aralığı"_s);
    return range;
}

} // namespace Methods
