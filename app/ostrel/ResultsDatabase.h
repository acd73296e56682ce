#pragma once
// Which results database this bench writes to: "--db URL" on the command line, else
// $OSTREL_DB, else the "Results database" setting, else the SQLite file in the user's data
// folder. The outbox is always the local one.
#include "host/history/ResultsHistory.h"

#include <memory>

namespace ostrel {

class ResultsDatabase {
public:
    // The address as configured ("" for the default SQLite file).
    static QString Setting();
    static void SetSetting(const QString& url);

    // Fails with a history::HistoryError when the address is malformed.
    static history::DatabaseUrl Resolve(const QString& commandLine = QString());
    static std::unique_ptr<history::ResultsHistory> Open(const QString& commandLine = QString());
};

} // namespace ostrel
