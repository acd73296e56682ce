// nb4410: checks the instrument and its cabling without a test sequence. Messages of the
// driver go to standard error, prefixed with the program's name and their severity.
#include "InstrumentTool.h"

#include "app/common/CommandLine.h"
#include "app/common/ConsoleMessageSink.h"
#include "app/common/ProcessSignals.h"
#include "host/core/MessageService.h"

#include <QCoreApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int signal)
{
    g_interrupted = true;
    std::signal(signal, SIG_DFL); // a second one ends the program at once
}

const QString kProgram = QStringLiteral("nb4410");
const QString kDevice = QStringLiteral("device");
const QString kTrace = QStringLiteral("trace");
const QString kSet = QStringLiteral("set");

std::unique_ptr<ostrel::CommandLine> commandLine()
{
    auto cli = std::make_unique<ostrel::CommandLine>(
        kProgram, QStringLiteral("Checks the NB-4410 NIBP Analyzer and its cabling without a test sequence.\n"
                                 "Exit codes: 0 success, 2 usage error, 4 instrument or link error."));
    cli->AddGlobalOption({kDevice, QStringLiteral("Serial device of the instrument, or \"simulator\"; without it the port registry chooses."),
                          QStringLiteral("PATH")});
    cli->AddGlobalOption({kTrace, QStringLiteral("Appends every frame on the line (time, direction, bytes, what went wrong) to FILE."),
                          QStringLiteral("FILE")});
    cli->AddCommand({.name = QStringLiteral("identify"),
                     .summary = QStringLiteral("Prints the instrument's name, serial number and firmware version.")});
    cli->AddCommand({.name = QStringLiteral("operator"),
                     .summary = QStringLiteral("Prints (or with --set writes) the operator record."),
                     .options = {QCommandLineOption(kSet, QStringLiteral("Writes OPERATOR ESTABLISHMENT SERIAL first."))},
                     .arguments = QStringLiteral("[OPERATOR ESTABLISHMENT SERIAL]"),
                     .minArguments = 0,
                     .maxArguments = 3});
    cli->AddCommand({.name = QStringLiteral("run"),
                     .summary = QStringLiteral("Runs one test and prints its replies until it ends (Ctrl+C stops it)."),
                     .arguments = QStringLiteral("leak|overpressure|cuffvolume|bp [VALUES...]"),
                     .minArguments = 1,
                     .maxArguments = -1});
    return cli;
}

} // namespace

int main(int argc, char** argv)
{
    ostrel::ProcessSignals::IgnoreBrokenPipes();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(kProgram);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto cli = commandLine();
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    if (!cli->Parse(arguments, out, err))
        return cli->ExitCode();
    const QStringList values = cli->Arguments();
    if (cli->IsSet(kSet) && values.size() != 3)
        return cli->Fail(err, QStringLiteral("--set needs OPERATOR ESTABLISHMENT SERIAL"));
    if (!cli->IsSet(kSet) && cli->Command() == QLatin1String("operator") && !values.isEmpty())
        return cli->Fail(err, QStringLiteral("unexpected argument \"%1\" (writing the record needs --set)").arg(values.front()));

    ostrel::MessageService::instance().SetSink(std::make_shared<ostrel::ConsoleMessageSink>(kProgram));
    // Ctrl+C, SIGTERM, or the terminal going away (SIGHUP, unless the tool was started to
    // ignore it): the running test is stopped before the tool ends.
    for (const int signal : ostrel::ProcessSignals::kStopSignals)
        if (!ostrel::ProcessSignals::Ignored(signal))
            std::signal(signal, onInterrupt);

    // The tool takes its arguments in their one order: [--device PATH] [--trace FILE] COMMAND
    // [--set] VALUES.
    QStringList canonical;
    if (cli->IsSet(kDevice))
        canonical << QStringLiteral("--device") << cli->Value(kDevice);
    if (cli->IsSet(kTrace))
        canonical << QStringLiteral("--trace") << cli->Value(kTrace);
    canonical << cli->Command();
    if (cli->IsSet(kSet))
        canonical << QStringLiteral("--set");
    canonical << values;
    nb4410tool::InstrumentTool tool(out, err, g_interrupted);
    return tool.Run(canonical);
}
