#include "CTestBP.h"

#include "CConfigIBP.h"
#include "CConfigPBP.h"
#include "CResultBP.h"
#include "MConfigBP.h"

#include "host/contract/IRunContext.h"
#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/MessageService.h"
#include "host/core/Steps.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/MMeasureKey.h"
#include "plugin/tests/common/MInstrumentNumber.h"
#include "plugin/tests/common/MVti.h"

namespace nb4410 {

OSTREL_REGISTER_CLASS("OstrelNB4410.CTestBP", CTestBP)

using ostrel::runStep;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {
Variant steps(std::initializer_list<std::int32_t> numbers)
{
    VariantArray list;
    for (std::int32_t number : numbers)
        list.append(Variant(number));
    return Variant(list);
}
} // namespace

CTestBP::CTestBP()
    : CInstrumentTest(0, QString::fromLatin1(kSource), [] { return std::make_shared<CResultBP>(); })
{
}

std::shared_ptr<CInstrumentTest> CTestBP::NewElement() const { return std::make_shared<CTestBP>(); }

std::shared_ptr<ostrel::IConfigData> CTestBP::NewConfiguration() const
{
    switch (Core()->TestID()) {
    case kIndependentTestId: return std::make_shared<CConfigIBP>();
    case kPresetTestId:
    case kArtifactTestId: {
        auto configuration = std::make_shared<CConfigPBP>();
        configuration->LoadDefaults(Core()->TestID() == kPresetTestId ? btPreset : btArtifact);
        return configuration;
    }
    default: return nullptr;
    }
}

INB4410ConfigBP* CTestBP::ConfigBP() const
{
    return dynamic_cast<INB4410ConfigBP*>(Core()->Configuration().get());
}

std::shared_ptr<CResultBP> CTestBP::ResultBP() const
{
    return std::dynamic_pointer_cast<CResultBP>(Core()->Result());
}

void CTestBP::EnsureResultBP(bool force)
{
    runStep("ensure result", [&] {
        if (force || !ResultBP())
            Core()->SetResult(std::make_shared<CResultBP>());
    });
    runStep("simulated values", [&] {
        if (auto result = ResultBP())
            result->InitMeasurements(ConfigBP());
    });
}

Variant CTestBP::GetMeasurementList()
{
    INB4410ConfigBP* configuration = ConfigBP();
    if (!configuration)
        return Variant();
    std::vector<std::pair<QString, QString>> rows{{QLatin1String(MMeasureKey::kSyst), QStringLiteral("20350::Systolic")},
                                                  {QLatin1String(MMeasureKey::kDias), QStringLiteral("20351::Diastolic")},
                                                  {QLatin1String(MMeasureKey::kHart), QStringLiteral("20353::Heart Rate")}};
    if (configuration->TestType() != btIndependent)
        rows.emplace_back(QLatin1String(MMeasureKey::kMapr), QStringLiteral("20352::MAP"));
    return MeasurementTable(rows);
}

QStringList CTestBP::InstructionTexts()
{
    return {ostrel::tr4410(QStringLiteral("20750::1. Attach the cuff and the blood pressure unit to the NB-4410.")),
            ostrel::tr4410(QStringLiteral("20751::2. Press play to run the simulation.")),
            ostrel::tr4410(QStringLiteral("20752::3. Press start on the blood pressure unit.")),
            ostrel::tr4410(QStringLiteral("20753::4. Record the values reported by the blood pressure unit."))};
}

Variant CTestBP::ConfigurationInformation()
{
    VariantArray rows(1, 2);
    INB4410ConfigBP* configuration = ConfigBP();
    runStep("configuration information", [&] {
        if (Core()->TestID() == kIndependentTestId) {
            rows.at(0, 0) = ostrel::tr4410(QStringLiteral("20240::Arrhythmia Simulation")) + QStringLiteral(": ");
            rows.at(0, 1) = configuration ? MConfigBP::ArrhythmiaSimName(configuration->ArrhythmiaSim()) : QString();
        } else {
            rows.at(0, 0) = ostrel::tr4410(QStringLiteral("20356::Selected Preset")) + QStringLiteral(": ");
            rows.at(0, 1) = configuration ? configuration->SelectedPresetName() : QString();
        }
    });
    return Variant(rows);
}

VariantArray CTestBP::ParameterSet()
{
    INB4410ConfigBP* configuration = ConfigBP();
    if (!configuration)
        return VariantArray();
    const Variant block = configuration->RetrieveTestParams();
    return block.isArray() ? block.array() : VariantArray();
}

Variant CTestBP::FirstSteps() const { return steps({1, 2}); }

bool CTestBP::TakeReply(const VariantArray& reply)
{
    const double elapsedS = Field(reply, kElapsedField).val();
    const double pressure = Field(reply, kPressureField).val();
    // Replies before the monitor starts its cycle carry neither time nor pressure.
    if (elapsedS <= 0 && pressure <= kIdlePressureMmHg)
        return false;
    const bool done = elapsedS > 0 && Field(reply, kEndField).val() > 0;
    if (Guide())
        Guide()->UpdatePerformData(ostrel::roundToLong(pressure), Field(reply, kElapsedField));
    return done;
}

void CTestBP::setRunning(bool running, std::initializer_list<std::int32_t> numbers)
{
    if (Guide())
        Guide()->SetRunning(running, steps(numbers));
}

void CTestBP::OnStartTest()
{
    if (s_running)
        return;
    s_running = true;
    beginRun();
    // Readings only: nothing is simulated, the technician records what the monitor shows.
    if (Core()->TestID() == kReadingsOnlyTestId) {
        beginResultEntry();
        s_running = false;
        return;
    }
    try {
        if (runSimulation()) {
            beginResultEntry();
        }
    } catch (...) {
        ReportRunFailure(ostrel::ComError::fromCurrent());
        simulationFailed();
    }
    s_running = false;
}

void CTestBP::beginResultEntry()
{
    setRunning(false, {4});
    if (Guide())
        Guide()->BeginResultEntry();
    if (auto result = ResultBP())
        result->MarkMeasurements(QString::fromLatin1(kIncompleteFlag));
    setRunning(false, {1, 2});
}

bool CTestBP::runSimulation()
{
    return pollInstrument(ParameterSet(), kInstrumentTestType, [this] { setRunning(true, {3}); });
}

void CTestBP::simulationFailed()
{
    s_running = false;
    m_discardResult = true;
    runStep("stop instrument test", [] { MVti::Driver()->StopTest(); });
    runStep("end remote", [] { MVti::Driver()->EndRemote(); });
    runStep("idle window", [&] { setRunning(false, {1, 2}); });
}

void CTestBP::OnNextTest()
{
    bool leave = true;
    runStep("judge result", [&] {
        auto result = ResultBP();
        if (!m_performed || !result)
            return;
        result->EvaluateStatus(Core()->Limits(), RunContext() ? RunContext()->SelectedStandards() : nullptr, false);
        if (result->Status() != 2)
            return;
        if (Guide())
            Guide()->ShowResult(result);
        auto& messages = ostrel::MessageService::instance();
        // A failed result is stored only when the operator says so.
        leave = messages.ConfirmWarning(ostrel::tr4410(QString::fromLatin1(kFailedQuestion)), messages.ApplicationTitle());
    });
    if (leave)
        Leave(kNext);
}

void CTestBP::Finish()
{
    auto result = ResultBP();
    if (m_discardResult) {
        runStep("discard result", [&] { DiscardRun(); });
        return;
    }
    if (!result || (!m_notApplicable && !m_performed))
        return;
    if (m_notApplicable)
        runStep("not applicable", [&] { result->EvaluateStatus(Core()->Limits(), nullptr, true); });
    runStep("service record", [&] { result->BuildServiceRecord(Core()->Filter()); });
    runStep("instrument number", [&] {
        result->SetMTIID(MInstrumentNumber::Resolve(RunContext() ? RunContext()->Instruments() : nullptr,
                                                    InstrumentIdentity()));
    });
    runStep("result final", [&] {
        if (RunContext())
            RunContext()->ResultFinal(Self());
    });
}

} // namespace nb4410
