#pragma once
// "ostrel run FILE ...": runs a sequence without a display. The automatic operator drives the
// test-guide windows; one line per element while it runs, a summary table at the end, then
// the report and the exports. Exit status (app/common/ExitCode.h): 0 every element passed and
// was judged, 1 any failed, 2 an error of the command line, the input or the outputs, 3 an
// element incomplete or not judged, 4 an element's run ended by an instrument or link failure.
#include "DeviceUnderTest.h"
#include "RunOptions.h"

#include <QTextStream>
#include <memory>
#include <vector>

namespace ostrel {

class CommandLine;
class PlugInHost;
class SequenceDocument;
struct ElementResult;

class RunCommand {
public:
    static constexpr int kExitPassed = 0;
    static constexpr int kExitFailed = 1;
    static constexpr int kExitError = 2;

    RunCommand(QTextStream& out, QTextStream& err);
    ~RunCommand();

    // args: what follows "run".
    int Run(const QStringList& args);
    // The parsed command line of "ostrel ... run FILE ...".
    int Run(const CommandLine& commandLine);
    int Run(const RunOptions& options);

    // Uses an already loaded plug-in instead of creating "OstrelNB4410.CPlugInNB4410" (tests).
    void UsePlugIn(std::shared_ptr<PlugInHost> host) { m_host = std::move(host); }

    static QString ElementLine(const ElementResult& result, int count);
    static QString SummaryTable(const std::vector<ElementResult>& results);
    // The exit status the results give when the run itself and its outputs went well.
    static int ExitCodeOf(const std::vector<ElementResult>& results);

private:
    // Names each selected standard that resolves to nothing and an unreadable standards file;
    // false when the run must not go on.
    bool RefuseStandards(const QList<StandardRef>& unresolved, bool allFilesRead);
    bool exportAll(const RunOptions& options, SequenceDocument& document, const std::shared_ptr<class IRunContext>& context,
                   bool saveAgain);

    QTextStream& m_out;
    QTextStream& m_err;
    std::shared_ptr<PlugInHost> m_host;
};

} // namespace ostrel
