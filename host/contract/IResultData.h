#pragma once
#include "Forward.h"
#include "host/core/Variant.h"
#include "host/storage/StorageElement.h"

namespace ostrel {

class IResultData : public virtual IObject {
public:
    virtual QString Comment() = 0;
    virtual void SetComment(const QString& comment) = 0;
    virtual bool HasDialog() = 0;
    virtual std::int32_t Status() = 0; // ResultStatus.h: 0 not evaluated, 1 passed, 2 failed, 3 N/A, ...
    // The text stored with the status (for an incomplete result the failure that ended its run),
    // which the test-guide status bar shows after the status; empty for a result that keeps none.
    virtual QString StatusText() { return QString(); }
    virtual std::shared_ptr<IMeasurement> Measurement(const Variant& index) = 0; // 1-based position, or key
    virtual std::int32_t MeasurementCount() = 0;
    virtual std::shared_ptr<IServiceRecord> ServiceRecord() = 0;
    virtual std::int32_t MTIID() = 0;
    virtual std::shared_ptr<IDialog> CreateDialog() = 0;
    virtual void Load(const StorageElement& element, ProgressPtr progress) = 0;
    virtual StorageElement Save(const StorageDocumentPtr& document) = 0;
    virtual void PrintReport(ReportPtr report, const Variant& extra = Variant()) = 0;
};

} // namespace ostrel
