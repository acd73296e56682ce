#pragma once
// Owners and run contexts of our own for the measurement and limit-data tests.
#include "host/contract/IResultData.h"
#include "host/contract/IRunContext.h"
#include "host/contract/ITestElement.h"
#include "host/core/MtiData.h"

namespace nb4410::testing {

class FakeTestElement : public ostrel::ITestElement {
public:
    explicit FakeTestElement(std::int32_t testId) : testId(testId) {}
    QString PlugInID() override { return QStringLiteral("NB-4410"); }
    std::int32_t TestID() override { return testId; }
    std::int32_t ID() override { return 0; }
    void SetID(std::int32_t) override {}
    std::shared_ptr<ostrel::ITestElement> Parent() override { return nullptr; }
    void SetParent(std::shared_ptr<ostrel::ITestElement>) override {}
    std::shared_ptr<ostrel::ITestInfo> Info() override { return nullptr; }
    std::shared_ptr<ostrel::IFilter> Filter() override { return nullptr; }
    std::shared_ptr<ostrel::IResultData> Result() override { return nullptr; }
    std::shared_ptr<ostrel::ILimitData> Limits() override { return limits; }
    std::shared_ptr<ostrel::IConfigData> Configuration() override { return nullptr; }
    void Initialize(const QString&, std::int32_t, std::int32_t) override {}
    std::shared_ptr<ostrel::ITestElement> Clone() override { return nullptr; }
    void Perform(std::shared_ptr<ostrel::IRunContext>) override {}
    void Load(const ostrel::StorageElement&, ostrel::ProgressPtr) override {}
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr&, const ostrel::Variant&) override { return {}; }
    void PrintReport(ostrel::ReportPtr, const ostrel::Variant&) override {}
    bool QuerySetParent(std::shared_ptr<ostrel::ITestElement>) override { return false; }
    void Terminate() override {}
    void UpdateReferences() override {}
    ostrel::Variant GetMeasurementList() override { return {}; }

    std::int32_t testId;
    std::shared_ptr<ostrel::ILimitData> limits; // an owner holds its limit data strongly
};

class FakeRunContext : public ostrel::IRunContext {
public:
    bool MayPerform(std::shared_ptr<ostrel::ITestElement>) override { return true; }
    void Navigate(std::int32_t) override {}
    std::shared_ptr<ostrel::InstrumentList> Instruments() override { return nullptr; }
    std::shared_ptr<ostrel::IStandards> SelectedStandards() override { return selected; }
    void ResultFinal(std::shared_ptr<ostrel::ITestElement>) override {}
    std::shared_ptr<ostrel::IStandards> selected;
};

class FakeResult : public ostrel::IResultData {
public:
    QString Comment() override { return comment; }
    void SetComment(const QString& text) override { comment = text; }
    bool HasDialog() override { return !comment.isEmpty(); }
    std::int32_t Status() override { return 0; }
    std::shared_ptr<ostrel::IMeasurement> Measurement(const ostrel::Variant&) override { return nullptr; }
    std::int32_t MeasurementCount() override { return 0; }
    std::shared_ptr<ostrel::IServiceRecord> ServiceRecord() override { return nullptr; }
    std::int32_t MTIID() override { return 0; }
    std::shared_ptr<ostrel::IDialog> CreateDialog() override { return nullptr; }
    void Load(const ostrel::StorageElement&, ostrel::ProgressPtr) override {}
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr&) override { return {}; }
    void PrintReport(ostrel::ReportPtr, const ostrel::Variant&) override {}
    QString comment;
};

} // namespace nb4410::testing
