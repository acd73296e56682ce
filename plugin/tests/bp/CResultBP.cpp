#include "CResultBP.h"

#include "INB4410ConfigBP.h"

#include "host/contract/IProgress.h"
#include "host/contract/IReport.h"
#include "host/contract/ITestElement.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/core/StringUtil.h"
#include "host/run/ServiceRecord.h"
#include "host/storage/StatusCodec.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MMeasureKey.h"
#include "plugin/measure/MXmlTags.h"

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

namespace {
const QString kModule = QStringLiteral("NB-4410");
const QString kLoadingText = QStringLiteral("20100::Loading blood pressure test result data");

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

MeasurementPtr CResultBP::Find(const QString& key) const
{
    for (const MeasurementPtr& measurement : m_measurements)
        if (measurement->Key() == key)
            return measurement;
    return nullptr;
}

std::shared_ptr<ostrel::IMeasurement> CResultBP::Measurement(const Variant& index)
{
    if (index.isString())
        return Find(index.text());
    const double position = index.val();
    if (position >= 1 && position <= static_cast<double>(m_measurements.size()))
        return m_measurements[static_cast<size_t>(position) - 1];
    return nullptr;
}

std::shared_ptr<ostrel::IDialog> CResultBP::CreateDialog()
{
    auto wrapper = std::make_shared<FDialogWrapper>();
    wrapper->CreateSetupCtrl(QStringLiteral("OstrelNB4410.XDetailedResult"));
    wrapper->Initialize(Variant(shared_from_this()));
    return wrapper;
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

void CResultBP::Clear()
{
    for (const MeasurementPtr& measurement : m_measurements) {
        measurement->SetValue(Variant());
        measurement->AddFlag(QString());
        measurement->UpdateStatus(nullptr, nullptr); // no value: status 0
    }
    m_status = 0;
    m_statusText.clear();
    m_serviceRecord.reset();
    m_mtiId = 0;
}

void CResultBP::EvaluateStatus(const std::shared_ptr<ostrel::ILimitData>& limits,
                               const std::shared_ptr<ostrel::IStandards>& selected, bool notApplicable)
{
    if (notApplicable) {
        m_status = 3;
        m_measurements.clear();
        return;
    }
    m_status = 1;
    for (const MeasurementPtr& measurement : m_measurements)
        runStep("evaluate measurement", [&] {
            if (measurement->UpdateStatus(limits, selected) == 2)
                m_status = 2;
        });
}

void CResultBP::BuildServiceRecord(const std::shared_ptr<ostrel::IFilter>& filter)
{
    if (!filter || !filter->ServiceRecordWanted() || m_status == 0)
        return;
    QString statusText;
    QString valueList;
    if (m_status == 3) {
        statusText = QStringLiteral("NA");
    } else {
        for (const MeasurementPtr& measurement : m_measurements)
            runStep("service record value", [&] {
                std::int32_t status = 0;
                const QString value = measurement->GetValueText(status);
                if (status == 2)
                    statusText = QStringLiteral("F");
                if (!value.isEmpty())
                    valueList += QLatin1Char('/') + value;
            });
    }
    runStep("service record", [&] {
        auto record = std::make_shared<ostrel::ServiceRecord>();
        record->Build(filter, statusText, valueList);
        m_serviceRecord = record;
    });
}

ostrel::StorageElement CResultBP::Save(const ostrel::StorageDocumentPtr& document)
{
    try {
        ostrel::StorageElement element =
            document ? document->CreateElement(QLatin1String(MXmlTags::kResultItem)) : ostrel::StorageElement();
        if (!element)
            ostrel::ErrorService::instance().Raise(kModule, kSaveError, QString::fromLatin1(kSource), 3);
        if (m_mtiId != 0)
            element.SetAttribute(QLatin1String(MXmlTags::kMti), ostrel::NumberToText(Variant(m_mtiId)));
        if (auto status = ostrel::StatusCodec::StatusToElement(document, m_status, m_statusText))
            element.AppendChild(status);
        if (!m_comment.isEmpty())
            element.AddChild(QLatin1String(MXmlTags::kComment), m_comment);
        if (m_serviceRecord)
            if (auto record = m_serviceRecord->Save(document))
                element.AppendChild(record);
        for (const MeasurementPtr& measurement : m_measurements)
            if (auto stored = measurement->Save(document))
                element.AppendChild(stored);
        return element;
    } catch (...) {
        const ostrel::ComError failure = ostrel::ComError::fromCurrent();
        if (failure.number() == kSaveError && failure.source() == QLatin1String(kSource))
            ostrel::ErrorService::instance().Raise(QString(), 0, QString(), 1);
        ostrel::ErrorService::instance().PassOn(QString::fromLatin1(kSource));
    }
}

void CResultBP::reset()
{
    m_measurements.clear();
    m_comment.clear();
    m_statusText.clear();
    m_status = 0;
    m_mtiId = 0;
    m_serviceRecord.reset();
}

void CResultBP::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    std::int32_t step = 0;
    try {
        if (progress)
            step = progress->OpenStep(kModule, kLoadingText);
        if (!element || element.Name() != QLatin1String(MXmlTags::kResultItem))
            ostrel::ErrorService::instance().Raise(kModule, kLoadError, QString::fromLatin1(kSource), 4);
        reset();
        const QString mti = element.Attribute(QLatin1String(MXmlTags::kMti));
        if (!mti.isEmpty())
            m_mtiId = ostrel::roundToLong(ostrel::leadingNumber(mti));
        loadChildren(element, progress);
        if (step != 0)
            progress->CloseStep(step);
    } catch (...) {
        if (step != 0)
            runStep("close load step", [&] { progress->CloseStep(step); });
        const ostrel::ComError failure = ostrel::ComError::fromCurrent();
        if (failure.number() == kLoadError && failure.source() == QLatin1String(kSource))
            ostrel::ErrorService::instance().Raise(QString(), 0, QString(), 1);
        ostrel::ErrorService::instance().PassOn(QString::fromLatin1(kSource));
    }
}

void CResultBP::loadChildren(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress)
{
    for (int i = 0; i < element.ChildCount(); ++i) {
        const ostrel::StorageElement child = element.Child(i);
        const QString name = child.Name();
        if (name == QLatin1String(MXmlTags::kComment)) {
            m_comment = child.Text();
        } else if (name == QLatin1String(MXmlTags::kStatus)) {
            ostrel::StatusCodec::ElementToStatus(child, m_status, m_statusText);
        } else if (name == QLatin1String(MXmlTags::kServiceRecord)) {
            auto record = std::make_shared<ostrel::ServiceRecord>();
            record->Load(child, progress);
            m_serviceRecord = record;
        } else if (name == QLatin1String(MXmlTags::kMeasurement)) {
            loadMeasurement(child, progress);
        }
    }
}

void CResultBP::loadMeasurement(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress)
{
    auto measurement = std::make_shared<CMeasurement>();
    try {
        measurement->Load(element, progress);
    } catch (...) {
        // A measurement that cannot be read (no key) is left out; the others still load.
        if (ostrel::ComError::fromCurrent().number() == CMeasurement::kLoadError)
            return;
        throw;
    }
    // A key stored twice keeps its last record, so that lookups by key stay unambiguous.
    std::erase_if(m_measurements, [&](const MeasurementPtr& m) { return m->Key() == measurement->Key(); });
    m_measurements.push_back(measurement);
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
    runStep("result columns", [&] {
        const std::int32_t w = (report->Width(10) - 3360) / 4;
        format = QStringLiteral("<+560|<2240|>+%1|>+%1|^+%1|<+!%1|<+560;").arg(w);
    });
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
