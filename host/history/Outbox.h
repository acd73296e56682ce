#pragma once
// Results that the database did not take yet, kept in order in a local SQLite file until they
// are delivered. Each entry names the database it is for (without a password), so a bench that
// changes its database never sends one database's results to another.
#include <QByteArray>
#include <QString>
#include <optional>

#include "SqlSession.h"

namespace ostrel::history {

class Outbox {
public:
    struct Entry {
        qint64 seq = 0;
        QString kind; // "element" or "run"
        QByteArray payload;
    };

    // Opens (or creates) the file; fails with a HistoryError.
    explicit Outbox(const QString& path);

    void Add(const QString& target, const QString& kind, const QByteArray& payload);
    std::optional<Entry> First(const QString& target);
    void Remove(qint64 seq);
    int Count(const QString& target);

private:
    SqlSession m_session;
};

} // namespace ostrel::history
