#include "protocol/clienttable.h"

#include <gtest/gtest.h>

using namespace Protocol;

namespace {

ClientTable sampleTable()
{
    ClientTable t;
    t.addColumn({QStringLiteral("STOKNO"), ColumnKind::Int32, 6});
    t.addColumn({QStringLiteral("ADI"), ColumnKind::Text, 26});
    t.addColumn({QStringLiteral("FIYAT"), ColumnKind::Float, 7});
    t.addColumn({QStringLiteral("TUTAR"), ColumnKind::Currency, 25});
    t.appendRow({1201, QStringLiteral("FREN BALATASI"), 125.5, 10.0});
    t.appendRow({1202, QVariant(), 80.0, QVariant()});
    t.appendRow({1203, QStringLiteral("ŞANZIMAN YAĞI"), 0.1, 1.0});
    return t;
}

} // namespace

TEST(ClientTable, readsCellsByKindAndKeepsNulls)
{
    const ClientTable t = sampleTable();
    ASSERT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.integer(0, 0), 1201);
    EXPECT_EQ(t.text(0, 1), QStringLiteral("FREN BALATASI"));
    EXPECT_EQ(t.text(2, 1), QStringLiteral("ŞANZIMAN YAĞI"));
    EXPECT_TRUE(t.isNull(1, 1));
    EXPECT_FALSE(t.value(1, 1).isValid());
    EXPECT_TRUE(t.isNull(1, 3));
    EXPECT_FALSE(t.isNull(1, 2));
    EXPECT_DOUBLE_EQ(t.number(0, 2), 125.5);
}

TEST(ClientTable, findsColumnsByNameIgnoringCase)
{
    const ClientTable t = sampleTable();
    EXPECT_EQ(t.columnIndex(u"fiyat"), 2);
    EXPECT_EQ(t.columnIndex(u"YOK"), -1);
}

TEST(ClientTable, moneyFormatGoesToFloatColumnsOnly)
{
    ClientTable t = sampleTable();
    t.applyMoneyFormat();
    EXPECT_FALSE(t.column(0).moneyFormat);
    EXPECT_FALSE(t.column(1).moneyFormat);
    EXPECT_TRUE(t.column(2).moneyFormat);
    EXPECT_FALSE(t.column(3).moneyFormat); // currency keeps its own display
}

TEST(ClientTable, editingATextCellKeepsTheOtherRows)
{
    ClientTable t = sampleTable();
    t.setValue(0, 1, QStringLiteral("X"));
    t.setValue(1, 1, QStringLiteral("ÇOK DAHA UZUN BİR AD"));
    EXPECT_EQ(t.text(0, 1), QStringLiteral("X"));
    EXPECT_EQ(t.text(1, 1), QStringLiteral("ÇOK DAHA UZUN BİR AD"));
    EXPECT_FALSE(t.isNull(1, 1));
    EXPECT_EQ(t.text(2, 1), QStringLiteral("ŞANZIMAN YAĞI"));
    t.setValue(2, 1, QVariant());
    EXPECT_TRUE(t.isNull(2, 1));
    EXPECT_EQ(t.text(1, 1), QStringLiteral("ÇOK DAHA UZUN BİR AD"));
}

TEST(ClientTable, cursorWalksRowsAndStopsPastTheEnd)
{
    ClientTable t = sampleTable();
    ASSERT_TRUE(t.first());
    EXPECT_EQ(t.field(u"STOKNO").toInt(), 1201);
    EXPECT_TRUE(t.next());
    EXPECT_TRUE(t.next());
    EXPECT_FALSE(t.next());
    EXPECT_TRUE(t.eof());
    EXPECT_FALSE(t.field(u"STOKNO").isValid());

    ClientTable empty;
    EXPECT_FALSE(empty.first());
    EXPECT_TRUE(empty.eof());
}

TEST(ClientTable, clearRowsKeepsColumns)
{
    ClientTable t = sampleTable();
    t.clearRows();
    EXPECT_EQ(t.rowCount(), 0);
    EXPECT_EQ(t.columnCount(), 4);
    t.appendRow({1, QStringLiteral("A"), 1.0, 2.0});
    EXPECT_EQ(t.text(0, 1), QStringLiteral("A"));
}
