#pragma once
// A stand-in test element and plug-in: the element keeps its parts in the host's element
// core and, when performed, runs a script given by the test (navigate, finish a result, ...).
#include "FakeData.h"

#include "host/contract/IPlugIn.h"
#include "host/contract/IRunContext.h"
#include "host/run/ElementCore.h"

#include <functional>
#include <vector>

namespace ostrel::testing {

class FakeElement;
using PerformScript = std::function<void(FakeElement& element, const std::shared_ptr<IRunContext>& context)>;

// What every fake element did, in order: "perform <ID>", "refused <ID>", "terminate <ID>".
std::vector<QString>& fakeLog();

class FakeElement : public ITestElement {
public:
    FakeElement();

    QString PlugInID() override { return core->PlugInID(); }
    std::int32_t TestID() override { return core->TestID(); }
    std::int32_t ID() override { return core->ID(); }
    void SetID(std::int32_t id) override { core->SetID(id); }
    std::shared_ptr<ITestElement> Parent() override { return core->Parent(); }
    void SetParent(std::shared_ptr<ITestElement> parent) override { core->SetParent(parent); }
    std::shared_ptr<ITestInfo> Info() override { return core->Info(); }
    std::shared_ptr<IFilter> Filter() override { return core->Filter(); }
    std::shared_ptr<IResultData> Result() override { return core->Result(); }
    std::shared_ptr<ILimitData> Limits() override { return core->Limits(); }
    std::shared_ptr<IConfigData> Configuration() override { return core->Configuration(); }
    void Initialize(const QString& plugInId, std::int32_t testId, std::int32_t id) override;
    std::shared_ptr<ITestElement> Clone() override;
    void Perform(std::shared_ptr<IRunContext> context) override;
    void Load(const StorageElement& element, ProgressPtr progress) override { core->Load(element, progress); }
    StorageElement Save(const StorageDocumentPtr& document, const Variant&) override { return core->Save(document); }
    void PrintReport(ReportPtr report, const Variant& extra) override { core->PrintReport(report, extra); }
    bool QuerySetParent(std::shared_ptr<ITestElement>) override { return true; }
    void Terminate() override;
    void UpdateReferences() override {}
    Variant GetMeasurementList() override { return {}; }

    FakeConfig& config() { return *std::dynamic_pointer_cast<FakeConfig>(core->Configuration()); }
    FakeLimits& limits() { return *std::dynamic_pointer_cast<FakeLimits>(core->Limits()); }
    // The result, made when there is none.
    FakeResult& result();

    std::shared_ptr<ElementCore> core;
    PerformScript script; // default: navigate to the next element
};

// Common scripts.
PerformScript navigate(std::int32_t code);
// Gives the element a result of one measurement with that status, sends the finished notice
// and navigates to the next element.
PerformScript finishWith(std::int32_t status, double value);

class FakePlugIn : public IPlugIn {
public:
    static constexpr char kProgId[] = "FakeHost.CPlugInFake";
    static constexpr char kId[] = "FAKE";

    QString ID() override { return QString::fromLatin1(kId); }
    QImage Icon(std::int32_t, std::int32_t, const Variant&) override { return {}; }
    QString Name() override { return QStringLiteral("Fake plug-in"); }
    std::int32_t Flags() override { return m_initialised ? 1 : 0; }
    std::shared_ptr<ISetup> Setup() override { return nullptr; }
    Variant ControlPanel() override { return {}; }
    std::shared_ptr<ITestList> Tests() override;
    QString Version() override { return QStringLiteral("1.0.0"); }
    ObjectPtr PlugInMenu() override { return nullptr; }
    void Initialize(ObjectPtr) override { m_initialised = true; }
    std::shared_ptr<ITestElement> CreateTest(std::int32_t testId) override;
    ObjectPtr CreateDUTData() override { return nullptr; }

    // The test IDs it offers.
    static constexpr std::int32_t kTestIds[] = {10, 20, 30};

private:
    bool m_initialised = false;
};

} // namespace ostrel::testing
