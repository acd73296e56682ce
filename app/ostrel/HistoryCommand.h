#pragma once
// "ostrel history": a device's runs and measurements (text, --json or --csv), the devices
// whose last passed test is older than an interval (--due [--interval 12m]), and delivering
// the outbox (--sync). --db URL chooses the database as for "ostrel run".
#include "app/common/CommandLine.h"

#include <QDateTime>
#include <QTextStream>

namespace ostrel {

namespace history {
class IResultsStore;
struct HistoryRun;
} // namespace history

class HistoryCommand {
public:
    HistoryCommand(QTextStream& out, QTextStream& err);

    int Run(const CommandLine& commandLine);

    static CommandSpec Command();
    // "12m", "30d", "2w", "1y": the moment that far before now; invalid when malformed.
    static QDateTime Before(const QString& interval, const QDateTime& now);

    static QString Text(const QString& serialNumber, const std::vector<history::HistoryRun>& runs);
    static QByteArray Csv(const std::vector<history::HistoryRun>& runs);
    static QByteArray Json(const QString& serialNumber, const std::vector<history::HistoryRun>& runs);

private:
    int usage(const QString& problem);

    QTextStream& m_out;
    QTextStream& m_err;
};

} // namespace ostrel
