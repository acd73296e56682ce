#include "CResultBP.h"

#include "INB4410ConfigBP.h"

#include "host/contract/IReport.h"
#include "host/core/ComError.h"
#include "host/core/Steps.h"
#include "plugin/measure/MMeasureKey.h"

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

namespace {
const QString kModule = QStringLiteral("NB-4410");

struct MeasurementDef {
    const char* key;
    const char* description;
    const char* unit;
    const char* format;
    std::int32_t valueType;
};
// In the order the operator enters them; mean arterial pressure only when simulated.
const MeasurementDef kMeasurementDefs[] = {
    {MMeasureKey::kSyst, "20350::Systolic", "mmHg", "0", CMeasurement::kNumeric2},
    {MMeasureKey::kDias, "20351::Diastolic", "mmHg", "0", CMeasurement::kNumeric2},
    {MMeasureKey::kHart, "20353::Heart Rate", "BPM", "0", CMeasurement::kNumeric2},
    {MMeasureKey::kMapr, "20352::MAP", "mmHg", "0.0", CMeasurement::kNumeric1},
};
} // namespace

CResultBP::CResultBP()
    : CInstrumentResult(QString::fromLatin1(kSource), QStringLiteral("20100::Loading blood pressure test result data"),
                        StatusTextRule::Kept, WrongRootRule::RaisedAgain)
{
}

void CResultBP::InitMeasurements(INB4410ConfigBP* configuration)
{
    for (const MeasurementDef& def : kMeasurementDefs)
        runStep("init measurement", [&] {
            const QString key = QLatin1String(def.key);
            const Variant preset = configuration ? configuration->RetrievePresetValue(key) : Variant();
            if (key == QLatin1String(MMeasureKey::kMapr) && preset.isEmpty())
                return;
            AddMeasurement(key, QLatin1String(def.unit), QLatin1String(def.description), preset, def.valueType,
                           QLatin1String(def.format));
        });
}

void CResultBP::AddMeasurement(const QString& key, const QString& unit, const QString& description,
                               const Variant& presetValue, std::int32_t valueType, const QString& format)
{
    MeasurementPtr measurement = Find(key);
    const bool added = !measurement;
    if (added)
        measurement = std::make_shared<CMeasurement>();
    measurement->Define(key, unit, description, valueType);
    measurement->SetPresetValue(presetValue);
    measurement->SetValueFormat(format);
    if (added)
        m_measurements.push_back(measurement);
}

void CResultBP::MarkMeasurements(const QString& flag)
{
    for (const MeasurementPtr& measurement : m_measurements)
        measurement->AddFlag(flag);
}

void CResultBP::EvaluateStatus(const std::shared_ptr<ostrel::ILimitData>& limits,
                               const std::shared_ptr<ostrel::IStandards>& selected, bool notApplicable)
{
    if (notApplicable)
        m_measurements.clear();
    CInstrumentResult::EvaluateStatus(limits, selected, notApplicable);
}

void CResultBP::ClearMeasurement(CMeasurement& measurement)
{
    measurement.SetValue(Variant());
    measurement.AddFlag(QString());
    measurement.UpdateStatus(nullptr, nullptr); // no value: status 0
}

void CResultBP::TakeLoadedMeasurement(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress)
{
    try {
        CInstrumentResult::TakeLoadedMeasurement(element, progress);
    } catch (...) {
        if (ostrel::ComError::fromCurrent().number() != CMeasurement::kLoadError)
            throw;
    }
}

void CResultBP::PrintReport(ostrel::ReportPtr report, const Variant& /*extra*/)
{
    if (!report)
        return;
    QString heading;
    QString format;
    QString rows;
    runStep("result heading", [&] {
        auto cell = [&](const char* text) {
            return QStringLiteral("|{\\i\\b ") + report->Translate(kModule, QLatin1String(text)) + QLatin1Char('}');
        };
        heading = cell("312::Result:") + cell("20651::Preset value") + cell("235::Recorded value") + cell("234::Unit")
            + QLatin1Char(';');
    });
    runStep("result columns", [&] { format = ReportColumns(report); });
    for (const MeasurementPtr& measurement : m_measurements)
        runStep("result row", [&] { rows += measurement->ReportLine(report); });
    if (rows.isEmpty())
        return;
    runStep("font size", [&] { report->SetFontSize(10); });
    runStep("space before", [&] { report->SetSpaceBefore(0); });
    runStep("ruled", [&] { report->SetRuled(1); });
    runStep("result table", [&] {
        report->AddTable(format, heading, rows, Variant(0), Variant(0), Variant(0));
    });
}

} // namespace nb4410
