#pragma once
#include "Forward.h"
#include "host/core/Variant.h"

namespace ostrel {

// Load progress and the load log: loaders open a step, report warnings and errors into it,
// and close it before returning.
class IProgress : public virtual IObject {
public:
    virtual std::int32_t OpenStep(const QString& module, const QString& text) = 0; // 0: none opened
    virtual void Report(std::int32_t number, std::int32_t severity, const QString& text, const Variant& params) = 0;
    virtual void CloseStep(std::int32_t step) = 0;
};

} // namespace ostrel
