#pragma once
#include "Forward.h"
#include "host/core/Variant.h"
#include "host/storage/StorageElement.h"

namespace ostrel {

class ITestElement : public virtual IObject {
public:
    virtual QString PlugInID() = 0;
    virtual std::int32_t TestID() = 0;
    virtual std::int32_t ID() = 0;
    virtual void SetID(std::int32_t id) = 0;
    virtual std::shared_ptr<ITestElement> Parent() = 0;          // held weakly by the core
    virtual void SetParent(std::shared_ptr<ITestElement> parent) = 0;
    virtual std::shared_ptr<ITestInfo> Info() = 0;
    virtual std::shared_ptr<IFilter> Filter() = 0;
    virtual std::shared_ptr<IResultData> Result() = 0;
    virtual std::shared_ptr<ILimitData> Limits() = 0;
    virtual std::shared_ptr<IConfigData> Configuration() = 0;
    virtual void Initialize(const QString& plugInId, std::int32_t testId, std::int32_t id) = 0;
    virtual std::shared_ptr<ITestElement> Clone() = 0;
    virtual void Perform(std::shared_ptr<IRunContext> context) = 0;
    virtual void Load(const StorageElement& element, ProgressPtr progress) = 0;
    virtual StorageElement Save(const StorageDocumentPtr& document, const Variant& extra = Variant()) = 0;
    virtual void PrintReport(ReportPtr report, const Variant& extra = Variant()) = 0;
    virtual bool QuerySetParent(std::shared_ptr<ITestElement> candidate) = 0;
    virtual void Terminate() = 0;
    virtual void UpdateReferences() = 0;
    virtual Variant GetMeasurementList() = 0; // two-dimensional: key, translated description
};

using TestElementPtr = std::shared_ptr<ITestElement>;

// The host's information object of an element: what the catalogue says about it.
class ITestInfo : public virtual IObject {
public:
    virtual void SetTypeAndParameter(const QString& type, const QString& parameter) = 0;
    virtual void SetDescription(const QString& description) = 0;
    virtual void SetName(const QString& name) = 0;
    virtual QString Type() = 0;
    virtual QString Parameter() = 0;
    virtual QString Name() = 0;
    virtual QString Description() = 0;
};

// The host's test-list interface: the catalogue collection, and groups of elements.
class ITestList : public virtual IObject {
public:
    virtual std::int32_t Count() = 0;
    virtual TestElementPtr Item(std::int32_t index) = 0; // 0-based, top level
    virtual void Add(TestElementPtr element, TestElementPtr parent, std::int32_t flags) = 0;
    virtual TestElementPtr Find(std::int32_t id) = 0;   // any depth; nullptr when absent
    virtual void Clear() = 0;
};

// Whether the host wants service records for the results of an element.
class IFilter : public virtual IObject {
public:
    virtual bool ServiceRecordWanted() = 0;
    virtual void SetServiceRecordWanted(bool wanted) = 0;
};

} // namespace ostrel
