#include "GNB4410VTI.h"

#include "MNB4410VTI.h"

#include <algorithm>

namespace nb4410vti {

std::shared_ptr<_CNB4410VTI> GNB4410VTI::NB4410()
{
    std::shared_ptr<CNB4410VTI> driver = MNB4410VTI::SharedDriver();
    const std::lock_guard lock(m_mutex);
    if (std::find(m_handedOut.begin(), m_handedOut.end(), driver) == m_handedOut.end())
        m_handedOut.push_back(driver);
    return driver;
}

} // namespace nb4410vti
