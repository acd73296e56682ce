#pragma once
// The instrument's command handling, without any transport or clock: one command in, one
// reply out, given the simulated time in seconds.
#include "MonitorScreen.h"
#include "OperatorStore.h"
#include "TestRun.h"
#include "vti/NB4410Protocol.h"

#include <QStringList>
#include <memory>

namespace nb4410sim {

struct Reply {
    QString name;
    QStringList fields;
};

class InstrumentModel {
public:
    explicit InstrumentModel(const SimulatorOptions& options, MonitorScreen& screen = MonitorScreen::Shared());

    Reply Handle(const QString& command, const QStringList& fields, double nowS);
    // The answer to a frame that arrived broken.
    Reply Malformed() const { return errm(QString(), {nb4410::protocol::kErrUnknownFormat, QStringLiteral("Unknown message format")}); }
    bool Remote() const { return m_remote; }
    const TestRun* Run() const { return m_run.get(); }
    // A test started and neither ended nor stopped at nowS.
    bool Running(double nowS) const { return m_run && !m_run->Ended(nowS - m_runStartS); }

private:
    Reply dispatch(const QString& command, const QStringList& fields, double nowS);
    Reply errm(const QString& command, const InstrumentError& error) const;
    Reply startTest(const QStringList& fields, double nowS);
    Reply testResult(const QStringList& fields, double nowS);
    Reply putOperator(const QStringList& fields);
    void updateScreen(double nowS);

    SimulatorOptions m_options;
    OperatorStore m_store;
    bool m_remote = false;
    std::unique_ptr<TestRun> m_run;
    double m_runStartS = 0;
    MonitorScreen& m_screen;
    bool m_readingsShown = false;
};

} // namespace nb4410sim
