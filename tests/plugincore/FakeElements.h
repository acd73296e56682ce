#pragma once
// Test elements of the tests' own, registered in-process as "Tests.CElement" and "Tests.CGroup".
#include "host/catalog/TestCollection.h"
#include "host/catalog/TestInfo.h"
#include "host/contract/ITestElement.h"

namespace nb4410::testing {

class CElement : public virtual ostrel::ITestElement {
public:
    QString PlugInID() override { return m_plugInId; }
    std::int32_t TestID() override { return m_testId; }
    std::int32_t ID() override { return m_id; }
    void SetID(std::int32_t id) override { m_id = id; }
    ostrel::TestElementPtr Parent() override { return m_parent.lock(); }
    void SetParent(ostrel::TestElementPtr parent) override { m_parent = parent; }
    std::shared_ptr<ostrel::ITestInfo> Info() override { return m_info; }
    std::shared_ptr<ostrel::IFilter> Filter() override { return nullptr; }
    std::shared_ptr<ostrel::IResultData> Result() override { return nullptr; }
    std::shared_ptr<ostrel::ILimitData> Limits() override { return nullptr; }
    std::shared_ptr<ostrel::IConfigData> Configuration() override { return nullptr; }
    void Initialize(const QString& plugInId, std::int32_t testId, std::int32_t id) override
    {
        m_plugInId = plugInId;
        m_testId = testId;
        m_id = id;
        ++initializeCalls;
    }
    ostrel::TestElementPtr Clone() override
    {
        auto copy = std::make_shared<CElement>(*this);
        copy->m_info = m_info->Copy();
        copy->clonedFrom = this;
        return copy;
    }
    void Perform(std::shared_ptr<ostrel::IRunContext>) override {}
    void Load(const ostrel::StorageElement&, ostrel::ProgressPtr) override {}
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr&, const ostrel::Variant&) override { return {}; }
    void PrintReport(ostrel::ReportPtr, const ostrel::Variant&) override {}
    bool QuerySetParent(ostrel::TestElementPtr) override { return true; }
    void Terminate() override { ++terminateCalls; }
    void UpdateReferences() override {}
    ostrel::Variant GetMeasurementList() override { return {}; }

    std::shared_ptr<ostrel::TestInfo> m_info = std::make_shared<ostrel::TestInfo>();
    const CElement* clonedFrom = nullptr;
    int initializeCalls = 0;
    int terminateCalls = 0;

private:
    QString m_plugInId;
    std::int32_t m_testId = 0;
    std::int32_t m_id = 0;
    std::weak_ptr<ostrel::ITestElement> m_parent;
};

// A group: an element that also holds elements.
class CGroup : public CElement, public ostrel::ITestList {
public:
    std::int32_t Count() override { return members.Count(); }
    ostrel::TestElementPtr Item(std::int32_t index) override { return members.Item(index); }
    void Add(ostrel::TestElementPtr element, ostrel::TestElementPtr, std::int32_t flags) override
    {
        members.Add(element, nullptr, flags);
    }
    ostrel::TestElementPtr Find(std::int32_t id) override { return members.Find(id); }
    void Clear() override { members.Clear(); }
    void Terminate() override
    {
        CElement::Terminate();
        members.Clear();
    }

    ostrel::TestCollection members;
};

// An element whose Initialize fails, as a broken test class would.
class CBrokenElement : public CElement {
public:
    void Initialize(const QString&, std::int32_t, std::int32_t) override
    {
        throw ostrel::ComError(ostrel::hr(0x80047737u), "Tests.CBrokenElement", "cannot initialise", 1);
    }
};

// Not an element at all.
class CNotAnElement : public ostrel::IObject {};

} // namespace nb4410::testing
