#include "SequenceResults.h"

#include "SequenceDocument.h"

#include "host/contract/ILimitData.h"
#include "host/contract/IMeasurement.h"
#include "host/contract/IResultData.h"
#include "host/contract/IStandards.h"
#include "host/contract/ResultStatus.h"
#include "host/results/LimitRule.h"
#include "host/core/Steps.h"
#include "host/core/BasicNumber.h"

#include <QStringList>
#include <algorithm>

namespace ostrel {

namespace {

QString limitItemText(const std::shared_ptr<ILimitItem>& item, const QString& measurementUnit)
{
    const QString unit = item->UnitFlag() == 0 ? item->Unit() : measurementUnit;
    const bool upper = item->IsLimitSet(0);
    const bool lower = item->IsLimitSet(1);
    QString text;
    if (upper && lower)
        text = QStringLiteral("%1 .. %2").arg(LimitRule::Text(item->Limit(1)), LimitRule::Text(item->Limit(0)));
    else if (upper)
        text = QStringLiteral("<= %1").arg(LimitRule::Text(item->Limit(0)));
    else if (lower)
        text = QStringLiteral(">= %1").arg(LimitRule::Text(item->Limit(1)));
    else
        return QString();
    return unit.isEmpty() ? text : text + QLatin1Char(' ') + unit;
}

// What a percent limit gives for the preset, as the value was judged against it:
// " → 114 .. 126 mmHg" for -5 .. 5 % of 120 mmHg. Empty for other limits or without a preset.
QString absoluteText(const std::shared_ptr<ILimitItem>& item, const std::optional<double>& preset, const QString& measurementUnit)
{
    if (!preset || !LimitRule::IsRelative(item))
        return QString();
    const auto upper = LimitRule::Absolute(item, 0, *preset);
    const auto lower = LimitRule::Absolute(item, 1, *preset);
    QString text;
    if (upper && lower)
        text = LimitRule::Text(*lower) + QStringLiteral(" .. ") + LimitRule::Text(*upper);
    else if (upper)
        text = QStringLiteral("<= ") + LimitRule::Text(*upper);
    else if (lower)
        text = QStringLiteral(">= ") + LimitRule::Text(*lower);
    else
        return QString();
    return QStringLiteral(" \u2192 ") + text + (measurementUnit.isEmpty() ? QString() : QLatin1Char(' ') + measurementUnit);
}

struct LimitTexts {
    QString plain;
    QString applied;
};

LimitTexts limitTexts(const std::shared_ptr<IStandards>& standards, const QList<StandardRef>& selected, const QString& key,
                      const QString& measurementUnit, const std::optional<double>& preset)
{
    if (!standards)
        return {};
    QStringList plain;
    QStringList applied;
    for (const auto& ref : selected) {
        const auto standard = standards->Find(ref.shortName, ref.fullName);
        if (!standard)
            continue;
        for (const auto& item : standard->LimitItems()) {
            if (!item || item->Key() != key)
                continue;
            const QString text = limitItemText(item, measurementUnit);
            if (text.isEmpty())
                continue;
            const QString shown = standard->ShortName().isEmpty() ? text : standard->ShortName() + QStringLiteral(": ") + text;
            plain << shown;
            applied << shown + absoluteText(item, preset, measurementUnit);
        }
    }
    return {plain.join(QStringLiteral("; ")), applied.join(QStringLiteral("; "))};
}

MeasurementRow measurementRow(const std::shared_ptr<IMeasurement>& measurement, const std::shared_ptr<IStandards>& standards,
                              const QList<StandardRef>& selected, SequenceResults::Detail detail)
{
    MeasurementRow row;
    runStep("measurement key", [&] { row.key = measurement->Key(); });
    runStep("measurement description", [&] { row.description = measurement->Description(); });
    runStep("measurement value", [&] { row.value = measurement->Value(); });
    row.valueText = SequenceResults::ValueText(row.value);
    runStep("measurement value in words", [&] { row.readable = measurement->ReadableValue(); });
    std::optional<double> preset;
    runStep("measurement preset", [&] {
        const Variant value = measurement->PresetValue();
        row.preset = SequenceResults::ValueText(value);
        if (!value.isEmptyOrNull())
            preset = LimitRule::ValueOf(value);
    });
    runStep("measurement unit", [&] { row.unit = measurement->Unit(); });
    runStep("measurement status", [&] { row.status = measurement->Status(); });
    runStep("measurement flags", [&] { row.flags = measurement->Flags(); });
    // A measurement that failed without a value says why (the monitor showed no reading).
    if (row.valueText.isEmpty() && row.status == status::kFailed)
        runStep("measurement without a value", [&] { row.valueText = measurement->ToolTipText(); });
    // Only limits that judged the value are shown next to it.
    const bool judged = row.status == status::kPassed || row.status == status::kFailed;
    runStep("measurement limits", [&] {
        if (!judged || detail == SequenceResults::Detail::ValuesOnly)
            return;
        QString limitKey = measurement->LimitKey();
        if (limitKey.isEmpty())
            limitKey = row.key;
        LimitTexts texts = limitTexts(standards, selected, limitKey, row.unit, preset);
        row.limits = std::move(texts.plain);
        row.limitsApplied = std::move(texts.applied);
    });
    return row;
}

} // namespace

std::vector<ElementResult> SequenceResults::Collect(const SequenceDocument& document)
{
    std::vector<ElementResult> results;
    for (int i = 0; i < document.Count(); ++i)
        results.push_back(ForElement(document.Entry(i).element, document.Entry(i).enabled, i + 1, document.SelectedStandards()));
    return results;
}

ElementResult SequenceResults::ForElement(const std::shared_ptr<ITestElement>& element, bool enabled, int position,
                                          const QList<StandardRef>& selected, Detail detail)
{
    ElementResult result;
    result.position = position;
    result.name = SequenceDocument::ElementName(element);
    result.enabled = enabled;
    runStep("element ids", [&] {
        result.testId = element->TestID();
        result.elementId = element->ID();
    });
    std::shared_ptr<IStandards> standards;
    runStep("element limits", [&] {
        if (detail == Detail::ValuesOnly)
            return;
        if (auto limits = element->Limits())
            standards = limits->Standards();
    });
    std::shared_ptr<IResultData> data;
    runStep("element result", [&] { data = element->Result(); });
    if (!data)
        return result;
    result.hasResult = true;
    runStep("result status", [&] { result.status = data->Status(); });
    if (result.status == status::kIncomplete)
        runStep("result error", [&] { result.error = data->StatusText(); });
    runStep("result instrument", [&] { result.instrument = data->MTIID(); });
    runStep("result comment", [&] { result.comment = data->Comment(); });
    int count = 0;
    runStep("measurement count", [&] { count = data->MeasurementCount(); });
    for (int m = 1; m <= count; ++m) {
        runStep("measurement", [&] {
            if (auto measurement = data->Measurement(Variant(std::int32_t(m))))
                result.measurements.push_back(measurementRow(measurement, standards, selected, detail));
        });
    }
    return result;
}

Verdict SequenceResults::Overall(const SequenceDocument& document)
{
    // The verdict reads each element's status only: no measurement rows, no limit texts.
    std::vector<ElementResult> statuses(static_cast<size_t>(document.Count()));
    for (int i = 0; i < document.Count(); ++i) {
        ElementResult& result = statuses[static_cast<size_t>(i)];
        result.enabled = document.Entry(i).enabled;
        if (!result.enabled)
            continue;
        std::shared_ptr<IResultData> data;
        runStep("element result", [&] { data = document.Entry(i).element->Result(); });
        result.hasResult = static_cast<bool>(data);
        if (data)
            runStep("result status", [&] { result.status = data->Status(); });
    }
    return Overall(statuses);
}

Verdict SequenceResults::Overall(const std::vector<ElementResult>& results)
{
    bool incomplete = false;
    bool notJudged = false;
    bool anyPassed = false;
    for (const auto& result : results) {
        if (!result.enabled)
            continue;
        if (result.hasResult && result.status == status::kFailed)
            return Verdict::Failed;
        if (result.hasResult && result.status == status::kNotJudged)
            notJudged = true;
        else if (!result.hasResult || (result.status != status::kPassed && result.status != status::kNotApplicable))
            incomplete = true;
        anyPassed = anyPassed || (result.hasResult && result.status == status::kPassed);
    }
    if (incomplete)
        return Verdict::Incomplete;
    // A sequence in which nothing was measured (every element disabled or not applicable)
    // has passed nothing.
    return notJudged || !anyPassed ? Verdict::NotJudged : Verdict::Passed;
}

bool SequenceResults::InstrumentFailed(const std::vector<ElementResult>& results)
{
    return std::any_of(results.begin(), results.end(), [](const ElementResult& result) {
        return result.enabled && result.hasResult && result.status == status::kIncomplete && !result.error.isEmpty();
    });
}

QString SequenceResults::StatusText(std::int32_t number)
{
    switch (number) {
    case status::kPassed:
        return QStringLiteral("Passed");
    case status::kFailed:
        return QStringLiteral("Failed");
    case status::kNotApplicable:
        return QStringLiteral("N/A");
    case status::kIncomplete:
        return QStringLiteral("Incomplete");
    case status::kNotJudged:
        return QStringLiteral("Not judged");
    default:
        return QStringLiteral("Not evaluated");
    }
}

QString SequenceResults::ElementStatusText(const ElementResult& result)
{
    if (!result.enabled)
        return QStringLiteral("Disabled");
    return result.hasResult ? StatusText(result.status) : QStringLiteral("Not run");
}

QString SequenceResults::StatusNote(const ElementResult& result)
{
    if (!result.hasResult)
        return QString();
    if (result.status == status::kIncomplete)
        return result.error.isEmpty()
                   ? QStringLiteral("Incomplete: the run ended before its duration or end condition; the values are no verdict.")
                   : QStringLiteral("Incomplete: the run was ended by an instrument or link failure: %1").arg(result.error);
    if (result.status == status::kNotJudged)
        return QStringLiteral("Not judged: no selected standard sets a limit for these values.");
    return QString();
}

QString SequenceResults::VerdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Passed:
        return QStringLiteral("PASSED");
    case Verdict::Failed:
        return QStringLiteral("FAILED");
    case Verdict::NotJudged:
        return QStringLiteral("NOT JUDGED");
    case Verdict::Incomplete:
        break;
    }
    return QStringLiteral("INCOMPLETE");
}

QString SequenceResults::LimitsText(const std::shared_ptr<IStandards>& standards, const QList<StandardRef>& selected,
                                    const QString& key, const QString& measurementUnit)
{
    return limitTexts(standards, selected, key, measurementUnit, std::nullopt).plain;
}

QString SequenceResults::DisplayText(const MeasurementRow& row)
{
    if (!row.readable.isEmpty())
        return row.readable;
    if (row.value.type() == VarType::Boolean)
        return row.value.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
    return row.valueText;
}

QString SequenceResults::ValueText(const Variant& value)
{
    switch (value.type()) {
    case VarType::Single:
        return numberToText(value.toSingle());
    case VarType::Double:
        return numberToText(value.toDouble());
    default:
        return value.text();
    }
}

} // namespace ostrel
