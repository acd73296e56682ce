#pragma once
// The command line of "ostrel": the window ("ostrel [FILE]") and the subcommands without a
// display. A new subcommand is one AddCommand here and one line in main.cpp's dispatch; a
// new option of every command is one AddGlobalOption here (see docs/app.md).
#include "app/common/CommandLine.h"

namespace ostrel {

class AppCommandLine {
public:
    static inline const QString kProgram = QStringLiteral("ostrel");
    static inline const QString kInfo = QStringLiteral("info");
    static inline const QString kRun = QStringLiteral("run");
    static inline const QString kHistory = QStringLiteral("history");

    static std::unique_ptr<CommandLine> Create();
};

} // namespace ostrel
