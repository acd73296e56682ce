#pragma once
// The host's limit objects: a collection of standards, each holding one limit item per
// measurement key with an upper (index 0) and a lower (index 1) limit.
#include "Forward.h"
#include "host/core/Variant.h"
#include "host/storage/StorageElement.h"

#include <vector>

namespace ostrel {

class ILimitItem : public virtual IObject {
public:
    virtual void Initialize(const QString& key, const QString& unit, const QString& a, const QString& b) = 0;
    virtual QString Key() = 0;
    virtual QString Unit() = 0;             // may be "%"
    virtual void SetUnit(const QString& unit) = 0;
    virtual std::int32_t UnitFlag() = 0;    // 0: Unit applies; otherwise the measurement's unit
    virtual void SetUnitFlag(std::int32_t flag) = 0;
    virtual bool IsLimitSet(int index) = 0; // 0 upper, 1 lower
    virtual double Limit(int index) = 0;
    virtual void SetLimit(int index, double value) = 0;
    virtual void ClearLimit(int index) = 0;
};

class IStandard : public virtual IObject {
public:
    virtual void Initialize(const Variant& shortName, const Variant& fullName, std::int32_t kind) = 0;
    virtual QString ShortName() = 0;
    virtual QString FullName() = 0;
    virtual std::vector<std::shared_ptr<ILimitItem>> LimitItems() = 0;
    virtual void AddLimitItem(std::shared_ptr<ILimitItem> item) = 0;
    // 1 passed, 2 failed; the value and preset are in the measurement's unit (see LimitRule).
    virtual std::int32_t Evaluate(const QString& key, double value, double presetValue) = 0;
};

class IStandards : public virtual IObject {
public:
    virtual std::int32_t Count() = 0;
    virtual std::shared_ptr<IStandard> Item(std::int32_t index) = 0; // 0-based
    virtual std::shared_ptr<IStandard> Find(const QString& shortName, const QString& fullName) = 0;
    virtual std::shared_ptr<IStandards> Clone() = 0;
    virtual void Add(std::shared_ptr<IStandard> standard) = 0;
    virtual void RemoveAll() = 0;
    virtual void Load(const StorageElement& element, ProgressPtr progress) = 0;
    virtual StorageElement Save(const StorageDocumentPtr& document) = 0;
    virtual void PrintReport(ReportPtr report, std::shared_ptr<IStandards> selected, const Variant& keyTable) = 0;
    virtual void UpdateReferences(std::shared_ptr<ITestElement> element) = 0;
};

} // namespace ostrel
