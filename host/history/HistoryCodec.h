#pragma once
// The history's records as JSON: what the outbox holds until the database takes it, and what
// "ostrel history --json" prints.
#include "HistoryRecords.h"

#include <QJsonObject>

namespace ostrel::history {

class HistoryCodec {
public:
    static QJsonObject ToJson(const RunRecord& run);
    static QJsonObject ToJson(const ElementRecord& element);
    static QJsonObject ToJson(const HistoryRun& run);
    static RunRecord RunFrom(const QJsonObject& json);
    static ElementRecord ElementFrom(const QJsonObject& json);

    static QString InstrumentsText(const std::vector<InstrumentRecord>& instruments); // JSON array
    static std::vector<InstrumentRecord> InstrumentsFrom(const QString& text);
};

} // namespace ostrel::history
