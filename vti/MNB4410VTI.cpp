#include "MNB4410VTI.h"

namespace nb4410vti::MNB4410VTI {

std::shared_ptr<CNB4410VTI> SharedDriver()
{
    // Only a weak reference here: the globals that handed the driver out own it, so that it
    // is gone before the thread's storage is torn down.
    thread_local std::weak_ptr<CNB4410VTI> shared;
    std::shared_ptr<CNB4410VTI> driver = shared.lock();
    if (!driver) {
        driver = std::make_shared<CNB4410VTI>();
        shared = driver;
    }
    return driver;
}

} // namespace nb4410vti::MNB4410VTI
