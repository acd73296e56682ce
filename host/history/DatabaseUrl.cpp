#include "DatabaseUrl.h"

#include "HistoryError.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace ostrel::history {

DatabaseUrl DatabaseUrl::SQLiteFile(const QString& path)
{
    DatabaseUrl url;
    url.m_kind = Kind::SQLite;
    url.m_path = path;
    return url;
}

DatabaseUrl DatabaseUrl::Parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        throw HistoryError(QStringLiteral("no database given"));
    if (trimmed.startsWith(QLatin1String("sqlite:"))) {
        QString path = trimmed.mid(7);
        if (path.startsWith(QLatin1String("//")))
            path = path.mid(2);
        if (path.isEmpty())
            throw HistoryError(QStringLiteral("the SQLite database needs a file (sqlite:/path/history.sqlite)"));
        return SQLiteFile(path);
    }
    if (!trimmed.startsWith(QLatin1String("postgresql://")) && !trimmed.startsWith(QLatin1String("postgres://"))) {
        if (trimmed.contains(QLatin1String("://")))
            throw HistoryError(QStringLiteral("unknown kind of database \"%1\" (postgresql:// or sqlite:)")
                                   .arg(trimmed.section(QLatin1String("://"), 0, 0)));
        return SQLiteFile(trimmed);
    }
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid())
        throw HistoryError(QStringLiteral("the database address is not a valid URL"));
    DatabaseUrl result;
    result.m_kind = Kind::PostgreSQL;
    result.m_user = url.userName(QUrl::FullyDecoded);
    result.m_password = url.password(QUrl::FullyDecoded);
    result.m_host = url.host(QUrl::FullyDecoded);
    result.m_port = url.port(-1);
    result.m_database = url.path(QUrl::FullyDecoded).mid(1);
    QStringList options;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host"))
            result.m_host = value; // a socket folder
        else if (key == QLatin1String("user"))
            result.m_user = value;
        else if (key == QLatin1String("password"))
            result.m_password = value;
        else if (key == QLatin1String("port"))
            result.m_port = value.toInt();
        else
            options << key + QLatin1Char('=') + value;
    }
    // A server that is away or stuck must not hold up a run for long.
    if (!options.join(QLatin1Char(';')).contains(QLatin1String("connect_timeout=")))
        options << QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutS);
    if (!options.join(QLatin1Char(';')).contains(QLatin1String("options=")))
        options << QStringLiteral("options='-c statement_timeout=%1'").arg(kStatementTimeoutMs);
    result.m_options = options.join(QLatin1Char(';'));
    if (result.m_database.isEmpty())
        throw HistoryError(QStringLiteral("the PostgreSQL address names no database (postgresql://host/dbname)"));
    return result;
}

QString DatabaseUrl::Redacted() const
{
    if (m_kind == Kind::SQLite)
        return QStringLiteral("sqlite:") + m_path;
    QString text = QStringLiteral("postgresql://");
    if (!m_user.isEmpty())
        text += m_user + (m_password.isEmpty() ? QString() : QStringLiteral(":***")) + QLatin1Char('@');
    const bool socket = m_host.startsWith(QLatin1Char('/'));
    if (!socket)
        text += m_host;
    if (m_port >= 0)
        text += QLatin1Char(':') + QString::number(m_port);
    text += QLatin1Char('/') + m_database;
    if (socket)
        text += QStringLiteral("?host=") + m_host;
    return text;
}

QSqlDatabase DatabaseUrl::AddConnection(const QString& connectionName) const
{
    if (m_kind == Kind::SQLite) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(m_path);
        // Several benches' processes may share the file: wait for a lock instead of failing.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        return db;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setDatabaseName(m_database);
    if (!m_host.isEmpty())
        db.setHostName(m_host);
    if (m_port >= 0)
        db.setPort(m_port);
    if (!m_user.isEmpty())
        db.setUserName(m_user);
    if (!m_password.isEmpty())
        db.setPassword(m_password);
    db.setConnectOptions(m_options);
    return db;
}

} // namespace ostrel::history
