#include "batch.h"

#include <QSqlError>

using namespace Qt::StringLiterals;

namespace Seed {

BatchInserter::BatchInserter(QSqlDatabase db, QString table, QStringList columns, int rowsPerStatement)
    : m_db(std::move(db))
    , m_table(std::move(table))
    , m_columns(std::move(columns))
    , m_rowsPerStatement(std::max(1, rowsPerStatement))
{
    m_pending.reserve(m_columns.size() * m_rowsPerStatement);
}

QString BatchInserter::statement(int rows) const
{
    QString one = u"("_s;
    for (int c = 0; c < m_columns.size(); ++c)
        one += c == 0 ? u"?"_s : u",?"_s;
    one += u")"_s;
    QString sql = u"INSERT INTO "_s + m_table + u" ("_s + m_columns.join(u',') + u") VALUES "_s;
    for (int r = 0; r < rows; ++r) {
        if (r > 0)
            sql += u',';
        sql += one;
    }
    return sql;
}

void BatchInserter::add(const QVariantList &row)
{
    if (!m_error.isEmpty())
        return;
    if (row.size() != m_columns.size()) {
        m_error = u"%1: %2 değer, %3 sütun"_s.arg(m_table).arg(row.size()).arg(m_columns.size());
        return;
    }
    m_pending.append(row);
    if (m_pending.size() == m_columns.size() * m_rowsPerStatement)
        flush(m_rowsPerStatement);
}

bool BatchInserter::flushPending()
{
    if (!m_error.isEmpty())
        return false;
    return flush(int(m_pending.size() / std::max<qsizetype>(1, m_columns.size())));
}

bool BatchInserter::flush(int rows)
{
    if (rows == 0)
        return true;
    for (BatchInserter *parent : std::as_const(m_parents)) {
        if (!parent->flushPending()) {
            m_error = m_table + u": "_s + parent->m_error;
            return false;
        }
    }
    QSqlQuery partial(m_db);
    QSqlQuery *query = nullptr;
    if (rows == m_rowsPerStatement) {
        if (!m_full) {
            m_full.emplace(m_db);
            if (!m_full->prepare(statement(rows))) {
                m_error = m_table + u": "_s + m_full->lastError().text();
                return false;
            }
        }
        query = &*m_full;
    } else {
        if (!partial.prepare(statement(rows))) {
            m_error = m_table + u": "_s + partial.lastError().text();
            return false;
        }
        query = &partial;
    }
    for (int i = 0; i < m_pending.size(); ++i) {
        const QVariant &value = m_pending.at(i);
        // Text columns are NOT NULL DEFAULT '': a null QString is written as empty text.
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query->bindValue(i, nullText ? QVariant(QString(u""_s)) : value);
    }
    if (!query->exec()) {
        m_error = m_table + u": "_s + query->lastError().text();
        return false;
    }
    m_pending.clear();
    return true;
}

Protocol::Expected<Protocol::Done> BatchInserter::finish()
{
    flushPending();
    m_full.reset();
    if (!m_error.isEmpty())
        return Protocol::makeError(u"Örnek veri yazılamadı: "_s + m_error);
    return Protocol::Done{};
}

} // namespace Seed
