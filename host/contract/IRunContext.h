#pragma once
#include "Forward.h"
#include "host/core/Variant.h"

namespace ostrel {

// What the host's sequence runner offers the element it performs.
class IRunContext : public virtual IObject {
public:
    virtual bool MayPerform(std::shared_ptr<ITestElement> element) = 0;
    virtual void Navigate(std::int32_t code) = 0; // 0 next, 1 previous, 2 abort
    virtual std::shared_ptr<InstrumentList> Instruments() = 0;
    virtual std::shared_ptr<IStandards> SelectedStandards() = 0;
    virtual void ResultFinal(std::shared_ptr<ITestElement> element) = 0;
};

} // namespace ostrel
