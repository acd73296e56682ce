// The simulator library's entry points: the data link creates "OstrelSim.Simulator" by name,
// an automatic operator "OstrelSim.MonitorDisplay".
#include "MonitorDisplay.h"
#include "Simulator.h"
#include "host/core/ClassTable.h"

OSTREL_LIBRARY_EXPORTS("OstrelSim")

OSTREL_REGISTER_CLASS("OstrelSim.Simulator", nb4410sim::Simulator)
OSTREL_REGISTER_CLASS(nb4410sim::IMonitorDisplay::kProgId, nb4410sim::MonitorDisplay)

void nb4410sim::ensureRegistered() {}
