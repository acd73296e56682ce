#pragma once
// The display of the patient monitor under test, for an operator that cannot look at it: what
// the monitor shows after its last measurement. Only the simulator offers it, created by
// program identifier ("OstrelSim.MonitorDisplay"); with real equipment the class is missing.
// It is the simulator's own interface, not part of the host contract: who asks for it knows
// it is talking to a simulated monitor.
#include "host/core/Object.h"

#include <cstdint>

namespace nb4410sim {

// One consistent look at the display: readings and completeness are read together, so a
// measurement that ends meanwhile never mixes into them.
struct MonitorDisplayState {
    // Counts the measurements the monitor has begun (0: none yet); readings taken after an
    // operator noted the number are new only when it has changed.
    std::int32_t measurementNumber = 0;
    bool complete = false; // the monitor shows the readings of its last measurement
    double systolicMmHg = 0;
    double diastolicMmHg = 0;
    double mapMmHg = 0; // mean arterial pressure
    double heartRateBpm = 0;
};

class IMonitorDisplay : public virtual ostrel::IObject {
public:
    static constexpr char kProgId[] = "OstrelSim.MonitorDisplay";

    virtual MonitorDisplayState State() const = 0;
};

} // namespace nb4410sim
