#pragma once
// One open connection to the results database with the few things every user of it needs:
// statements that fail with a HistoryError, and transactions that take the write lock at the
// start (so two processes never deadlock halfway through).
#include "DatabaseUrl.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <initializer_list>
#include <map>

namespace ostrel::history {

class SqlSession {
public:
    // Connects; fails with a HistoryError (the redacted address and the driver's reason).
    explicit SqlSession(const DatabaseUrl& url);
    ~SqlSession();
    SqlSession(const SqlSession&) = delete;
    SqlSession& operator=(const SqlSession&) = delete;

    const DatabaseUrl& Url() const { return m_url; }
    bool IsPostgreSQL() const { return m_url.IsPostgreSQL(); }
    QSqlDatabase Database() const;

    QSqlQuery Prepare(const QString& sql);
    // The statement prepared once a session and kept.
    QSqlQuery& Prepared(const QString& sql);
    // Runs a prepared statement with these values bound in order.
    void Exec(QSqlQuery& query, std::initializer_list<QVariant> values = {});
    // A statement without values (transactions, schema changes).
    QSqlQuery Exec(const QString& sql);
    // With values, the statement is prepared once a session and kept: a server then parses
    // it once. Its result must be finished before the next statement (the PostgreSQL driver
    // streams rows).
    QSqlQuery& Exec(const QString& sql, std::initializer_list<QVariant> values);

    void Begin();
    // A snapshot for reading; writers go on meanwhile.
    void BeginRead();
    void Commit();
    void Rollback() noexcept;

    // Runs body in one transaction: all of it or, on a failure, nothing.
    template <typename Body> void InTransaction(Body&& body, bool readOnly = false)
    {
        readOnly ? BeginRead() : Begin();
        try {
            body();
            Commit();
        } catch (...) {
            Rollback();
            throw;
        }
    }

    [[noreturn]] void Fail(const QString& what, const QSqlError& error) const;

private:
    DatabaseUrl m_url;
    QString m_connection;
    std::map<QString, QSqlQuery> m_prepared;
};

} // namespace ostrel::history
