#pragma once
// The one shared driver object of each thread, while a global holds it.
#include "CNB4410VTI.h"

namespace nb4410vti::MNB4410VTI {

std::shared_ptr<CNB4410VTI> SharedDriver();

} // namespace nb4410vti::MNB4410VTI
