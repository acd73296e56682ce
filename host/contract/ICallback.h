#pragma once
#include "Forward.h"
#include "host/core/Variant.h"

namespace ostrel {

// The host's callback object given to editors and dialogs; editors send "Change" with an
// empty array after each edit that reaches their configuration.
class ICallback : public virtual IObject {
public:
    virtual void Notify(const QString& eventName, const Variant& params) = 0;
};

} // namespace ostrel
