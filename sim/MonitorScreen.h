#pragma once
// The display of the simulated patient monitor, shared by every simulator of the process: the
// instrument model clears it when a blood-pressure simulation starts and shows the monitor's
// readings once the simulation has ended; the display stays until the next one starts, as a
// monitor's does. Written from a simulator's serving thread, read from any other.
#include "TestRun.h"
#include "sim/IMonitorDisplay.h"

#include <mutex>

namespace nb4410sim {

class MonitorScreen {
public:
    static MonitorScreen& Shared();

    void BeginMeasurement(); // a new number, no readings
    void Show(const DisplayedReadings& readings);
    MonitorDisplayState State() const;

private:
    mutable std::mutex m_mutex;
    MonitorDisplayState m_state;
};

} // namespace nb4410sim
