#pragma once
#include "Forward.h"
#include "host/core/Variant.h"
#include "host/storage/StorageElement.h"

namespace ostrel {

// The record a service-management system takes from a result.
class IServiceRecord : public virtual IObject {
public:
    virtual void Build(std::shared_ptr<IFilter> filter, const QString& statusText, const QString& comment) = 0;
    virtual QString StatusText() = 0;
    virtual QString Comment() = 0;
    virtual void Load(const StorageElement& element, ProgressPtr progress) = 0;
    virtual StorageElement Save(const StorageDocumentPtr& document) = 0;
};

} // namespace ostrel
