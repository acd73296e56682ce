#include "HistoryCommand.h"

#include "ResultsDatabase.h"

#include "app/common/CommandLine.h"
#include "app/common/ExitCode.h"
#include "host/history/HistoryCodec.h"
#include "host/history/HistoryError.h"
#include "host/history/IResultsStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QStringList>

namespace ostrel {

namespace {

QString when(const QDateTime& time)
{
    return time.isValid() ? time.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'")) : QStringLiteral("never");
}

QString csvField(QString text)
{
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n')))
        return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return text;
}

} // namespace

HistoryCommand::HistoryCommand(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

CommandSpec HistoryCommand::Command()
{
    const auto valued = [](const char* name, const char* valueName, const char* description) {
        return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(description), QString::fromLatin1(valueName));
    };
    return CommandSpec{
        .name = QStringLiteral("history"),
        .summary = QStringLiteral("Reads the service history: a device's runs, the devices due, the outbox."),
        .description = QStringLiteral("ostrel history SERIAL [--json | --csv]   a device's runs and measurements\n"
                                      "ostrel history --due [--interval 12m]   devices whose last pass is older\n"
                                      "ostrel history --sync                   delivers the results waiting in the outbox"),
        .options = {valued("db", "URL", "The results database (default: the one configured in Settings)."),
                    QCommandLineOption(QStringLiteral("json"), QStringLiteral("Prints the history as JSON.")),
                    QCommandLineOption(QStringLiteral("csv"), QStringLiteral("Prints the history as CSV.")),
                    QCommandLineOption(QStringLiteral("due"), QStringLiteral("Lists the devices due for a test.")),
                    valued("interval", "INTERVAL", "With --due: how old a last pass may be (12m, 30d, 2w, 1y; default 12m)."),
                    QCommandLineOption(QStringLiteral("sync"), QStringLiteral("Delivers the outbox to the database."))},
        .arguments = QStringLiteral("[SERIAL]"),
        .minArguments = 0,
        .maxArguments = 1,
    };
}

QDateTime HistoryCommand::Before(const QString& interval, const QDateTime& now)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,4})([dwmy])$"));
    const auto match = pattern.match(interval.trimmed());
    if (!match.hasMatch())
        return QDateTime();
    const int count = match.captured(1).toInt();
    switch (match.captured(2).at(0).toLatin1()) {
    case 'd':
        return now.addDays(-count);
    case 'w':
        return now.addDays(-7 * count);
    case 'm':
        return now.addMonths(-count);
    default:
        return now.addYears(-count);
    }
}

int HistoryCommand::usage(const QString& problem)
{
    m_err << "ostrel history: error: " << problem << '\n';
    m_err.flush();
    return exitcode::kUsage;
}

QString HistoryCommand::Text(const QString& serialNumber, const std::vector<history::HistoryRun>& runs)
{
    if (runs.empty())
        return QStringLiteral("No runs of device %1.\n").arg(serialNumber);
    const auto& device = runs.back().run.device;
    QString text = QStringLiteral("Device %1").arg(device.serialNumber);
    if (!device.model.isEmpty())
        text += QStringLiteral(", model %1").arg(device.model);
    if (!device.location.isEmpty())
        text += QStringLiteral(", at %1").arg(device.location);
    text += QStringLiteral(": %1 run(s)\n").arg(runs.size());
    for (const auto& run : runs) {
        text += QStringLiteral("\n%1  %2  %3").arg(when(run.run.started), (run.run.verdict.isEmpty() ? QStringLiteral("(running)")
                                                                                                    : run.run.verdict),
                                                   run.run.title);
        if (!run.run.technician.isEmpty())
            text += QStringLiteral("  by %1").arg(run.run.technician);
        for (const auto& instrument : run.run.instruments)
            text += QStringLiteral("  with %1 %2 (firmware %3)").arg(instrument.name, instrument.serialNumber, instrument.firmware);
        text += QLatin1Char('\n');
        for (const auto& element : run.elements) {
            text += QStringLiteral("  %1. %2  %3\n").arg(element.position).arg(element.name, element.status);
            for (const auto& m : element.measurements) {
                QString line = QStringLiteral("       %1 %2").arg(m.key, m.valueText);
                if (!m.unit.isEmpty())
                    line += QLatin1Char(' ') + m.unit;
                if (!m.limits.isEmpty())
                    line += QStringLiteral("  [%1]").arg(m.limits);
                text += line + QStringLiteral("  %1\n").arg(m.status);
            }
        }
    }
    return text;
}

QByteArray HistoryCommand::Csv(const std::vector<history::HistoryRun>& runs)
{
    QStringList lines{QStringLiteral("Serial,Run,Started,Verdict,Technician,Position,Element,Element status,Key,Value,Unit,"
                                     "Limits,Low,High,Standard,Status")};
    const auto number = [](const std::optional<double>& value) { return value ? QString::number(*value) : QString(); };
    for (const auto& run : runs)
        for (const auto& element : run.elements)
            for (const auto& m : element.measurements) {
                QStringList fields{run.run.device.serialNumber, run.run.runId, run.run.started.toUTC().toString(Qt::ISODate),
                                   run.run.verdict, run.run.technician, QString::number(element.position), element.name,
                                   element.status, m.key, m.valueText, m.unit, m.limits, number(m.limitLow),
                                   number(m.limitHigh), m.standard, m.status};
                for (auto& field : fields)
                    field = csvField(field);
                lines << fields.join(QLatin1Char(','));
            }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QByteArray HistoryCommand::Json(const QString& serialNumber, const std::vector<history::HistoryRun>& runs)
{
    QJsonArray array;
    for (const auto& run : runs)
        array.append(history::HistoryCodec::ToJson(run));
    return QJsonDocument(QJsonObject{{QStringLiteral("serialNumber"), serialNumber}, {QStringLiteral("runs"), array}}).toJson();
}

int HistoryCommand::Run(const CommandLine& commandLine)
{
    const QString serial = commandLine.Arguments().value(0);
    const QString database = commandLine.Value(QStringLiteral("db"));
    const QString interval =
        commandLine.IsSet(QStringLiteral("interval")) ? commandLine.Value(QStringLiteral("interval")) : QStringLiteral("12m");
    const QString format = commandLine.IsSet(QStringLiteral("json"))  ? QStringLiteral("--json")
                           : commandLine.IsSet(QStringLiteral("csv")) ? QStringLiteral("--csv")
                                                                      : QString();
    const bool due = commandLine.IsSet(QStringLiteral("due"));
    const bool sync = commandLine.IsSet(QStringLiteral("sync"));
    if (int(due) + int(sync) + int(!serial.isEmpty()) != 1)
        return usage(QStringLiteral("give a serial number, --due or --sync"));
    const QDateTime before = Before(interval, QDateTime::currentDateTimeUtc());
    if (!before.isValid())
        return usage(QStringLiteral("--interval needs a number and d, w, m or y (\"12m\"), not \"%1\"").arg(interval));

    try {
        auto history = ResultsDatabase::Open(database);
        if (sync) {
            const int delivered = history->Sync();
            const int waiting = history->Pending();
            m_out << "Delivered " << std::max(0, delivered) << " waiting result(s) to " << history->Target().Redacted() << "; "
                  << waiting << " still waiting.\n";
            if (delivered < 0)
                m_err << "ostrel history: " << history->LastError() << '\n';
            m_out.flush();
            m_err.flush();
            return waiting == 0 ? exitcode::kPassed : exitcode::kFailed;
        }
        // What waits in the outbox belongs in the answer.
        history->Sync();
        auto& store = history->Store();
        if (due) {
            for (const auto& device : store.DueDevices(before))
                m_out << device.device.serialNumber << '\t' << device.device.model << '\t' << device.device.location
                      << "\tlast passed: " << when(device.lastPassed) << "\tlast run: " << when(device.lastRun) << '\n';
        } else {
            const auto runs = store.DeviceHistory(serial);
            if (format == QLatin1String("--json"))
                m_out << QString::fromUtf8(Json(serial, runs));
            else if (format == QLatin1String("--csv"))
                m_out << QString::fromUtf8(Csv(runs));
            else
                m_out << Text(serial, runs);
        }
        m_out.flush();
        return exitcode::kPassed;
    } catch (const history::HistoryError& error) {
        m_err << "ostrel history: " << error.Text() << '\n';
        m_err.flush();
        return exitcode::kUsage;
    }
}

} // namespace ostrel
