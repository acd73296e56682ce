#include "SqlSession.h"

#include "HistoryError.h"

#include <QSqlError>
#include <QUuid>

namespace ostrel::history {

SqlSession::SqlSession(const DatabaseUrl& url)
    : m_url(url), m_connection(QStringLiteral("ostrel-history-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = m_url.AddConnection(m_connection);
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw HistoryError(QStringLiteral("%1: cannot connect: %2").arg(m_url.Redacted(), error.text()));
    }
    if (!m_url.IsPostgreSQL()) {
        // Readers go on while a bench writes; a crash leaves the last committed element.
        Exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        Exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    }
}

SqlSession::~SqlSession()
{
    m_prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase SqlSession::Database() const
{
    return QSqlDatabase::database(m_connection, false);
}

void SqlSession::Fail(const QString& what, const QSqlError& error) const
{
    throw HistoryError(QStringLiteral("%1: %2: %3").arg(m_url.Redacted(), what, error.text()));
}

QSqlQuery SqlSession::Prepare(const QString& sql)
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        Fail(sql.section(QLatin1Char(' '), 0, 2), query.lastError());
    return query;
}

void SqlSession::Exec(QSqlQuery& query, std::initializer_list<QVariant> values)
{
    int i = 0;
    for (const auto& value : values)
        query.bindValue(i++, value);
    if (!query.exec())
        Fail(query.lastQuery().section(QLatin1Char(' '), 0, 2), query.lastError());
}

QSqlQuery& SqlSession::Prepared(const QString& sql)
{
    auto kept = m_prepared.find(sql);
    if (kept == m_prepared.end())
        kept = m_prepared.emplace(sql, Prepare(sql)).first;
    return kept->second;
}

QSqlQuery& SqlSession::Exec(const QString& sql, std::initializer_list<QVariant> values)
{
    QSqlQuery& query = Prepared(sql);
    Exec(query, values);
    return query;
}

QSqlQuery SqlSession::Exec(const QString& sql)
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.exec(sql))
        Fail(sql.section(QLatin1Char(' '), 0, 2), query.lastError());
    return query;
}

void SqlSession::Begin()
{
    Exec(IsPostgreSQL() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

void SqlSession::BeginRead()
{
    Exec(IsPostgreSQL() ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY") : QStringLiteral("BEGIN"));
}

void SqlSession::Commit()
{
    Exec(QStringLiteral("COMMIT"));
}

void SqlSession::Rollback() noexcept
{
    // A connection that has gone away has no transaction left to roll back.
    QSqlQuery query(Database());
    query.exec(QStringLiteral("ROLLBACK"));
}

} // namespace ostrel::history
