#pragma once
// The real driver, registered in-process under its program identifier, talking to the simulator
// on a pseudo-terminal that the port registry gives as the instrument's port. Whatever a test
// leaves connected is ended, and the registration undone, when the object goes.
#include "host/core/ClassTable.h"
#include "host/core/Steps.h"
#include "host/datalink/DataLinkRoot.h"
#include "plugin/tests/common/MVti.h"
#include "sim/Simulator.h"
#include "vti/GNB4410VTI.h"

#include <QHash>
#include <QTemporaryDir>

namespace nb4410::testing {

class SimulatedInstrument {
public:
    SimulatedInstrument()
    {
        ostrel::ClassRegistry::instance().RegisterLocal(
            progId(), ostrel::ClassFactory{&ostrel::createObject<nb4410vti::GNB4410VTI>, nullptr});
        MVti::Reset();
    }
    ~SimulatedInstrument()
    {
        ostrel::runStep("end remote", [] { MVti::Driver()->EndRemote(); });
        ports()->ResetPorts();
        m_simulator.Stop();
        MVti::Reset();
        ostrel::ClassRegistry::instance().UnregisterLocal(progId());
    }
    SimulatedInstrument(const SimulatedInstrument&) = delete;
    SimulatedInstrument& operator=(const SimulatedInstrument&) = delete;

    // Starts the simulator unpaced, its operator record in the test's own file, and makes it
    // the instrument's port 1.
    void start(QHash<QString, QString> options = {})
    {
        options.insert(QStringLiteral("StateFile"), stateFile());
        options.insert(QStringLiteral("Pacing"), QStringLiteral("0"));
        const QString path = m_simulator.Start(options);
        ports()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), path, {}}}});
    }
    QString stateFile() const { return m_dir.filePath(QStringLiteral("operator.ini")); }
    static ostrel::PortRegistryPtr ports() { return ostrel::DataLinkRoot::instance()->PortRegistry(); }

private:
    static QString progId() { return QString::fromLatin1(nb4410vti::kGNB4410VTIProgId); }

    QTemporaryDir m_dir;
    nb4410sim::Simulator m_simulator;
};

} // namespace nb4410::testing
