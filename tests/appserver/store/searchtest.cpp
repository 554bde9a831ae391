// The folded search form and the catalogue's search column built from it.

#include "storefixture.h"

#include "appserver/store/folding.h"
#include "appserver/store/sql.h"

using namespace Qt::StringLiterals;

namespace StoreTest {
namespace {

TEST(Folding, TurkishLettersBecomeUpperCaseAscii)
{
    const std::pair<QString, QString> cases[] = {
        {u"çağrı"_s, u"CAGRI"_s},
        {u"ÇAĞRI"_s, u"CAGRI"_s},
        {u"İSTANBUL ışık"_s, u"ISTANBUL ISIK"_s},
        {u"ŞANZIMAN YAĞI"_s, u"SANZIMAN YAGI"_s},
        {u"DEBRİYAJ SETİ"_s, u"DEBRIYAJ SETI"_s},
        {u"amortisör"_s, u"AMORTISOR"_s},
        {u"Üçgen öğe"_s, u"UCGEN OGE"_s},
        {u"Âlâ kâğıt"_s, u"ALA KAGIT"_s},
        {u"1K0-698 151/A."_s, u"1K0-698 151/A."_s},
        {QString(), QString()},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(Store::foldForSearch(in), out) << in.toStdString();
}

using SearchColumn = StoreFixture;

TEST_F(SearchColumn, HoldsTheFoldedNamesAndCodesWithAndWithoutSeparators)
{
    auto rows =
        Store::exec(db->connection(), u"SELECT barkod, adi, digeradi, oemno, ureticikodu, arama FROM stoklar"_s);
    ASSERT_TRUE(rows);
    int checked = 0;
    while (rows->next()) {
        const QString arama = rows->value(5).toString();
        EXPECT_EQ(arama, Store::foldForSearch(arama)) << "already folded";
        for (const QChar c : arama)
            ASSERT_LT(c.unicode(), 0x80) << arama.toStdString();
        for (int col : {0, 1, 2, 3, 4})
            EXPECT_TRUE(arama.contains(Store::foldForSearch(rows->value(col).toString()))) << arama.toStdString();
        QString oemPlain = rows->value(3).toString();
        oemPlain.remove(u' ').remove(u'-').remove(u'.').remove(u'/');
        EXPECT_TRUE(arama.contains(Store::foldForSearch(oemPlain))) << arama.toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, kParts);
}

TEST_F(SearchColumn, AFoldedSearchFindsTheTurkishNames)
{
    QSqlDatabase c = db->connection();
    // What the user types, folded as the search box folds it, finds every part named with
    // the Turkish letters, and nothing else.
    for (const QString &name : {u"DEBRİYAJ"_s, u"YAĞ FİLTRESİ"_s, u"AMORTİSÖR"_s, u"ŞANZIMAN"_s}) {
        const QString typed = Store::foldForSearch(name.toLower());
        const QString namePattern = u"%"_s + name + u"%"_s;
        const QString searchPattern = u"%"_s + typed + u"%"_s;
        auto byName = Store::scalar(c, u"SELECT COUNT(*) FROM stoklar WHERE adi LIKE ? OR digeradi LIKE ?"_s,
                                    {namePattern, namePattern});
        auto bySearch = Store::scalar(c, u"SELECT COUNT(*) FROM stoklar WHERE arama LIKE ?"_s, {searchPattern});
        ASSERT_TRUE(byName && bySearch);
        EXPECT_GT(byName->toInt(), 0) << name.toStdString();
        EXPECT_EQ(bySearch->toInt(), byName->toInt()) << name.toStdString();
    }
}

} // namespace
} // namespace StoreTest
