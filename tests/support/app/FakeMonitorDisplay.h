#pragma once
// A stand-in for the simulator's monitor display, registered in-process by the tests that read
// it: it shows whatever the test puts into shownState().
#include "sim/IMonitorDisplay.h"

namespace ostrel::testing {

inline nb4410sim::MonitorDisplayState& shownState()
{
    static nb4410sim::MonitorDisplayState state;
    return state;
}

class FakeMonitorDisplay : public nb4410sim::IMonitorDisplay {
public:
    nb4410sim::MonitorDisplayState State() const override { return shownState(); }
};

} // namespace ostrel::testing
