#pragma once
#include "Forward.h"
#include "host/core/Variant.h"
#include "host/storage/StorageElement.h"

namespace ostrel {

class IMeasurement : public virtual IObject {
public:
    virtual QString Description() = 0; // translated
    virtual QString Key() = 0;
    virtual QString LimitKey() = 0;
    virtual std::int32_t Status() = 0;
    virtual QString Unit() = 0;
    virtual Variant Value() = 0;
    virtual Variant PresetValue() = 0;
    virtual std::int32_t ValueType() = 0;
    virtual QString ValueFormat() = 0;
    virtual QString Flags() = 0;
    virtual QString ToolTipText() = 0;
    // The value in words where a number or yes/no would not say it (translated); empty: the
    // host shows the value itself.
    virtual QString ReadableValue() = 0;
    virtual void Load(const StorageElement& element, ProgressPtr progress) = 0;
    virtual StorageElement Save(const StorageDocumentPtr& parent) = 0;
};

} // namespace ostrel
