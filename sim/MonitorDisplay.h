#pragma once
// "OstrelSim.MonitorDisplay": the simulated monitor's display for an automatic operator, which
// reads it as a technician reads the real monitor's.
#include "MonitorScreen.h"
#include "sim/IMonitorDisplay.h"

namespace nb4410sim {

class MonitorDisplay : public IMonitorDisplay {
public:
    explicit MonitorDisplay(const MonitorScreen& screen = MonitorScreen::Shared()) : m_screen(screen) {}
    MonitorDisplayState State() const override { return m_screen.State(); }

private:
    const MonitorScreen& m_screen;
};

} // namespace nb4410sim
