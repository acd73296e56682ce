#include "AppCommandLine.h"

#include "HistoryCommand.h"
#include "RunOptions.h"

namespace ostrel {

std::unique_ptr<CommandLine> AppCommandLine::Create()
{
    auto commandLine = std::make_unique<CommandLine>(
        kProgram, QStringLiteral("Runs test sequences on NIBP monitors with the NB-4410 NIBP Analyzer.\n"
                                 "Without a command it opens the window, on FILE when one is given."));
    commandLine->AddCommand({.name = QString(),
                             .summary = QStringLiteral("Opens the window."),
                             .arguments = QStringLiteral("[FILE]"),
                             .minArguments = 0,
                             .maxArguments = 1});
    commandLine->AddCommand({.name = kInfo,
                             .summary = QStringLiteral("Prints the plug-in and its catalogue."),
                             .minArguments = 0,
                             .maxArguments = 0});
    commandLine->AddCommand(RunOptions::Command());
    commandLine->AddCommand(HistoryCommand::Command());
    return commandLine;
}

} // namespace ostrel
