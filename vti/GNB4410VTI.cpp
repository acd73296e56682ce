#include "GNB4410VTI.h"

#include "MNB4410VTI.h"

namespace nb4410vti {

std::shared_ptr<_CNB4410VTI> GNB4410VTI::NB4410()
{
    return MNB4410VTI::SharedDriver();
}

} // namespace nb4410vti
