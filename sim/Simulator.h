#pragma once
// The simulator on a pseudo-terminal of its own: the in-process device the data link opens for
// a port whose "Device" is "simulator", and what the tests and nb4410-sim start.
#include "PseudoTerminal.h"
#include "SimulatorServer.h"
#include "host/datalink/IVirtualDevice.h"

#include <memory>
#include <mutex>

namespace nb4410sim {

class Simulator : public ostrel::IVirtualDevice {
public:
    ~Simulator() override;

    // Fails with E_INVALIDARG for a bad option and E_FAIL when no pseudo-terminal opens.
    QString Start(const QHash<QString, QString>& options) override;
    void Stop() override;
    bool Serving() const override;

    QString Start(const SimulatorOptions& options);
    // Serves an existing descriptor (a serial device) instead of a pseudo-terminal.
    void Serve(int fd, const SimulatorOptions& options);
    QString DevicePath() const;
    int Exchanges() const;
    // Whether the simulated instrument is running a test that has not ended (cuff under pressure).
    bool TestRunning() const;

private:
    mutable std::mutex m_mutex;
    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<SimulatorServer> m_server;
};

// Makes sure the library stays linked (and "OstrelSim.Simulator" registered) in a program that
// names no other symbol of it.
void ensureRegistered();

} // namespace nb4410sim
