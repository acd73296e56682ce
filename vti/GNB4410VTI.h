#pragma once
// The driver library's global object: gives every caller of a thread the same CNB4410VTI.
// The globals own the drivers they hand out: the thread's driver (and its link) goes with the
// last global, when the plug-in lets its global go, never during static destruction.
#include "NB4410VTI.h"

#include <mutex>
#include <vector>

namespace nb4410vti {

class CNB4410VTI;

class GNB4410VTI : public _GNB4410VTI {
public:
    // The thread's shared driver object, created on the first read.
    std::shared_ptr<_CNB4410VTI> NB4410() override;
    QString SupportedMTIVersion() override { return QString(); }

private:
    std::mutex m_mutex; // a global may hand out the drivers of several threads
    std::vector<std::shared_ptr<CNB4410VTI>> m_handedOut;
};

} // namespace nb4410vti
