#pragma once
// The service history in an SQLite file or a PostgreSQL database, through Qt SQL. Opening
// connects and brings the schema to the current version.
#include "IResultsStore.h"
#include "SqlSession.h"

namespace ostrel::history {

class SqlResultsStore : public IResultsStore {
public:
    static constexpr char kPassed[] = "PASSED"; // the run verdict that ends a device's due time

    explicit SqlResultsStore(const DatabaseUrl& url);

    void WriteElement(const RunRecord& run, const ElementRecord& element) override;
    void FinishRun(const RunRecord& run) override;
    std::vector<HistoryRun> DeviceHistory(const QString& serialNumber) override;
    std::vector<DueDevice> DueDevices(const QDateTime& passedBefore) override;

    SqlSession& Session() { return m_session; }

    // Times are stored as UTC ISO texts with milliseconds, so they sort as text on both kinds.
    static QVariant TimeValue(const QDateTime& time);
    static QDateTime TimeFrom(const QVariant& value);

private:
    qint64 writeRun(const RunRecord& run);
    void killedInWrite();

    SqlSession m_session;
    int m_elementWrites = 0;
};

} // namespace ostrel::history
