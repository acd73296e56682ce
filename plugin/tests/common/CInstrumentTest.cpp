#include "CInstrumentTest.h"

#include "INB4410TestResult.h"
#include "MInstrumentNumber.h"
#include "MVti.h"

#include "host/contract/IRunContext.h"
#include "host/contract/IStandards.h"
#include "host/core/ErrorService.h"
#include "host/core/LanguageService.h"
#include "host/core/MessageService.h"
#include "host/core/Steps.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/CNB4410LimitData.h"

#include <QCoreApplication>

namespace nb4410 {

using ostrel::ComError;
using ostrel::ErrorService;
using ostrel::runStep;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {
// The core's numbers that Load and Save pass on unchanged.
bool isCoreLoadError(ostrel::HResult number)
{
    return (number >= ostrel::hr(0x8004A2C0u) && number <= ostrel::hr(0x8004A2C2u)) || number == ostrel::hr(0x8004A2C8u);
}
const ostrel::HResult kCoreSaveError = ostrel::hr(0x8004A2CDu);

Variant stepList(std::int32_t step) { return Variant(VariantArray{Variant(step)}); }
} // namespace

CInstrumentTest::CInstrumentTest(std::int32_t testType, QString errorSource, ResultFactory newResult)
    : m_errorSource(std::move(errorSource)),
      m_testType(testType),
      m_core(std::make_shared<ostrel::ElementCore>()),
      m_newResult(std::move(newResult))
{
    m_core->Initialize(QString::fromLatin1(kPlugInId), testType, 0);
    m_core->SetResultFactory(m_newResult);
}

CInstrumentTest::~CInstrumentTest() = default;

std::shared_ptr<ostrel::ITestElement> CInstrumentTest::Self()
{
    return std::dynamic_pointer_cast<ostrel::ITestElement>(shared_from_this());
}

void CInstrumentTest::Initialize(const QString& plugInId, std::int32_t testId, std::int32_t id)
{
    m_core->Initialize(plugInId, testId, id);
    m_core->SetConfiguration(NewConfiguration());
    auto limits = std::make_shared<CNB4410LimitData>();
    limits->SetOwner(Self());
    m_core->SetLimits(limits);
}

std::shared_ptr<ostrel::ITestElement> CInstrumentTest::Clone()
{
    try {
        std::shared_ptr<CInstrumentTest> copy = NewElement();
        copy->m_core->Terminate();
        copy->m_core = m_core->Clone();
        if (auto limits = std::dynamic_pointer_cast<CNB4410LimitData>(copy->m_core->Limits()))
            limits->SetOwner(copy);
        return copy;
    } catch (...) {
        ErrorService::instance().PassOn(m_errorSource);
    }
}

void CInstrumentTest::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    try {
        if (element && element.Name() == QLatin1String("ResultItem"))
            m_core->SetResult(m_newResult());
        m_core->Load(element, progress);
    } catch (...) {
        if (isCoreLoadError(ComError::fromCurrent().number()))
            ErrorService::instance().Raise(QString(), 0, QString(), 1);
        ErrorService::instance().PassOn(m_errorSource);
    }
}

ostrel::StorageElement CInstrumentTest::Save(const ostrel::StorageDocumentPtr& document, const Variant& /*extra*/)
{
    try {
        return m_core->Save(document);
    } catch (...) {
        if (ComError::fromCurrent().number() == kCoreSaveError)
            ErrorService::instance().Raise(QString(), 0, QString(), 1);
        ErrorService::instance().PassOn(m_errorSource);
    }
}

void CInstrumentTest::PrintReport(ostrel::ReportPtr report, const Variant& extra)
{
    try {
        m_core->PrintReport(report, extra);
    } catch (...) {
        ErrorService::instance().PassOn(m_errorSource);
    }
}

void CInstrumentTest::Terminate()
{
    // The core stays as an empty object, so that a terminated element answers harmlessly.
    m_core->Terminate();
    m_context.reset();
    m_identity.reset();
}

void CInstrumentTest::UpdateReferences()
{
    if (auto limits = m_core->Limits())
        if (auto standards = limits->Standards())
            standards->UpdateReferences(Self());
}

void CInstrumentTest::step(const char* what, const std::function<void()>& fn)
{
    if (PerformSkipsFailures())
        runStep(what, fn);
    else
        fn();
}

void CInstrumentTest::Perform(std::shared_ptr<ostrel::IRunContext> context)
{
    try {
        performSteps(context);
    } catch (...) {
        ErrorService::instance().PassOn(m_errorSource);
    }
}

void CInstrumentTest::performSteps(const std::shared_ptr<ostrel::IRunContext>& context)
{
    bool mayPerform = false;
    step("may perform", [&] { mayPerform = context && context->MayPerform(Self()); });
    if (!mayPerform)
        return;
    step("ensure result", [&] { EnsureResult(); });
    m_context = context;
    m_discardResult = false;
    m_notApplicable = false;
    m_performed = false;
    // What the element held before this window: abort or skip hands it back.
    step("keep the stored result", [&] { keepStoredResult(); });

    m_guide = std::make_unique<FTestGuide>();
    // However Perform ends, the window goes with it.
    struct GuideRelease {
        std::unique_ptr<FTestGuide>& guide;
        ~GuideRelease()
        {
            if (guide)
                guide->Unload();
            guide.reset();
        }
    } release{m_guide};
    connectGuide();

    Variant instructions;
    Variant information;
    step("instructions", [&] {
        const QStringList texts = InstructionTexts();
        instructions = VariantArray::fromTexts(std::vector<QString>(texts.begin(), texts.end()));
    });
    step("configuration information", [&] { information = ConfigurationInformation(); });
    step("prepare window", [&] { m_guide->InitGuide(Self(), context, instructions, information); });
    step("highlight steps", [&] { m_guide->HighlightSteps(FirstSteps()); });
    m_guide->exec();
    m_guide->Unload();
    m_guide.reset();
    step("finish", [&] { Finish(); });
}

void CInstrumentTest::EnsureResult()
{
    if (!m_core->Result())
        m_core->SetResult(m_newResult());
}

Variant CInstrumentTest::FirstSteps() const { return stepList(-1); }

void CInstrumentTest::ReportRunFailure(const ComError& failure)
{
    // The driver has shown its own failures already.
    if (failure.number() == nb4410vti::eeVTI_Error)
        return;
    auto& messages = ostrel::MessageService::instance();
    messages.Show(ostrel::MessageIcon::Exclamation,
                  QStringLiteral("Error #%1\r\n%2").arg(failure.number()).arg(failure.description()),
                  messages.ApplicationTitle());
}

void CInstrumentTest::connectGuide()
{
    FTestGuide* guide = m_guide.get();
    QObject::connect(guide, &FTestGuide::StartTest, guide, [this] { OnStartTest(); });
    QObject::connect(guide, &FTestGuide::StopTest, guide, [this] { OnStopTest(); });
    QObject::connect(guide, &FTestGuide::Abort, guide, [this] { OnAbort(); });
    QObject::connect(guide, &FTestGuide::PrevTest, guide, [this] { OnPrevTest(); });
    QObject::connect(guide, &FTestGuide::NextTest, guide, [this] { OnNextTest(); });
    QObject::connect(guide, &FTestGuide::NA, guide, [this] { OnNA(); });
    QObject::connect(guide, &FTestGuide::SkipTest, guide, [this] { OnSkipTest(); });
    QObject::connect(guide, &FTestGuide::Motion, guide, [this] { OnMotion(); });
}

void CInstrumentTest::OnStartTest()
{
    if (m_running)
        return;
    m_running = true;
    beginRun();
    try {
        runInstrument();
    } catch (...) {
        const ComError failure = ComError::fromCurrent();
        ReportRunFailure(failure);
        runFailed();
        // What was measured before the failure stays for the record, but is no verdict.
        runStep("mark the result incomplete", [&] { markIncomplete(FailureText(failure)); });
    }
}

QString CInstrumentTest::FailureText(const ComError& failure)
{
    const QString description = failure.description().trimmed();
    return description.isEmpty() ? QStringLiteral("Error #%1").arg(failure.number()) : description;
}

void CInstrumentTest::markIncomplete(const QString& failure)
{
    if (auto result = TestResult())
        result->MarkIncomplete(failure);
    EvaluateAndShow();
    // An incomplete result may be stored for the record even when nothing was measured.
    if (m_guide)
        m_guide->EnableNextButton(true);
}

void CInstrumentTest::runInstrument()
{
    auto result = TestResult();
    if (result)
        result->Clear();
    if (m_guide)
        m_guide->ShowResult(m_core->Result());

    VariantArray parameters;
    if (m_core->Configuration() || !ParameterSetNeedsConfiguration())
        parameters = ParameterSet();
    PrepareRun();

    const bool stopped = !pollInstrument(parameters, m_testType, [this] {
        if (m_guide)
            m_guide->SetRunning(true, stepList(0));
    });
    m_running = false;
    // Stop, next, previous or abort before the end condition: what was measured is partial.
    if (stopped && !StopCompletesRun())
        markIncomplete(QString());
    else
        EvaluateAndShow(); // the verdict, now that the run has ended
    if (m_guide)
        m_guide->SetRunning(false, stepList(0));
}

bool CInstrumentTest::pollInstrument(const VariantArray& parameters, std::int32_t testType,
                                     const std::function<void()>& started)
{
    m_identity = MVti::Driver()->StartRemote();
    Variant wrapped(VariantArray{Variant(parameters)});
    MVti::Driver()->StartTest(wrapped);
    started();
    bool done = false;
    while (!done) {
        // The window's buttons reach the run here, and only through the marks.
        QCoreApplication::processEvents();
        if (m_stopRequested)
            break;
        std::int32_t polled = testType;
        Variant reply;
        MVti::Driver()->GetTestResult(polled, reply);
        done = TakeReply(reply.isArray() ? reply.array() : VariantArray());
    }
    MVti::Driver()->StopTest();
    MVti::Driver()->EndRemote();
    return done;
}

void CInstrumentTest::runFailed()
{
    m_running = false;
    runStep("stop instrument test", [] { MVti::Driver()->StopTest(); });
    runStep("end remote", [] { MVti::Driver()->EndRemote(); });
    runStep("idle window", [&] {
        if (m_guide)
            m_guide->SetRunning(false, stepList(0));
    });
}

void CInstrumentTest::OnStopTest() { m_stopRequested = true; }

void CInstrumentTest::OnAbort()
{
    m_discardResult = true;
    Leave(kAbort);
}

void CInstrumentTest::OnPrevTest() { Leave(kPrevious); }

void CInstrumentTest::OnNextTest() { Leave(kNext); }

void CInstrumentTest::OnNA()
{
    m_notApplicable = true;
    Leave(kNext);
}

void CInstrumentTest::OnSkipTest()
{
    m_discardResult = true;
    Leave(kNext);
}

void CInstrumentTest::Leave(std::int32_t navigation)
{
    m_stopRequested = true;
    runStep("navigate", [&] {
        if (m_context)
            m_context->Navigate(navigation);
    });
    runStep("hide window", [&] {
        if (m_guide)
            m_guide->hide();
    });
}

std::shared_ptr<INB4410TestResult> CInstrumentTest::TestResult() const
{
    return std::dynamic_pointer_cast<INB4410TestResult>(m_core->Result());
}

void CInstrumentTest::EvaluateAndShow()
{
    // While the instrument runs the values are live, not a verdict: a cuff still inflating has
    // not failed, a leak test at its first sample has not passed.
    if (auto result = TestResult()) {
        if (m_running)
            result->ShowRunning();
        else
            result->EvaluateStatus(m_core->Limits(), m_context ? m_context->SelectedStandards() : nullptr, false);
    }
    if (m_guide)
        m_guide->ShowResult(m_core->Result());
}

void CInstrumentTest::Finish()
{
    auto result = TestResult();
    if (m_discardResult) {
        DiscardRun();
    } else if (m_notApplicable && result) {
        result->EvaluateStatus(m_core->Limits(), m_context ? m_context->SelectedStandards() : nullptr, true);
        result->BuildServiceRecord(m_core->Filter());
        if (m_context)
            m_context->ResultFinal(Self());
    } else if (m_performed && result) {
        result->BuildServiceRecord(m_core->Filter());
        result->SetMTIID(MInstrumentNumber::Resolve(m_context ? m_context->Instruments() : nullptr, m_identity));
        if (m_context)
            m_context->ResultFinal(Self());
    }
}

void CInstrumentTest::keepStoredResult()
{
    m_storedResult = {};
    const auto result = m_core->Result();
    if (!result || result->Status() == 0)
        return;
    m_storedResult.document = ostrel::StorageDocument::Create();
    m_storedResult.element = result->Save(m_storedResult.document);
}

void CInstrumentTest::DiscardRun()
{
    std::shared_ptr<ostrel::IResultData> restored;
    if (m_storedResult.element) {
        restored = m_newResult();
        restored->Load(m_storedResult.element, nullptr);
    }
    m_core->SetResult(restored);
}

Variant CInstrumentTest::Field(const VariantArray& reply, int index)
{
    return index >= 0 && index < reply.count() ? reply[index] : Variant();
}

Variant CInstrumentTest::MeasurementTable(const std::vector<std::pair<QString, QString>>& keysAndTexts)
{
    VariantArray table(static_cast<int>(keysAndTexts.size()), 2);
    for (int row = 0; row < static_cast<int>(keysAndTexts.size()); ++row) {
        table.at(row, 0) = keysAndTexts[static_cast<size_t>(row)].first;
        table.at(row, 1) = ostrel::tr4410(keysAndTexts[static_cast<size_t>(row)].second);
    }
    return Variant(table);
}

} // namespace nb4410
