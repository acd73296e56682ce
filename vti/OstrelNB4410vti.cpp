// The driver library's entry points and its one creatable class. CNB4410VTI is reached only
// through GNB4410VTI::NB4410, so that a thread shares one remote connection.
#include "CNB4410VTI.h"
#include "GNB4410VTI.h"
#include "host/core/ClassTable.h"

OSTREL_LIBRARY_EXPORTS("OstrelNB4410vti")

OSTREL_REGISTER_CLASS("OstrelNB4410vti.GNB4410VTI", nb4410vti::GNB4410VTI)
OSTREL_REGISTER_CLASS("OstrelNB4410vti.CNB4410VTI", nb4410vti::CNB4410VTI)
