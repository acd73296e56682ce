#include "ElementInfo.h"

namespace ostrel {

std::shared_ptr<ElementInfo> ElementInfo::CopyOf(const std::shared_ptr<ITestInfo>& other)
{
    auto copy = std::make_shared<ElementInfo>();
    if (other) {
        copy->SetTypeAndParameter(other->Type(), other->Parameter());
        copy->SetName(other->Name());
        copy->SetDescription(other->Description());
    }
    return copy;
}

} // namespace ostrel
