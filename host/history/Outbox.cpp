#include "Outbox.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace ostrel::history {

namespace {
DatabaseUrl fileUrl(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return DatabaseUrl::SQLiteFile(path);
}
} // namespace

Outbox::Outbox(const QString& path) : m_session(fileUrl(path))
{
    // AUTOINCREMENT: a number is never given twice, so the order holds across deliveries.
    m_session.Exec(QStringLiteral("CREATE TABLE IF NOT EXISTS outbox (seq INTEGER PRIMARY KEY AUTOINCREMENT,"
                                  " target TEXT NOT NULL, kind TEXT NOT NULL, payload BLOB NOT NULL, queued TEXT)"));
}

void Outbox::Add(const QString& target, const QString& kind, const QByteArray& payload)
{
    m_session.Exec(QStringLiteral("INSERT INTO outbox (target, kind, payload, queued) VALUES (?, ?, ?, ?)"),
                   {target, kind, payload, QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)});
}

std::optional<Outbox::Entry> Outbox::First(const QString& target)
{
    QSqlQuery& query = m_session.Exec(
        QStringLiteral("SELECT seq, kind, payload FROM outbox WHERE target = ? ORDER BY seq LIMIT 1"), {target});
    if (!query.next())
        return std::nullopt;
    Entry entry{query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toByteArray()};
    query.finish();
    return entry;
}

void Outbox::Remove(qint64 seq)
{
    m_session.Exec(QStringLiteral("DELETE FROM outbox WHERE seq = ?"), {seq});
}

int Outbox::Count(const QString& target)
{
    QSqlQuery& query = m_session.Exec(QStringLiteral("SELECT COUNT(*) FROM outbox WHERE target = ?"), {target});
    const int count = query.next() ? query.value(0).toInt() : 0;
    query.finish();
    return count;
}

} // namespace ostrel::history
