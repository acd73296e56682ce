#pragma once
#include "Forward.h"
#include "host/core/Variant.h"
#include "host/storage/StorageElement.h"

namespace ostrel {

class ILimitData : public virtual IObject {
public:
    virtual QString Description() = 0;
    virtual void SetDescription(const QString& description) = 0;
    virtual bool HasDialog() = 0;
    virtual std::shared_ptr<IStandards> Standards() = 0;
    virtual std::shared_ptr<ITestElement> Owner() = 0;
    virtual std::shared_ptr<ILimitData> Clone() = 0;
    virtual std::shared_ptr<IDialog> CreateDialog() = 0;
    virtual std::shared_ptr<IStandard> CreateStandard(const Variant& shortName, const Variant& fullName) = 0;
    virtual void Load(const StorageElement& element, ProgressPtr progress) = 0;
    virtual StorageElement Save(const StorageDocumentPtr& document) = 0;
    virtual void PrintReport(ReportPtr report, std::shared_ptr<IRunContext> context) = 0;
    virtual void UpdateLimits(ObjectPtr object) = 0;
    virtual std::shared_ptr<IStandards> FindFailedStandards(std::shared_ptr<IMeasurement> measurement,
                                                            std::shared_ptr<IStandards> selected) = 0;
};

} // namespace ostrel
