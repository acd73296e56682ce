#include "HistorySchema.h"

#include "HistoryError.h"
#include "SqlSession.h"

#include <QSqlQuery>
#include <QStringList>

namespace ostrel::history {

namespace {

// The same tables for both kinds of database; only the row identity is written differently.
QString dialect(const SqlSession& session, QString sql)
{
    return sql.replace(QLatin1String("%ID%"), session.IsPostgreSQL() ? QStringLiteral("BIGSERIAL PRIMARY KEY")
                                                                     : QStringLiteral("INTEGER PRIMARY KEY"));
}

const QStringList kVersion1 = {
    QStringLiteral("CREATE TABLE devices (id %ID%, serial_number TEXT NOT NULL UNIQUE, model TEXT, location TEXT)"),
    QStringLiteral("CREATE TABLE runs (id %ID%, run_uid TEXT NOT NULL UNIQUE, device_id BIGINT NOT NULL REFERENCES devices(id),"
                   " title TEXT, started TEXT, ended TEXT, technician TEXT, software_version TEXT, instruments TEXT,"
                   " verdict TEXT)"),
    QStringLiteral("CREATE TABLE elements (id %ID%, run_id BIGINT NOT NULL REFERENCES runs(id), element_id INTEGER NOT NULL,"
                   " position INTEGER, name TEXT, test_type INTEGER, status TEXT, started TEXT, ended TEXT, comment TEXT,"
                   " UNIQUE (run_id, element_id))"),
    QStringLiteral("CREATE TABLE measurements (id %ID%, element_row BIGINT NOT NULL REFERENCES elements(id) ON DELETE CASCADE,"
                   " seq INTEGER NOT NULL, key TEXT, description TEXT, value DOUBLE PRECISION, value_text TEXT, preset TEXT,"
                   " unit TEXT, limits TEXT, status TEXT, flags TEXT)"),
    QStringLiteral("CREATE INDEX measurements_element ON measurements (element_row)"),
};

const QStringList kVersion2 = {
    QStringLiteral("ALTER TABLE measurements ADD COLUMN limit_low DOUBLE PRECISION"),
    QStringLiteral("ALTER TABLE measurements ADD COLUMN limit_high DOUBLE PRECISION"),
    QStringLiteral("ALTER TABLE measurements ADD COLUMN standard TEXT"),
    QStringLiteral("CREATE INDEX runs_device_started ON runs (device_id, started)"),
};

} // namespace

int HistorySchema::Version(SqlSession& session)
{
    if (!session.Database().tables().contains(QStringLiteral("schema_version")))
        return 0;
    QSqlQuery query = session.Exec(QStringLiteral("SELECT MAX(version) FROM schema_version"));
    return query.next() ? query.value(0).toInt() : 0;
}

void HistorySchema::step(SqlSession& session, int version)
{
    const QStringList& statements = version == 1 ? kVersion1 : kVersion2;
    for (const auto& sql : statements)
        session.Exec(dialect(session, sql));
    session.Exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"), {version});
}

void HistorySchema::Migrate(SqlSession& session, int target)
{
    session.InTransaction([&] {
        // Benches starting together on a new server take turns; the loser finds the work done.
        if (session.IsPostgreSQL())
            session.Exec(QStringLiteral("SELECT pg_advisory_xact_lock(4410)"));
        session.Exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"));
        QSqlQuery query = session.Exec(QStringLiteral("SELECT MAX(version) FROM schema_version"));
        const int current = query.next() ? query.value(0).toInt() : 0;
        query.finish();
        if (current > kVersion)
            throw HistoryError(QStringLiteral("%1: the results database is of version %2, newer than this program's %3")
                                   .arg(session.Url().Redacted())
                                   .arg(current)
                                   .arg(kVersion));
        for (int version = current + 1; version <= target; ++version)
            step(session, version);
    });
}

} // namespace ostrel::history
