#pragma once
// The commands of the nb4410 tool, each one remote session with the instrument:
//   identify                                  name, serial number, firmware version
//   operator [--set OPERATOR ESTABLISHMENT SERIAL]
//   run leak|overpressure|cuffvolume|bp [VALUES...]
// Exit status (app/common/ExitCode.h): 0 success, 2 wrong usage, 4 instrument or link failure.
#include "app/common/ExitCode.h"
#include "vti/NB4410VTI.h"

#include <QStringList>
#include <atomic>

class QTextStream;

namespace nb4410tool {

class InstrumentTool {
public:
    static constexpr int kExitOk = ostrel::exitcode::kPassed;
    static constexpr int kExitFailure = ostrel::exitcode::kInstrument;
    static constexpr int kExitUsage = ostrel::exitcode::kUsage;
    static constexpr int kPollIntervalMs = 200;

    InstrumentTool(QTextStream& out, QTextStream& err, const std::atomic<bool>& interrupted);

    // arguments without the program name
    int Run(QStringList arguments);
    static QString Usage();

private:
    int identify();
    int operatorRecord(const QStringList& args);
    int runTest(const QStringList& args);
    std::shared_ptr<nb4410vti::_CNB4410VTI> driver();
    int usage(const QString& problem);
    void pause(int ms);

    QTextStream& m_out;
    QTextStream& m_err;
    const std::atomic<bool>& m_interrupted;
    std::shared_ptr<nb4410vti::_GNB4410VTI> m_global;
};

} // namespace nb4410tool
