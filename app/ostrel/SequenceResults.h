#pragma once
// The results of a sequence as plain rows: what the exporters, the summary table and the
// report header read. One place decides the texts of statuses and limits and the verdict.
#include "DeviceUnderTest.h"

#include "host/contract/Forward.h"
#include "host/core/Variant.h"

#include <QList>
#include <QString>
#include <vector>

namespace ostrel {

class SequenceDocument;

struct MeasurementRow {
    QString key;
    QString description; // translated
    Variant value;
    QString valueText;
    QString readable; // the value in words, where the plug-in gives them ("Released")
    QString preset;
    QString unit;
    QString limits;
    // The limits as the report shows them: percent limits with the values they give for the
    // preset ("EXAMPLE-A: -5 .. 5 % → 114 .. 126 mmHg").
    QString limitsApplied;
    std::int32_t status = 0;
    QString flags;
};

struct ElementResult {
    int position = 0;        // 1-based place in the sequence
    QString name;
    std::int32_t testId = 0;
    std::int32_t elementId = 0;
    bool enabled = true;
    bool hasResult = false;
    std::int32_t status = 0; // ResultStatus.h: 0 not evaluated, 1 passed, 2 failed, 3 N/A, 4 incomplete, 5 not judged
    QString error;           // an incomplete result: the instrument or link failure that ended its run
    std::int32_t instrument = 0;
    QString comment;
    std::vector<MeasurementRow> measurements;
};

enum class Verdict { Passed, Failed, Incomplete, NotJudged };

class SequenceResults {
public:
    static std::vector<ElementResult> Collect(const SequenceDocument& document);
    // What a read gives: each value with the limits that judged it (reports, exports, the
    // window), or the values alone (a run's lines and its summary, which show no limits).
    enum class Detail { WithLimits, ValuesOnly };
    // One element's result (position 1-based); limits from the selected standards.
    static ElementResult ForElement(const std::shared_ptr<ITestElement>& element, bool enabled, int position,
                                    const QList<StandardRef>& selected, Detail detail = Detail::WithLimits);
    // Failed when an enabled element failed; passed only when every enabled element passed
    // (judged against an applied limit) or was not applicable; incomplete when one was not
    // run, not evaluated or cut short; not judged when the rest passed but one had no limit.
    static Verdict Overall(const std::vector<ElementResult>& results);
    // The same verdict read straight from the document's elements.
    static Verdict Overall(const SequenceDocument& document);
    // Whether an enabled element's run was ended by an instrument or link failure.
    static bool InstrumentFailed(const std::vector<ElementResult>& results);

    static QString StatusText(std::int32_t status);
    static QString ElementStatusText(const ElementResult& result); // "Not run" without a result
    static QString VerdictText(Verdict verdict);
    // What an element's status means when it is no verdict (incomplete: with the failure that
    // ended the run; not judged); empty otherwise.
    static QString StatusNote(const ElementResult& result);
    // "1 .. 5 mmHg", "<= 5 mmHg", ">= 1 mmHg", prefixed by the standard's short name; several
    // standards joined by "; ". Only the selected standards the element holds (none when none
    // is selected), each limit at its own precision (LimitRule).
    static QString LimitsText(const std::shared_ptr<IStandards>& standards, const QList<StandardRef>& selected,
                              const QString& key, const QString& measurementUnit);
    static QString ValueText(const Variant& value);
    // The value as a technician reads it in the window and the report: a yes/no value reads
    // "Yes"/"No" (the exports keep ValueText).
    static QString DisplayText(const MeasurementRow& row);
};

} // namespace ostrel
