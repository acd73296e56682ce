#include "MVti.h"

#include "host/core/ClassRegistry.h"

namespace nb4410::MVti {

namespace {
std::shared_ptr<nb4410vti::_GNB4410VTI>& global()
{
    static std::shared_ptr<nb4410vti::_GNB4410VTI> instance;
    return instance;
}
} // namespace

std::shared_ptr<nb4410vti::_GNB4410VTI> Global()
{
    auto& instance = global();
    if (!instance)
        instance = ostrel::ClassRegistry::instance().CreateAs<nb4410vti::_GNB4410VTI>(
            QString::fromLatin1(nb4410vti::kGNB4410VTIProgId));
    return instance;
}

std::shared_ptr<nb4410vti::_CNB4410VTI> Driver()
{
    auto driver = Global()->NB4410();
    if (!driver)
        throw ostrel::ComError(ostrel::kE_Pointer, QStringLiteral("VessorNB4410.MVti"),
                               QStringLiteral("The driver has no instrument object."));
    return driver;
}

void Reset() { global().reset(); }

} // namespace nb4410::MVti
