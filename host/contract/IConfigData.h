#pragma once
#include "Forward.h"
#include "host/core/Variant.h"
#include "host/storage/StorageElement.h"

namespace ostrel {

class IConfigData : public virtual IObject {
public:
    virtual bool HasDialog() = 0;
    virtual std::shared_ptr<IConfigData> Clone() = 0;
    virtual std::shared_ptr<IDialog> CreateDialog() = 0;
    virtual void Load(const StorageElement& element, ProgressPtr progress) = 0;
    virtual StorageElement Save(const StorageDocumentPtr& document) = 0;
    virtual void PrintReport(ReportPtr report) = 0;
};

} // namespace ostrel
