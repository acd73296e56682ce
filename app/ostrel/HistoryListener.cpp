#include "HistoryListener.h"

#include "SequenceDocument.h"

#include "host/contract/ILimitData.h"
#include "host/contract/IMeasurement.h"
#include "host/contract/IResultData.h"
#include "host/contract/IStandards.h"
#include "host/core/Steps.h"
#include "host/history/ResultsHistory.h"

#include <QUuid>
#include <map>

namespace ostrel {

namespace {

// The first absolute limits the selected standards (all of the element's when none is
// selected) set for the key: the band the history's trend draws. Percent limits depend on
// the preset and are kept as text only.
void numericLimits(const std::shared_ptr<ITestElement>& element, const QList<StandardRef>& selected,
                   history::MeasurementRecord& record, const QString& limitKey)
{
    std::shared_ptr<IStandards> standards;
    runStep("element limits", [&] {
        if (auto limits = element->Limits())
            standards = limits->Standards();
    });
    if (!standards)
        return;
    std::vector<std::shared_ptr<IStandard>> asked;
    if (selected.isEmpty()) {
        for (int i = 0; i < standards->Count(); ++i)
            asked.push_back(standards->Item(i));
    } else {
        for (const auto& ref : selected)
            asked.push_back(standards->Find(ref.shortName, ref.fullName));
    }
    for (const auto& standard : asked) {
        if (!standard)
            continue;
        for (const auto& item : standard->LimitItems()) {
            if (!item || item->Key() != limitKey || (item->UnitFlag() == 0 && item->Unit() == QLatin1String("%")))
                continue;
            if (!item->IsLimitSet(0) && !item->IsLimitSet(1))
                continue;
            if (item->IsLimitSet(0))
                record.limitHigh = item->Limit(0);
            if (item->IsLimitSet(1))
                record.limitLow = item->Limit(1);
            record.standard = standard->ShortName();
            return;
        }
    }
}

std::optional<double> numberOf(const Variant& value)
{
    switch (value.type()) {
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
        return value.toDouble();
    default:
        return std::nullopt;
    }
}

// The key each measurement's limits are found under (its own key unless it names another).
std::map<QString, QString> limitKeys(const std::shared_ptr<ITestElement>& element)
{
    std::map<QString, QString> keys;
    runStep("measurement limit keys", [&] {
        const auto data = element->Result();
        const int count = data ? data->MeasurementCount() : 0;
        for (int m = 1; m <= count; ++m) {
            runStep("measurement limit key", [&] {
                if (auto measurement = data->Measurement(Variant(std::int32_t(m))))
                    if (!measurement->LimitKey().isEmpty())
                        keys[measurement->Key()] = measurement->LimitKey();
            });
        }
    });
    return keys;
}

} // namespace

HistoryListener::HistoryListener(history::ResultsHistory& history) : m_history(history) {}

history::RunRecord HistoryListener::RunRecordOf(const SequenceDocument& document)
{
    history::RunRecord run;
    run.title = document.Title();
    run.technician = document.Dut().technician;
    run.softwareVersion = QStringLiteral(OSTREL_APP_VERSION);
    run.device = {document.Dut().serialNumber, document.Dut().model, document.Dut().location};
    if (const auto instruments = document.Instruments()) {
        for (int i = 0; i < instruments->Count(); ++i) {
            const auto item = instruments->Item(i);
            if (item)
                run.instruments.push_back({item->Name(), item->Model(), item->SerialNo(), item->FWVersion()});
        }
    }
    return run;
}

history::ElementRecord HistoryListener::ElementRecordOf(const ElementResult& result, const std::shared_ptr<ITestElement>& element,
                                                        const QList<StandardRef>& selected)
{
    history::ElementRecord record;
    record.elementId = result.elementId;
    record.position = result.position;
    record.name = result.name;
    record.testType = result.testId;
    record.status = SequenceResults::ElementStatusText(result);
    record.comment = result.comment;
    const auto keys = element ? limitKeys(element) : std::map<QString, QString>();
    for (const auto& row : result.measurements) {
        history::MeasurementRecord m;
        m.key = row.key;
        m.description = row.description;
        m.value = numberOf(row.value);
        // The history reads as the report does: "Released", not "True".
        m.valueText = SequenceResults::DisplayText(row);
        m.preset = row.preset;
        m.unit = row.unit;
        m.limits = row.limits;
        m.status = SequenceResults::StatusText(row.status);
        m.flags = row.flags;
        if (element) {
            const auto limitKey = keys.find(row.key);
            numericLimits(element, selected, m, limitKey == keys.end() ? row.key : limitKey->second);
        }
        record.measurements.push_back(std::move(m));
    }
    return record;
}

void HistoryListener::RunStarted(const SequenceDocument& document)
{
    m_run = RunRecordOf(document);
    m_run.runId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_run.started = QDateTime::currentDateTimeUtc();
    m_anyElement = false;
}

void HistoryListener::ElementFinished(const SequenceDocument& document, const std::shared_ptr<ITestElement>& element,
                                      const QDateTime& started)
{
    const int index = document.IndexOf(element.get());
    if (index < 0)
        return; // a child of a group: its group is written when it ends
    const ElementResult result = SequenceResults::ForElement(element, document.Entry(index).enabled, index + 1,
                                                             document.SelectedStandards());
    history::ElementRecord record = ElementRecordOf(result, element, document.SelectedStandards());
    record.started = started;
    record.ended = QDateTime::currentDateTimeUtc();
    // The device may have been typed in while the run went on, and an instrument joins the
    // document's list when an element first talks to it.
    const history::RunRecord now = RunRecordOf(document);
    m_run.device = now.device;
    m_run.instruments = now.instruments;
    m_history.WriteElement(m_run, record);
    m_anyElement = true;
}

void HistoryListener::RunEnded(const SequenceDocument& document, RunOutcome)
{
    if (!m_anyElement)
        return;
    m_run.ended = QDateTime::currentDateTimeUtc();
    m_run.verdict = SequenceResults::VerdictText(SequenceResults::Overall(document));
    m_history.FinishRun(m_run);
}

} // namespace ostrel
