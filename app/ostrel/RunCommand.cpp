#include "RunCommand.h"

#include <algorithm>
#include <unordered_map>

#include "AppEnvironment.h"
#include "AutoOperator.h"
#include "CommandLineErrors.h"
#include "HistoryListener.h"
#include "PlugInHost.h"
#include "ReportBuilder.h"
#include "ResultsDatabase.h"
#include "ResultExporter.h"
#include "RunStopper.h"
#include "SequenceDocument.h"
#include "SequenceResults.h"
#include "SequenceRunner.h"
#include "StandardsCatalog.h"
#include "StopSignals.h"

#include "app/common/CommandLine.h"
#include "app/common/ExitCode.h"

#include "host/core/ComError.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/datalink/LinkTrace.h"
#include "host/datalink/VirtualDevices.h"
#include "host/history/HistoryError.h"
#include "host/results/Progress.h"
#include "host/results/Report.h"

#include <QStringList>

namespace ostrel {

RunCommand::RunCommand(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

RunCommand::~RunCommand() = default;

int RunCommand::Run(const QStringList& args)
{
    CommandLine commandLine(QStringLiteral("ostrel"), QString());
    commandLine.AddCommand(RunOptions::Command());
    if (!commandLine.Parse(QStringList{QStringLiteral("run")} + args, m_out, m_err))
        return commandLine.ExitCode();
    return Run(commandLine);
}

int RunCommand::Run(const CommandLine& commandLine)
{
    RunOptions options;
    try {
        options = RunOptions::From(commandLine);
    } catch (const ComError& failure) {
        return commandLine.Fail(m_err, failure.description());
    }
    return Run(options);
}

QString RunCommand::ElementLine(const ElementResult& result, int count)
{
    QStringList values;
    for (const auto& row : result.measurements) {
        if (row.value.isEmptyOrNull())
            continue;
        // As the report and the window show it: "Released", not "True".
        QString text = row.key + QLatin1Char(' ') + SequenceResults::DisplayText(row);
        if (!row.unit.isEmpty())
            text += QLatin1Char(' ') + row.unit;
        if (row.status == 2)
            text += QStringLiteral(" (failed)");
        values << text;
    }
    // One multi-argument arg: a name or value holding "%1" is text, never a place for the next.
    return QStringLiteral("[%1/%2] %3  %4  %5")
        .arg(QString::number(result.position), QString::number(count), result.name.leftJustified(28, QLatin1Char('.')),
             SequenceResults::ElementStatusText(result).toUpper().leftJustified(13), values.join(QStringLiteral(", ")))
        .trimmed();
}

QString RunCommand::SummaryTable(const std::vector<ElementResult>& results)
{
    // The element column is as wide as the longest name, so no name is cut.
    int nameWidth = 30;
    for (const auto& result : results)
        nameWidth = std::max(nameWidth, static_cast<int>(result.name.size()));
    QString text = QStringLiteral("  #  %1 %2 %3\n")
                       .arg(QStringLiteral("Element").leftJustified(nameWidth), QStringLiteral("Status").leftJustified(14),
                            QStringLiteral("Measurements"));
    for (const auto& result : results) {
        int failed = 0;
        for (const auto& row : result.measurements)
            failed += row.status == 2 ? 1 : 0;
        const QString count = failed ? QString::number(result.measurements.size()) + QStringLiteral(" (") +
                                           QString::number(failed) + QStringLiteral(" failed)")
                                     : QString::number(result.measurements.size());
        text += QStringLiteral("%1  %2 %3 %4\n")
                    .arg(QString::number(result.position).rightJustified(3), result.name.leftJustified(nameWidth),
                         SequenceResults::ElementStatusText(result).leftJustified(14), count);
    }
    text += QStringLiteral("Overall: %1\n").arg(SequenceResults::VerdictText(SequenceResults::Overall(results)));
    return text;
}

int RunCommand::Run(const RunOptions& options)
{
    try {
        options.CheckOutputs(); // before anything runs, not after the run
    } catch (const ComError& failure) {
        m_err << "ostrel run: error: " << failure.description() << '\n';
        m_err.flush();
        return kExitError;
    }
    // Nobody could answer a window no one sees: the run would wait for ever.
    if (options.operatorName == QLatin1String(RunOptions::kPersonOperator) && !AppEnvironment::WindowsAreSeen()) {
        m_err << "ostrel run: error: --operator person: there is no display to show the test-guide windows on\n";
        m_err.flush();
        return kExitError;
    }
    if (!options.simSpeed.isEmpty())
        qputenv(VirtualDevices::kSpeedVariable, options.simSpeed.toLocal8Bit());
    if (!options.trace.isEmpty() && !LinkTrace::WriteTo(options.trace)) {
        m_err << "ostrel run: cannot write the trace to " << options.trace << '\n';
        m_err.flush();
        return kExitError;
    }
    struct TraceEnd {
        bool tracing;
        ~TraceEnd()
        {
            if (tracing)
                LinkTrace::Stop();
        }
    } traceEnd{!options.trace.isEmpty()};
    if (!options.device.isEmpty())
        DataLinkRoot::instance()->PortRegistry()->SetPorts({{1, PortEntry{QStringLiteral("NB-4410"), options.device, {}}}});

    std::unique_ptr<history::ResultsHistory> history;
    try {
        history = ResultsDatabase::Open(options.database);
    } catch (const history::HistoryError& failure) {
        m_err << "ostrel run: error: --db: " << failure.Text() << '\n';
        m_err.flush();
        return kExitError;
    }
    bool databaseAway = false;
    history->onError = [&](const QString& text) {
        if (!std::exchange(databaseAway, true)) {
            m_err << "ostrel: " << text << "; the results wait in the outbox\n";
            m_err.flush();
        }
    };

    std::unique_ptr<SequenceDocument> document;
    try {
        if (!m_host) {
            m_host = std::make_shared<PlugInHost>();
            m_host->Load();
        }
        auto progress = std::make_shared<Progress>();
        document = SequenceDocument::Load(options.file, m_host->Factory(), progress);
        for (const auto& line : progress->Lines())
            m_err << "ostrel: " << options.file << ": " << line << '\n';
    } catch (...) {
        CommandLineErrors::Print(m_err, ComError::fromCurrent());
        return kExitError;
    }
    // Values no editor accepts are not sent to the instrument: the document is refused.
    if (!document->Problems().isEmpty()) {
        m_err << "ostrel: " << options.file << ": the document holds refused values; nothing was run\n";
        m_err.flush();
        return kExitError;
    }

    DeviceUnderTest dut = document->Dut();
    if (options.dutSerial)
        dut.serialNumber = *options.dutSerial;
    if (options.technician)
        dut.technician = *options.technician;
    document->SetDut(dut);

    // The results go to --save, saved after every finished element; the input stays as it was.
    bool saveFailed = false;
    if (!options.save.isEmpty()) {
        try {
            document->SaveAs(options.save);
        } catch (...) {
            CommandLineErrors::Print(m_err, ComError::fromCurrent());
            return kExitError;
        }
    }

    auto standardsProgress = std::make_shared<Progress>();
    StandardsCatalog standards(standardsProgress);
    for (const auto& line : standardsProgress->Lines())
        m_err << "ostrel: standards: " << line << '\n';

    QList<StandardRef> unresolved;
    const auto selected = standards.Resolve(*document, &unresolved);
    if (!RefuseStandards(unresolved, standards.AllFilesRead()))
        return kExitError;
    SequenceRunner runner(*document, selected);
    runner.SetAutoSave(!options.save.isEmpty());
    // Each element's result is read once, for its line, and kept for the summary and the exit
    // code; an element the run did not reach is read at the end.
    const QList<StandardRef> selectedStandards = document->SelectedStandards();
    std::unordered_map<const ITestElement*, ElementResult> lineResults;
    runner.onElementEnded = [&](int index) {
        const SequenceEntry& entry = document->Entry(index);
        ElementResult& result = lineResults[entry.element.get()];
        // The line and the summary show values, not limits: nothing to work out about them.
        result = SequenceResults::ForElement(entry.element, entry.enabled, index + 1, selectedStandards,
                                             SequenceResults::Detail::ValuesOnly);
        m_out << ElementLine(result, document->Count()) << '\n';
        m_out.flush();
    };
    runner.onResultFinal = [&](const std::shared_ptr<ITestElement>&, const std::optional<ComError>& failure) {
        if (failure) {
            saveFailed = true;
            m_err << "ostrel: the results could not be saved: " << CommandLineErrors::Text(*failure) << '\n';
            m_err.flush();
        }
    };

    runner.AddListener(std::make_shared<HistoryListener>(*history));

    AutoOperator automatic;
    automatic.onMessage = [&](const QString& text) {
        m_err << "  " << text << '\n';
        m_err.flush();
    };
    if (options.operatorName == QLatin1String(RunOptions::kAutomaticOperator))
        automatic.Start();
    // Ctrl+C or SIGTERM: the instrument's test is stopped through the window's own buttons,
    // no further element starts, and what finished is saved and reported.
    RunStopper stopper([&] { runner.Stop(); });
    StopSignals stopSignals;
    stopSignals.onStop = [&](int signal) {
        m_err << "ostrel: " << StopSignals::Name(signal)
              << ": stopping the instrument's test; the results so far are kept (send it again to quit at once)\n";
        m_err.flush();
        stopper.Stop();
    };
    m_out << "Running " << options.file << " (" << document->Count() << " elements)\n";
    m_out.flush();
    const int instrumentFailuresBefore = DataLinkRoot::instance()->InstrumentFailures();
    const auto outcome = runner.Run();
    automatic.Stop();
    const bool instrumentFailed = DataLinkRoot::instance()->InstrumentFailures() > instrumentFailuresBefore;
    if (stopSignals.Stopped())
        m_err << "ostrel: the run was stopped by " << StopSignals::Name(stopSignals.Signal()) << '\n';

    int exitCode = kExitPassed;
    if (outcome == SequenceRunner::Outcome::Failed) {
        CommandLineErrors::Print(m_err, runner.Failure().value_or(ComError()));
        exitCode = kExitError;
    } else if (outcome == SequenceRunner::Outcome::Aborted) {
        m_err << "ostrel: the run was aborted\n";
    }

    std::vector<ElementResult> results;
    results.reserve(static_cast<size_t>(document->Count()));
    for (int i = 0; i < document->Count(); ++i) {
        const SequenceEntry& entry = document->Entry(i);
        const auto line = lineResults.find(entry.element.get());
        if (line != lineResults.end() && line->second.position == i + 1 && line->second.enabled == entry.enabled)
            results.push_back(std::move(line->second));
        else
            results.push_back(SequenceResults::ForElement(entry.element, entry.enabled, i + 1, selectedStandards,
                                                          SequenceResults::Detail::ValuesOnly));
    }
    m_out << '\n' << SummaryTable(results);
    m_out.flush();

    if (const int waiting = history->Pending(); waiting > 0)
        m_err << "ostrel: " << waiting << " result(s) wait in the outbox for " << history->Target().Redacted()
              << "; they go at the next run or with \"ostrel history --sync\"\n";
    // Nothing ran and nothing changed: the file written before the run holds it all already.
    const bool saveAgain = runner.AnyPerformed() || document->IsModified();
    if (!exportAll(options, *document, runner.Context(), saveAgain) || saveFailed)
        exitCode = kExitError;
    if (exitCode != kExitPassed)
        return exitCode;
    // An element that met a failing instrument or line makes the whole run one to repeat.
    return instrumentFailed ? exitcode::kInstrument : ExitCodeOf(results);
}

bool RunCommand::RefuseStandards(const QList<StandardRef>& unresolved, bool allFilesRead)
{
    // Judging against a standard that is not there would pass every value unjudged.
    for (const auto& ref : unresolved)
        m_err << "ostrel: the selected standard " << ref.shortName << " (" << ref.fullName
              << ") is carried by no element: nothing would be judged against it\n";
    if (!allFilesRead)
        m_err << "ostrel: a standards file could not be read; the selection may miss its standards\n";
    m_err.flush();
    return unresolved.isEmpty() && allFilesRead;
}

int RunCommand::ExitCodeOf(const std::vector<ElementResult>& results)
{
    if (SequenceResults::InstrumentFailed(results))
        return exitcode::kInstrument;
    switch (SequenceResults::Overall(results)) {
    case Verdict::Passed:
        return exitcode::kPassed;
    case Verdict::Failed:
        return exitcode::kFailed;
    case Verdict::Incomplete:
    case Verdict::NotJudged:
        break;
    }
    return exitcode::kIncomplete;
}

bool RunCommand::exportAll(const RunOptions& options, SequenceDocument& document, const std::shared_ptr<IRunContext>& context,
                           bool saveAgain)
{
    bool ok = true;
    const auto step = [&](const QString& path, const char* what, const std::function<void()>& write) {
        if (path.isEmpty())
            return;
        try {
            write();
            m_out << what << ": " << path << '\n';
        } catch (...) {
            CommandLineErrors::Print(m_err, ComError::fromCurrent());
            ok = false;
        }
    };
    if (!options.reportPdf.isEmpty() || !options.reportHtml.isEmpty()) {
        std::shared_ptr<Report> report;
        try {
            report = ReportBuilder::Build(document, context, options.failuresOnly);
        } catch (...) {
            CommandLineErrors::Print(m_err, ComError::fromCurrent());
            return false;
        }
        step(options.reportPdf, "Report", [&] { report->RenderPdf(options.reportPdf); });
        step(options.reportHtml, "HTML report",
             [&] { ResultExporter::WriteFile(options.reportHtml, [&](QIODevice& out) { report->WriteHtml(out); }); });
    }
    step(options.json, "JSON", [&] { ResultExporter::WriteJson(options.json, document); });
    step(options.csv, "CSV", [&] { ResultExporter::WriteCsv(options.csv, document); });
    step(options.save, "Saved", [&] {
        if (saveAgain)
            document.Save();
    });
    m_out.flush();
    return ok;
}

} // namespace ostrel
