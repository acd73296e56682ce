#pragma once
// The plug-in's one driver global ("OstrelNB4410vti.GNB4410VTI"), created through the class
// registry on first use; the driver library is never linked. Callers re-read Driver() before
// every call, as the global may hand out another driver object at any time.
#include "vti/NB4410VTI.h"

namespace nb4410::MVti {

std::shared_ptr<nb4410vti::_GNB4410VTI> Global();
std::shared_ptr<nb4410vti::_CNB4410VTI> Driver(); // fails with E_POINTER when the global has none
// Drops the global, so that the next use creates it anew (tests switch drivers with it).
void Reset();

} // namespace nb4410::MVti
