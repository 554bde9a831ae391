// The account statement against the real server: its rows reconcile with the invoices and
// collections behind them, and a card payment's receipt is a real PDF of the announced size.

#include "methodcalls.h"

#include <QSqlQuery>

using namespace MethodTests;
using namespace Qt::StringLiterals;
using Protocol::ColumnKind;

namespace {

class Statement : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_server = new Support::AppServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_server->ok()) << s_server->error().toStdString(); }

    Calls calls() const { return Calls(*s_server); }

    static Support::AppServer *s_server;
};

Support::AppServer *Statement::s_server = nullptr;

TEST_F(Statement, ColumnsAreThoseTheTabRelies)
{
    const Protocol::ClientTable rows = calls().table("CariEkstreVer", {qint32(1)});
    ASSERT_GT(rows.rowCount(), 0);
    const struct
    {
        const char *name;
        ColumnKind kind;
    } columns[] = {{"CARINO", ColumnKind::Int32}, {"TARIH", ColumnKind::DateTime}, {"TURADI", ColumnKind::Text},
                   {"EVRAK", ColumnKind::Text},   {"BORC", ColumnKind::Float},     {"ALACAK", ColumnKind::Float},
                   {"KUR", ColumnKind::Text},     {"BAKIYE", ColumnKind::Float},   {"D", ColumnKind::Text},
                   {"IDNO", ColumnKind::Int32},   {"ACIKLAMA", ColumnKind::Text}};
    for (const auto &c : columns) {
        const int index = rows.columnIndex(QString::fromLatin1(c.name));
        ASSERT_GE(index, 0) << c.name;
        EXPECT_EQ(rows.column(index).kind, c.kind) << c.name;
    }
    // The invoice window reads its header from the first line and its totals from one row.
    const Protocol::ClientTable invoice = calls().table("FaturaGetir", {qint32(0), qint32(0)});
    for (const char *name : {"STOKHAR_HAREKETTARIHI", "STOKHAR_HAREKETTIPI2", "SATICIADI", "EVRAKNO", "STOKHAR_VADE",
                             "OEMNO", "STOKADI", "STOKHAR_MIKTAR", "STOKHAR_NETTLTUTAR", "STOKHAR_INDIRIM8", "IDNO"})
        EXPECT_TRUE(invoice.hasColumn(QString::fromLatin1(name))) << name;
    const Protocol::ClientTable totals = calls().table("FaturaAltGetir", {qint32(0)});
    for (const char *name : {"TOPLAM", "TOPLAMINDIRIM", "MATRAH", "KDVDAHIL", "KDVTUTAR"}) {
        ASSERT_TRUE(totals.hasColumn(QString::fromLatin1(name))) << name;
        EXPECT_EQ(totals.column(totals.columnIndex(QString::fromLatin1(name))).kind, ColumnKind::Float) << name;
    }
    const Protocol::ClientTable collection = calls().table("Tahsilat", {qint32(0)});
    for (const QString &name : {u"Tarih"_s, u"Türü"_s, u"Cins"_s, u"Vade"_s, u"Tutar"_s, u"Açıklama"_s, u"EvrakNo"_s,
                                u"Ref"_s, u"Saat"_s, u"Kur"_s, u"KurTL"_s, u"Döviz Tutar"_s})
        EXPECT_TRUE(collection.hasColumn(name)) << name.toStdString();
}

// Every statement row stands for a document whose own figures give its debit or credit,
// and the rows' sum is the balance the payment page is given.
TEST_F(Statement, RowsReconcileWithTheirDocuments)
{
    for (const qint32 carino : {qint32(1), qint32(2), qint32(7)}) {
        SCOPED_TRACE(carino);
        const Protocol::ClientTable rows = calls().table("CariEkstreVer", {carino});
        ASSERT_GT(rows.rowCount(), 0);
        int invoices = 0, collections = 0;
        double balance = 0;
        QDateTime previous;
        for (int r = 0; r < rows.rowCount(); ++r) {
            EXPECT_EQ(integer(rows, r, "CARINO"), carino);
            const QDateTime day = cell(rows, r, "TARIH").toDateTime();
            if (previous.isValid()) {
                EXPECT_GE(day, previous) << "statement order";
            }
            previous = day;
            const double debit = number(rows, r, "BORC");
            const double credit = number(rows, r, "ALACAK");
            balance += debit - credit;
            const QString type = text(rows, r, "TURADI");
            const qint32 idno = qint32(integer(rows, r, "IDNO"));
            if (type.contains(u"Fatura"_s)) {
                ++invoices;
                const Protocol::ClientTable totals = calls().table("FaturaAltGetir", {idno});
                ASSERT_EQ(totals.rowCount(), 1) << idno;
                EXPECT_NEAR(number(totals, 0, "KDVDAHIL"), debit, 0.005) << idno;
                EXPECT_NEAR(number(totals, 0, "MATRAH") + number(totals, 0, "KDVTUTAR"), debit, 0.005);
                EXPECT_NEAR(number(totals, 0, "TOPLAM") - number(totals, 0, "TOPLAMINDIRIM"),
                            number(totals, 0, "MATRAH"), 0.005);
                const Protocol::ClientTable lines = calls().table("FaturaGetir", {carino, idno});
                ASSERT_GT(lines.rowCount(), 0) << idno;
                double net = 0, tax = 0;
                for (int l = 0; l < lines.rowCount(); ++l) {
                    net += number(lines, l, "STOKHAR_NETTLTUTAR");
                    tax += number(lines, l, "STOKHAR_TLVERGI");
                }
                EXPECT_NEAR(net, number(totals, 0, "MATRAH"), 0.01);
                EXPECT_NEAR(tax, number(totals, 0, "KDVTUTAR"), 0.01);
                EXPECT_EQ(text(lines, 0, "EVRAKNO"), text(rows, r, "EVRAK"));
                EXPECT_FALSE(text(lines, 0, "SATICIADI").isEmpty());
                // Nothing of it for another customer's number.
                EXPECT_EQ(calls().table("FaturaGetir", {qint32(carino + 1), idno}).rowCount(), 0);
            } else if (type == u"Tahsilat"_s || type == u"Tediye"_s) {
                ++collections;
                const Protocol::ClientTable parts = calls().table("Tahsilat", {idno});
                ASSERT_GT(parts.rowCount(), 0) << idno;
                double sum = 0;
                for (int p = 0; p < parts.rowCount(); ++p)
                    sum += number(parts, p, "Tutar");
                EXPECT_NEAR(sum, type == u"Tahsilat"_s ? credit : debit, 0.005) << idno;
                EXPECT_EQ(text(parts, 0, "Türü"), type);
                EXPECT_EQ(text(parts, 0, "EvrakNo"), text(rows, r, "EVRAK"));
            }
        }
        EXPECT_GT(invoices, 0);
        EXPECT_GT(collections, 0);
        const Protocol::Value shown = calls().value("CariDurumVer", {carino});
        ASSERT_TRUE(std::holds_alternative<QString>(shown));
        EXPECT_NEAR(std::get<QString>(shown).toDouble(), balance, 0.005);
    }
}

// A collection paid by card through the payment page has a receipt: a PDF whose announced
// size is its length. Other rows have none, and an unknown receipt number answers size 0.
TEST_F(Statement, CardPaymentReceiptIsAPdfOfTheAnnouncedSize)
{
    int receipts = 0;
    int withoutReceipt = 0;
    for (qint32 carino = 1; carino <= 12 && receipts < 2; ++carino) {
        const Protocol::ClientTable rows = calls().table("CariEkstreVer", {carino});
        for (int r = 0; r < rows.rowCount(); ++r) {
            const qint32 idno = qint32(integer(rows, r, "IDNO"));
            const Protocol::Value number = calls().value("SanalposSiranoVer", {idno});
            ASSERT_TRUE(std::holds_alternative<qint32>(number));
            const qint32 sirano = std::get<qint32>(number);
            if (sirano <= 0) {
                ++withoutReceipt;
                continue;
            }
            EXPECT_EQ(text(rows, r, "TURADI"), u"Tahsilat"_s);
            auto answer = calls().call("SAnalPosPdfVer", {sirano});
            ASSERT_TRUE(answer) << answer.error().message.toStdString();
            ASSERT_EQ(answer->size(), 2u);
            const qint64 size = std::get<qint64>(answer->at(0));
            const auto &stream = std::get<Protocol::Stream>(answer->at(1));
            EXPECT_TRUE(stream.bytes.startsWith("%PDF")) << stream.bytes.left(16).toStdString();
            EXPECT_EQ(size, stream.bytes.size());
            EXPECT_GT(size, 200);
            ++receipts;
        }
    }
    EXPECT_GT(receipts, 0) << "the demo data has card payments";
    EXPECT_GT(withoutReceipt, 0);

    for (const qint32 unknown : {qint32(0), qint32(-1), qint32(999999)}) {
        auto answer = calls().call("SAnalPosPdfVer", {unknown});
        ASSERT_TRUE(answer) << answer.error().message.toStdString();
        EXPECT_EQ(std::get<qint64>(answer->at(0)), 0);
        EXPECT_TRUE(std::get<Protocol::Stream>(answer->at(1)).bytes.isEmpty());
        EXPECT_EQ(std::get<qint32>(calls().value("SanalposSiranoVer", {unknown})), 0);
    }
}

// A card payment stored without its receipt (as the payment page leaves it) gets one made
// when it is asked for.
TEST_F(Statement, MissingReceiptIsMadeOnDemand)
{
    qint32 sirano = 0;
    {
        const DatabaseView view(*s_server, true);
        QSqlQuery insert(view.db());
        ASSERT_TRUE(insert.prepare(u"INSERT INTO sanalpos (carino, tarih, tutar, kart_sahibi, kart_no, onay_kodu)"
                                   u" VALUES (1, '2025-01-10 10:00:00', 1234.5, 'ŞÜKRÜ ÇELİK', '5890 **** **** 1234',"
                                   u" '654321') RETURNING sirano"_s));
        ASSERT_TRUE(insert.exec() && insert.next());
        sirano = insert.value(0).toInt();
    }
    auto answer = calls().call("SAnalPosPdfVer", {sirano});
    ASSERT_TRUE(answer) << answer.error().message.toStdString();
    const qint64 size = std::get<qint64>(answer->at(0));
    const QByteArray &bytes = std::get<Protocol::Stream>(answer->at(1)).bytes;
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(size, bytes.size());
}

// Numbers that name nothing give empty tables, never an error or a crash.
TEST_F(Statement, UnknownNumbersGiveEmptyTables)
{
    const struct
    {
        const char *operation;
        Values inputs;
    } cases[] = {
        {"CariEkstreVer", {qint32(-1)}},          {"CariEkstreVer", {qint32(2147483647)}},
        {"FaturaGetir", {qint32(1), qint32(-7)}}, {"FaturaAltGetir", {qint32(-2147483647 - 1)}},
        {"Tahsilat", {qint32(999999)}},
    };
    for (const auto &c : cases) {
        auto answer = calls().call(c.operation, c.inputs);
        ASSERT_TRUE(answer) << c.operation << ": " << answer.error().message.toStdString();
        const auto *table = std::get_if<Protocol::ClientTable>(&answer->back());
        ASSERT_NE(table, nullptr) << c.operation;
        EXPECT_EQ(table->rowCount(), 0) << c.operation;
        EXPECT_GT(table->columnCount(), 0) << c.operation;
    }
    EXPECT_EQ(std::get<QString>(calls().value("CariDurumVer", {qint32(-1)})), QString());
}

} // namespace
