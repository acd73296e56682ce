#include "MNB4410VTI.h"

namespace nb4410vti::MNB4410VTI {

std::shared_ptr<CNB4410VTI> SharedDriver()
{
    thread_local std::shared_ptr<CNB4410VTI> driver;
    if (!driver)
        driver = std::make_shared<CNB4410VTI>();
    return driver;
}

} // namespace nb4410vti::MNB4410VTI
