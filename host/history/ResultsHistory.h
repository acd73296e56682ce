#pragma once
// Writing results to the configured database without ever failing or holding up a run: what
// the database does not take (it is away, or a write fails) goes to the local outbox, and the
// outbox is delivered first, in order, at the next write, at start-up (Sync) and by
// "ostrel history --sync". A delivery repeated after a crash only rewrites the same rows.
// After a failed write, the writes of the next kRetryAfterMs go straight to the outbox: a
// server that does not answer costs a connection timeout once, not at every element (the
// window would freeze that long after each one). Sync always tries.
#include "DatabaseUrl.h"
#include "HistoryRecords.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>

namespace ostrel::history {

class IResultsStore;
class Outbox;

class ResultsHistory {
public:
    static constexpr int kRetryAfterMs = 30000;

    ResultsHistory(const DatabaseUrl& target, const QString& outboxPath);
    ~ResultsHistory();

    // Never fail: a result the database does not take waits in the outbox.
    void WriteElement(const RunRecord& run, const ElementRecord& element);
    void FinishRun(const RunRecord& run);
    // Delivers what waits; returns how many entries went in (-1: the database is still away).
    int Sync();
    // Entries waiting for this database (-1 when the outbox cannot be read).
    int Pending();

    // The open store (connecting first); fails with a HistoryError when the database is away.
    IResultsStore& Store();
    const DatabaseUrl& Target() const { return m_target; }
    // Why the last write or delivery did not reach the database ("" when it did).
    QString LastError() const { return m_lastError; }

    // How long writes go straight to the outbox after a failed one (tests shorten it).
    void SetRetryAfterMs(int ms) { m_retryAfterMs = ms; }

    // Told each time the database is away or refuses a write (a text without a password).
    std::function<void(const QString&)> onError;

    // The default places: the SQLite history and the outbox in the user's data folder.
    static QString DefaultDatabasePath();
    static QString DefaultOutboxPath();

private:
    void deliver(const QString& kind, const QByteArray& payload);
    bool attempt(const std::function<void(IResultsStore&)>& write);
    bool awayRecently() const; // a write failed less than kRetryAfterMs ago
    bool deliverPending(int* delivered = nullptr);
    void enqueue(const QString& kind, const QByteArray& payload);
    Outbox* outbox();
    void failed(const QString& text);

    DatabaseUrl m_target;
    QString m_outboxPath;
    std::unique_ptr<IResultsStore> m_store;
    std::unique_ptr<Outbox> m_outbox;
    QString m_lastError;
    QElapsedTimer m_sinceFailure; // invalid while the last write reached the database
    int m_retryAfterMs = kRetryAfterMs;
};

} // namespace ostrel::history
