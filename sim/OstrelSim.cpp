// The simulator library's entry points: the data link creates "OstrelSim.Simulator" by name.
#include "Simulator.h"
#include "host/core/ClassTable.h"

OSTREL_LIBRARY_EXPORTS("OstrelSim")

OSTREL_REGISTER_CLASS("OstrelSim.Simulator", nb4410sim::Simulator)

void nb4410sim::ensureRegistered() {}
