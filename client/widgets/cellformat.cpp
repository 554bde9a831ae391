#include "cellformat.h"

namespace Widgets {

using Protocol::ColumnKind;

const QLocale &gridLocale()
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return turkish;
}

QString moneyText(double value)
{
    return gridLocale().toString(value, 'f', 2);
}

CellKind resolveKind(CellKind declared, const Protocol::ClientTable &table, int col)
{
    if (declared != CellKind::Auto)
        return declared;
    if (col < 0)
        return CellKind::OwnerDrawn;
    const auto &info = table.column(col);
    switch (info.kind) {
    case ColumnKind::Int32:
    case ColumnKind::Int64: return CellKind::Number;
    case ColumnKind::Float: return info.moneyFormat ? CellKind::Money : CellKind::Number;
    case ColumnKind::Currency: return CellKind::Money;
    case ColumnKind::DateTime: return info.typeCode == 2 ? CellKind::Date : CellKind::DateTime;
    case ColumnKind::Text:
    case ColumnKind::Bool:
    case ColumnKind::Bytes: return CellKind::Text;
    }
    return CellKind::Text;
}

QString cellText(const Protocol::ClientTable &table, int row, int col, CellKind kind)
{
    if (col < 0 || table.isNull(row, col))
        return {};
    const ColumnKind stored = table.column(col).kind;
    switch (kind) {
    case CellKind::CheckBox:
    case CellKind::IconMap:
    case CellKind::OwnerDrawn: return {};
    case CellKind::Money: return moneyText(table.number(row, col));
    case CellKind::Number:
        if (stored == ColumnKind::Float || stored == ColumnKind::Currency) {
            static const QLocale plain = [] {
                QLocale l = gridLocale();
                l.setNumberOptions(QLocale::OmitGroupSeparator);
                return l;
            }();
            return plain.toString(table.number(row, col), 'g', 15);
        }
        return stored == ColumnKind::Text ? table.text(row, col) : QString::number(table.integer(row, col));
    case CellKind::Date:
    case CellKind::DateTime: {
        if (stored != ColumnKind::DateTime)
            return table.text(row, col);
        const QDateTime dt = table.dateTime(row, col);
        if (table.column(col).typeCode == 10)
            return dt.time().toString(u"HH:mm:ss");
        if (kind == CellKind::Date || dt.time() == QTime(0, 0))
            return dt.date().toString(u"dd.MM.yyyy");
        return dt.toString(u"dd.MM.yyyy HH:mm:ss");
    }
    case CellKind::Auto:
    case CellKind::Text: break;
    }
    if (stored == ColumnKind::Float || stored == ColumnKind::Currency)
        return cellText(table, row, col, CellKind::Number);
    if (stored == ColumnKind::DateTime)
        return cellText(table, row, col, CellKind::DateTime);
    if (stored == ColumnKind::Bytes)
        return {};
    return table.text(row, col);
}

const IconEntry *iconFor(const ColumnSpec &columnSpec, qint64 value)
{
    for (const IconEntry &e : columnSpec.icons) {
        if (e.value == value)
            return &e;
    }
    if (columnSpec.otherIcon >= 0 && size_t(columnSpec.otherIcon) < columnSpec.icons.size())
        return &columnSpec.icons[size_t(columnSpec.otherIcon)];
    return nullptr;
}

QString valueName(const Protocol::ClientTable &table, int row, int col, CellKind kind, const ColumnSpec &columnSpec)
{
    if (col < 0 || table.isNull(row, col))
        return {};
    if (kind == CellKind::IconMap) {
        const qint64 v = table.integer(row, col);
        for (const IconEntry &e : columnSpec.icons) {
            if (e.value == v && !e.name.isEmpty())
                return e.name;
        }
        return QString::number(v);
    }
    if (kind == CellKind::CheckBox)
        return table.boolean(row, col) ? QStringLiteral("Evet") : QStringLiteral("Hayır");
    return cellText(table, row, col, kind);
}

} // namespace Widgets
