#pragma once
// The skeleton the instrument tests share: the element's bookkeeping in a host element core,
// Perform around the modal test-guide window, the window's buttons, the start-poll-stop run
// of the instrument and the finish steps after the window is gone. A test supplies its
// configuration, result, instructions, parameter set and what it makes of each reply.
#include "host/contract/ITestElement.h"
#include "host/core/MtiData.h"
#include "host/run/ElementCore.h"
#include "host/storage/StorageElement.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace nb4410 {

class FTestGuide;
class INB4410TestResult;

class CInstrumentTest : public ostrel::ITestElement {
public:
    static constexpr char kPlugInId[] = "NB-4410";
    // The navigation codes of the run context.
    static constexpr std::int32_t kNext = 0;
    static constexpr std::int32_t kPrevious = 1;
    static constexpr std::int32_t kAbort = 2;

    ~CInstrumentTest() override;

    // ITestElement
    QString PlugInID() override { return m_core->PlugInID(); }
    std::int32_t TestID() override { return m_core->TestID(); }
    std::int32_t ID() override { return m_core->ID(); }
    void SetID(std::int32_t id) override { m_core->SetID(id); }
    std::shared_ptr<ostrel::ITestElement> Parent() override { return m_core->Parent(); }
    void SetParent(std::shared_ptr<ostrel::ITestElement> parent) override { m_core->SetParent(parent); }
    std::shared_ptr<ostrel::ITestInfo> Info() override { return m_core->Info(); }
    std::shared_ptr<ostrel::IFilter> Filter() override { return m_core->Filter(); }
    std::shared_ptr<ostrel::IResultData> Result() override { return m_core->Result(); }
    std::shared_ptr<ostrel::ILimitData> Limits() override { return m_core->Limits(); }
    std::shared_ptr<ostrel::IConfigData> Configuration() override { return m_core->Configuration(); }
    void Initialize(const QString& plugInId, std::int32_t testId, std::int32_t id) override;
    std::shared_ptr<ostrel::ITestElement> Clone() override;
    void Perform(std::shared_ptr<ostrel::IRunContext> context) override;
    void Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress) override;
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document, const ostrel::Variant& extra = {}) override;
    void PrintReport(ostrel::ReportPtr report, const ostrel::Variant& extra = {}) override;
    bool QuerySetParent(std::shared_ptr<ostrel::ITestElement> /*candidate*/) override { return true; }
    void Terminate() override;
    void UpdateReferences() override;

    // The marks the window's buttons set, as the run and the finish steps see them.
    bool StopRequested() const { return m_stopRequested; }
    bool Performed() const { return m_performed; }
    bool DiscardResult() const { return m_discardResult; }
    bool NotApplicable() const { return m_notApplicable; }
    bool Running() const { return m_running; }
    std::shared_ptr<ostrel::IRunContext> RunContext() const { return m_context; }
    ostrel::MtiDataPtr InstrumentIdentity() const { return m_identity; }
    ostrel::ElementCorePtr Core() const { return m_core; }
    // The window while Perform shows it, else nullptr.
    FTestGuide* Guide() const { return m_guide.get(); }

protected:
    using ResultFactory = std::function<std::shared_ptr<ostrel::IResultData>()>;

    // testType: the instrument's number of the test, which the catalogue's test ID need not be.
    CInstrumentTest(std::int32_t testType, QString errorSource, ResultFactory newResult);

    // What each test supplies.
    virtual std::shared_ptr<CInstrumentTest> NewElement() const = 0;
    virtual std::shared_ptr<ostrel::IConfigData> NewConfiguration() const = 0;
    virtual QStringList InstructionTexts() = 0;                  // translated
    virtual ostrel::Variant ConfigurationInformation() { return {}; } // rows of caption and value
    virtual ostrel::VariantArray ParameterSet() = 0;             // the instrument's "STST" block
    // Whether the parameter set comes from the configuration (without one the set is empty);
    // a test whose set is its test type alone builds it in any case.
    virtual bool ParameterSetNeedsConfiguration() const { return true; }
    // Perform makes sure the core holds a result before the window opens; a test that fills
    // its result from the configuration overrides it.
    virtual void EnsureResult();
    // The instruction steps highlighted when the window opens (-1: none).
    virtual ostrel::Variant FirstSteps() const;
    // Called after the parameter set was taken at a start (the leak test reads its duration).
    virtual void PrepareRun() {}
    // One "GRES" reply of the running test; returns true when the run is done.
    virtual bool TakeReply(const ostrel::VariantArray& reply) = 0;
    // Whether a run the operator stops has ended as it should (a continuous run): otherwise it
    // is incomplete.
    virtual bool StopCompletesRun() const { return false; }
    // Perform's steps: the leak test hands a failure to the error service, the other tests
    // skip the failing step and go on.
    virtual bool PerformSkipsFailures() const { return false; }

    // The window's events; tests with other needs override them.
    virtual void OnStartTest();
    virtual void OnStopTest();
    virtual void OnAbort();
    virtual void OnPrevTest();
    virtual void OnNextTest();
    virtual void OnNA();
    virtual void OnSkipTest();
    virtual void OnMotion() {}

    // Helpers of the run.
    std::shared_ptr<INB4410TestResult> TestResult() const;
    // Evaluates the result against the limits and the selected standards, then shows it.
    void EvaluateAndShow();
    // Leaves the window: the navigation code goes to the run context and the window hides.
    // Setting stop requested too ends a run that is still polling before Perform returns.
    void Leave(std::int32_t navigation);
    // The steps after the window is gone; a test that numbers the instrument differently overrides it.
    virtual void Finish();
    // The message box of a failed run; the driver's own failures are not shown again.
    static void ReportRunFailure(const ostrel::ComError& failure);
    // The failure as it is stored with an incomplete result.
    static QString FailureText(const ostrel::ComError& failure);
    // The result is incomplete (failure: the error that ended the run, else empty); shown at once.
    void markIncomplete(const QString& failure);
    // Abort or skip: the result of the run in this window goes, and the element holds again
    // what it held before the window opened (a stored result, or none).
    void DiscardRun();
    // Starts the instrument's test with the parameter set (kept with the identity the driver
    // returns), calls started, polls with the test type until a reply ends the run or the
    // operator stops it, and ends the test and the remote session: false when stopped first.
    bool pollInstrument(const ostrel::VariantArray& parameters, std::int32_t testType,
                        const std::function<void()>& started);
    std::shared_ptr<ostrel::ITestElement> Self();
    // A reply field (0-based); Empty when the reply is shorter.
    static ostrel::Variant Field(const ostrel::VariantArray& reply, int index);
    // A two-column table of measurement keys and their translated descriptions.
    static ostrel::Variant MeasurementTable(const std::vector<std::pair<QString, QString>>& keysAndTexts);

    // A run starts: no stop asked for yet, the element counts as performed, its result is kept.
    void beginRun()
    {
        m_stopRequested = false;
        m_performed = true;
        m_discardResult = false;
    }

    const QString m_errorSource;
    bool m_stopRequested = false;
    bool m_performed = false;
    bool m_discardResult = false;
    bool m_notApplicable = false;

private:
    void performSteps(const std::shared_ptr<ostrel::IRunContext>& context);
    void connectGuide();
    void runInstrument();
    void runFailed();
    void step(const char* what, const std::function<void()>& fn);
    void keepStoredResult();

    const std::int32_t m_testType;
    ostrel::ElementCorePtr m_core;
    ResultFactory m_newResult;
    std::shared_ptr<ostrel::IRunContext> m_context;
    ostrel::MtiDataPtr m_identity;
    std::unique_ptr<FTestGuide> m_guide;
    // The result the element held when the window opened, in its stored form.
    struct StoredResult {
        ostrel::StorageDocumentPtr document;
        ostrel::StorageElement element;
    } m_storedResult;
    bool m_running = false;
};

} // namespace nb4410
