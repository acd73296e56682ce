#pragma once
// The driver library's global object: gives every caller of a thread the same CNB4410VTI.
#include "NB4410VTI.h"

namespace nb4410vti {

class GNB4410VTI : public _GNB4410VTI {
public:
    // The thread's shared driver object, created on the first read.
    std::shared_ptr<_CNB4410VTI> NB4410() override;
    QString SupportedMTIVersion() override { return QString(); }
};

} // namespace nb4410vti
