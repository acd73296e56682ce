#include "RunOptions.h"

#include "app/common/CommandLine.h"
#include "host/core/ComError.h"

#include <QFileInfo>

namespace ostrel {

namespace {

[[noreturn]] void bad(const QString& text)
{
    throw ComError(kE_InvalidArg, QStringLiteral("ostrel.run"), text, 1);
}

QCommandLineOption valued(const char* name, const char* valueName, const char* description)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(description), QString::fromLatin1(valueName));
}

} // namespace

QList<QCommandLineOption> RunOptions::Options()
{
    return {
        valued("operator", "NAME", "Who answers the test-guide windows: \"auto\" (the automatic operator, the default) or \"person\" (someone at the display)."),
        valued("report", "OUT.pdf", "Writes the report as PDF."),
        valued("html", "OUT.html", "Writes the report as HTML."),
        valued("json", "OUT.json", "Exports the results as JSON."),
        valued("csv", "OUT.csv", "Exports the measurements as CSV."),
        valued("save", "OUT.xml", "Saves the sequence with its results (after every element)."),
        valued("dut-serial", "TEXT", "Serial number of the device under test."),
        valued("technician", "TEXT", "Name of the technician."),
        valued("sim-speed", "N", "Runs the simulator N times faster than real time."),
        valued("device", "PATH", "Serial device of the instrument, or \"simulator\" for the built-in simulator."),
        valued("db", "URL", "The results database (default: the one configured in Settings)."),
        valued("trace", "FILE", "Writes the wire trace (every frame sent and received) to FILE."),
        QCommandLineOption(QStringLiteral("failures-only"), QStringLiteral("The report lists failed elements only.")),
    };
}

CommandSpec RunOptions::Command()
{
    return CommandSpec{
        .name = QStringLiteral("run"),
        .summary = QStringLiteral("Runs a sequence without a display and reports it."),
        .description = QStringLiteral("One line per element while it runs, a summary at the end, then the report and\n"
                                      "the exports. Ctrl+C stops the instrument's test and keeps what finished.\n"
                                      "Exit codes: 0 all passed, 1 some element failed, 2 usage or input-file error,\n"
                                      "3 incomplete or not judged, 4 instrument or link error."),
        .options = Options(),
        .arguments = QStringLiteral("FILE"),
        .minArguments = 1,
        .maxArguments = 1,
    };
}

RunOptions RunOptions::From(const CommandLine& commandLine)
{
    const auto value = [&](const char* name) { return commandLine.Value(QString::fromLatin1(name)); };
    const auto optional = [&](const char* name) -> std::optional<QString> {
        if (!commandLine.IsSet(QString::fromLatin1(name)))
            return std::nullopt;
        return value(name);
    };
    RunOptions options;
    options.file = commandLine.Arguments().value(0);
    if (commandLine.IsSet(QStringLiteral("operator")))
        options.operatorName = value("operator");
    if (options.operatorName != QLatin1String(RunOptions::kAutomaticOperator) && options.operatorName != QLatin1String(RunOptions::kPersonOperator))
        bad(QStringLiteral("--operator: unknown operator \"%1\" (\"auto\" or \"person\")").arg(options.operatorName));
    options.reportPdf = value("report");
    options.reportHtml = value("html");
    options.json = value("json");
    options.csv = value("csv");
    options.save = value("save");
    options.dutSerial = optional("dut-serial");
    options.technician = optional("technician");
    options.simSpeed = value("sim-speed");
    if (!options.simSpeed.isEmpty()) {
        bool ok = false;
        const double speed = options.simSpeed.toDouble(&ok);
        if (!ok || !(speed > 0))
            bad(QStringLiteral("--sim-speed needs a number above 0, not \"%1\"").arg(options.simSpeed));
    }
    options.device = value("device");
    options.trace = value("trace");
    options.database = value("db");
    options.failuresOnly = commandLine.IsSet(QStringLiteral("failures-only"));
    return options;
}

void RunOptions::CheckOutputs() const
{
    const std::pair<const char*, const QString*> outputs[] = {
        {"--report", &reportPdf}, {"--html", &reportHtml}, {"--json", &json}, {"--csv", &csv}, {"--save", &save}};
    for (const auto& [flag, path] : outputs) {
        if (path->isEmpty())
            continue;
        const QFileInfo file(*path);
        const QFileInfo folder(file.absolutePath());
        if (file.isDir())
            bad(QStringLiteral("%1: \"%2\" is a folder").arg(QLatin1String(flag), *path));
        if (!folder.isDir())
            bad(QStringLiteral("%1: the folder \"%2\" does not exist").arg(QLatin1String(flag), folder.filePath()));
        if (file.exists() ? !file.isWritable() : !folder.isWritable())
            bad(QStringLiteral("%1: \"%2\" cannot be written").arg(QLatin1String(flag), *path));
    }
}

} // namespace ostrel
