#include "CInstrumentResult.h"

#include <algorithm>

#include "host/contract/IProgress.h"
#include "host/contract/IReport.h"
#include "host/contract/ITestElement.h"
#include "host/contract/ResultStatus.h"
#include "host/core/BasicNumber.h"
#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
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
} // namespace

CInstrumentResult::CInstrumentResult(QString source, QString loadingText, StatusTextRule statusText,
                                     WrongRootRule wrongRoot)
    : m_source(std::move(source)), m_loadingText(std::move(loadingText)), m_statusTextRule(statusText),
      m_wrongRootRule(wrongRoot)
{
}

MeasurementPtr CInstrumentResult::Defined(const char* key, const char* unit, const char* description,
                                          std::int32_t valueType, const char* format)
{
    auto measurement = std::make_shared<CMeasurement>();
    measurement->Define(QLatin1String(key), QLatin1String(unit), QLatin1String(description), valueType);
    if (format)
        measurement->SetValueFormat(QLatin1String(format));
    return measurement;
}

MeasurementPtr CInstrumentResult::Find(const QString& key) const
{
    for (const MeasurementPtr& measurement : m_measurements)
        if (measurement->Key() == key)
            return measurement;
    return nullptr;
}

std::shared_ptr<ostrel::IMeasurement> CInstrumentResult::Measurement(const Variant& index)
{
    if (index.isString())
        return Find(index.text());
    const double position = index.val();
    if (position >= 1 && position <= static_cast<double>(m_measurements.size()))
        return m_measurements[static_cast<size_t>(position) - 1];
    return nullptr;
}

std::shared_ptr<ostrel::IDialog> CInstrumentResult::CreateDialog()
{
    return FDialogWrapper::Open(QStringLiteral("OstrelNB4410.XDetailedResult"), Variant(shared_from_this()));
}

void CInstrumentResult::RestoreDefined(const std::vector<MeasurementPtr>& defined)
{
    std::vector<MeasurementPtr> restored;
    for (const MeasurementPtr& measurement : defined) {
        const MeasurementPtr kept = Find(measurement->Key());
        restored.push_back(kept ? kept : measurement);
    }
    for (const MeasurementPtr& other : m_measurements)
        if (std::find(restored.begin(), restored.end(), other) == restored.end())
            restored.push_back(other);
    m_measurements = std::move(restored);
}

void CInstrumentResult::Clear()
{
    m_status = 0;
    m_statusText.clear();
    m_incomplete = false;
    m_serviceRecord.reset();
    m_mtiId = 0;
    runStep("restore measurements", [&] { RestoreMeasurements(); });
    for (const MeasurementPtr& measurement : m_measurements)
        ClearMeasurement(*measurement);
}

void CInstrumentResult::ClearMeasurement(CMeasurement& measurement) { measurement.ClearResult(); }

void CInstrumentResult::EvaluateStatus(const std::shared_ptr<ostrel::ILimitData>& limits,
                                       const std::shared_ptr<ostrel::IStandards>& selected, bool notApplicable)
{
    namespace status = ostrel::status;
    if (notApplicable) {
        m_status = status::kNotApplicable;
        return;
    }
    // Incomplete outranks failed: a partial value blames no one. Passed needs a judged value.
    bool incomplete = m_incomplete;
    bool failed = false;
    bool passed = false;
    bool measured = false;
    for (const MeasurementPtr& measurement : m_measurements)
        runStep("evaluate measurement", [&] {
            const std::int32_t judged = measurement->UpdateStatus(limits, selected);
            incomplete = incomplete || judged == status::kIncomplete;
            failed = failed || judged == status::kFailed;
            passed = passed || judged == status::kPassed;
            measured = measured || judged != status::kNotEvaluated;
        });
    if (incomplete)
        m_status = status::kIncomplete;
    else if (failed)
        m_status = status::kFailed;
    else if (passed)
        m_status = status::kPassed;
    else
        m_status = measured ? status::kNotJudged : status::kNotEvaluated;
}

void CInstrumentResult::ShowRunning()
{
    m_status = ostrel::status::kRunning;
    for (const MeasurementPtr& measurement : m_measurements)
        measurement->ShowRunning();
}

void CInstrumentResult::MarkIncomplete(const QString& failure)
{
    m_incomplete = true;
    m_status = ostrel::status::kIncomplete;
    m_statusText = failure;
    for (const MeasurementPtr& measurement : m_measurements)
        runStep("mark measurement incomplete", [&] { measurement->MarkIncomplete(!failure.isEmpty()); });
}

void CInstrumentResult::BuildServiceRecord(const std::shared_ptr<ostrel::IFilter>& filter)
{
    if (!filter || !filter->ServiceRecordWanted() || m_status == 0)
        return;
    QString statusText;
    QString comment;
    for (const MeasurementPtr& measurement : m_measurements)
        runStep("service record value", [&] {
            std::int32_t status = 0;
            const QString value = measurement->GetValueText(status);
            if (status == 2)
                statusText = QStringLiteral("F");
            if (!value.isEmpty())
                comment += QLatin1Char('/') + value;
        });
    if (m_status == 3)
        statusText = QStringLiteral("NA");
    runStep("service record", [&] {
        auto record = std::make_shared<ostrel::ServiceRecord>();
        record->Build(filter, statusText, comment);
        m_serviceRecord = record;
    });
}

ostrel::StorageElement CInstrumentResult::Save(const ostrel::StorageDocumentPtr& document)
{
    try {
        ostrel::StorageElement element =
            document ? document->CreateElement(QLatin1String(MXmlTags::kResultItem)) : ostrel::StorageElement();
        if (!element)
            ostrel::ErrorService::instance().Raise(kModule, kSaveError, m_source, 3);
        if (m_mtiId != 0)
            element.SetAttribute(QLatin1String(MXmlTags::kMti), Variant(m_mtiId).text());
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
        if (failure.number() == kSaveError && failure.source() == m_source)
            ostrel::ErrorService::instance().Raise(QString(), 0, QString(), 1);
        ostrel::ErrorService::instance().PassOn(m_source);
    }
}

void CInstrumentResult::reset()
{
    m_measurements = LoadedMeasurementsBase();
    m_comment.clear();
    m_statusText.clear();
    m_status = 0;
    m_incomplete = false;
    m_mtiId = 0;
    m_serviceRecord.reset();
}

void CInstrumentResult::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    std::int32_t step = 0;
    try {
        if (progress)
            step = progress->OpenStep(kModule, m_loadingText);
        if (!element || element.Name() != QLatin1String(MXmlTags::kResultItem))
            ostrel::ErrorService::instance().Raise(kModule, kLoadError, m_source, 4);
        reset();
        m_mtiId = ostrel::roundToLong(ostrel::leadingNumber(element.Attribute(QLatin1String(MXmlTags::kMti))));
        loadChildren(element, progress);
        if (step != 0)
            progress->CloseStep(step);
    } catch (...) {
        if (step != 0)
            runStep("close load step", [&] { progress->CloseStep(step); });
        if (m_wrongRootRule == WrongRootRule::RaisedAgain) {
            const ostrel::ComError failure = ostrel::ComError::fromCurrent();
            if (failure.number() == kLoadError && failure.source() == m_source)
                ostrel::ErrorService::instance().Raise(QString(), 0, QString(), 1);
        }
        ostrel::ErrorService::instance().PassOn(m_source);
    }
}

void CInstrumentResult::loadChildren(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress)
{
    for (int i = 0; i < element.ChildCount(); ++i) {
        const ostrel::StorageElement child = element.Child(i);
        const QString name = child.Name();
        if (name == QLatin1String(MXmlTags::kMeasurement)) {
            TakeLoadedMeasurement(child, progress);
        } else if (name == QLatin1String(MXmlTags::kStatus)) {
            QString text;
            ostrel::StatusCodec::ElementToStatus(child, m_status, text);
            // The failure that cut a run short is kept by every result.
            m_incomplete = m_status == ostrel::status::kIncomplete;
            if (m_statusTextRule == StatusTextRule::Kept || m_incomplete)
                m_statusText = text;
        } else if (name == QLatin1String(MXmlTags::kServiceRecord)) {
            auto record = std::make_shared<ostrel::ServiceRecord>();
            record->Load(child, progress);
            m_serviceRecord = record;
        } else if (name == QLatin1String(MXmlTags::kComment)) {
            m_comment = child.Text();
        }
    }
}

void CInstrumentResult::TakeLoadedMeasurement(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress)
{
    auto measurement = std::make_shared<CMeasurement>();
    measurement->Load(element, progress);
    // The number format is not stored: the one the result defines for the key (else the key's
    // own) comes back, so that a reopened result prints as the fresh one did.
    if (measurement->ValueFormat().isEmpty())
        measurement->SetValueFormat(FormatOf(measurement->Key()));
    // A key stored twice is a damaged document: which of the two records holds the reading
    // cannot be told, so neither is taken.
    if (Find(measurement->Key()))
        ostrel::ErrorService::instance().Raise(
            kModule, kDuplicateKeyError, m_source, 4,
            QStringLiteral("This key is already associated with an element of this collection: \"%1\"")
                .arg(measurement->Key()));
    m_measurements.push_back(measurement);
}

QString CInstrumentResult::FormatOf(const QString& key) const
{
    for (const MeasurementPtr& defined : DefinedMeasurements())
        if (defined->Key() == key)
            return defined->ValueFormat();
    return MMeasureKey::Format(key);
}

QString CInstrumentResult::ReportColumns(const ostrel::ReportPtr& report)
{
    const std::int32_t w = (report->Width(10) - 3360) / 4;
    return QStringLiteral("<+560|<2240|>+%1|>+%1|^+%1|<+!%1|<+560;").arg(w);
}

void CInstrumentResult::PrintReport(ostrel::ReportPtr report, const Variant& /*extra*/)
{
    if (!report)
        return;
    auto bold = [](const QString& text) { return QStringLiteral("{\\i\\b ") + text + QLatin1Char('}'); };
    const QString heading = QLatin1Char('|') + bold(report->Translate(kModule, QStringLiteral("312::Result:")))
        + QStringLiteral("||") + bold(report->Translate(kModule, QStringLiteral("231::Value"))) + QLatin1Char('|')
        + bold(report->Translate(kModule, QStringLiteral("234::Unit"))) + QLatin1Char(';');
    const QString format = ReportColumns(report);
    QString rows;
    for (const MeasurementPtr& measurement : m_measurements)
        rows += measurement->ReportLine(report);
    if (rows.isEmpty())
        return;
    report->SetFontSize(10);
    report->SetSpaceBefore(0);
    report->SetRuled(1);
    report->AddTable(format, heading, rows);
}

} // namespace nb4410
