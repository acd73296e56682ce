#pragma once
// What the results of the instrument tests (leak, over-pressure, cuff volume, blood pressure)
// share: keyed measurements, the overall status, the operator's comment, the instrument number
// and the service record, with their evaluation, stored form and report. A result says which
// measurements it defines, how a stored one is taken back, whether it keeps the stored status
// text and how its own wrong-root load error leaves it.
#include "host/contract/IResultData.h"
#include "plugin/measure/CMeasurement.h"
#include "plugin/tests/common/INB4410TestResult.h"

#include <vector>

namespace nb4410 {

class CInstrumentResult : public ostrel::IResultData, public INB4410TestResult {
public:
    static constexpr ostrel::HResult kLoadError = ostrel::hr(0x8004A3EBu);
    static constexpr ostrel::HResult kSaveError = ostrel::hr(0x8004A3ECu);
    // A measurement key stored twice: the keyed collection refuses the second, so the document is refused.
    static constexpr ostrel::HResult kDuplicateKeyError = 457;

    // IResultData
    QString Comment() override { return m_comment; }
    void SetComment(const QString& comment) override { m_comment = comment; }
    bool HasDialog() override { return !m_comment.isEmpty(); }
    std::int32_t Status() override { return m_status; }
    // By key (a text) or by 1-based position; nullptr when there is none.
    std::shared_ptr<ostrel::IMeasurement> Measurement(const ostrel::Variant& index) override;
    std::int32_t MeasurementCount() override { return static_cast<std::int32_t>(m_measurements.size()); }
    std::shared_ptr<ostrel::IServiceRecord> ServiceRecord() override { return m_serviceRecord; }
    std::int32_t MTIID() override { return m_mtiId; }
    std::shared_ptr<ostrel::IDialog> CreateDialog() override;
    void Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress) override;
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document) override;
    void PrintReport(ostrel::ReportPtr report, const ostrel::Variant& extra = {}) override;
    QString StatusText() override { return m_statusText; } // empty unless the result keeps it

    // INB4410TestResult
    void Clear() override;
    void EvaluateStatus(const std::shared_ptr<ostrel::ILimitData>& limits,
                        const std::shared_ptr<ostrel::IStandards>& selected, bool notApplicable) override;
    void BuildServiceRecord(const std::shared_ptr<ostrel::IFilter>& filter) override;
    void SetMTIID(std::int32_t number) override { m_mtiId = number; }
    void MarkIncomplete(const QString& failure) override;
    void ShowRunning() override;

    MeasurementPtr Find(const QString& key) const; // nullptr when the result has no such key
    bool Incomplete() const { return m_incomplete; }

protected:
    enum class StatusTextRule { Dropped, Kept };
    // Whether a "ResultItem" of the wrong name is logged (passed on) or raised again unlogged.
    enum class WrongRootRule { PassedOn, RaisedAgain };

    CInstrumentResult(QString source, QString loadingText, StatusTextRule statusText = StatusTextRule::Dropped,
                      WrongRootRule wrongRoot = WrongRootRule::PassedOn);

    // A measurement as the result defines it: key, unit, description, value type and format.
    static MeasurementPtr Defined(const char* key, const char* unit, const char* description, std::int32_t valueType,
                                  const char* format);
    // Before a run: the measurements the run fills, whatever a stored result left behind.
    // By default the measurements stay as they are.
    virtual void RestoreMeasurements() {}
    // Puts back, in their defined order and ahead of any other, the defined measurements a
    // stored result lacks; measurements it holds stay as they are.
    void RestoreDefined(const std::vector<MeasurementPtr>& defined);
    // Before a run, for every measurement: by default its value, preset, flags and status go.
    virtual void ClearMeasurement(CMeasurement& measurement);
    // What a stored result starts from before its "Measurement" elements are read.
    virtual std::vector<MeasurementPtr> LoadedMeasurementsBase() const = 0;
    // A stored measurement is read; by default it is added under its key, and a key the
    // collection already holds refuses the document (kDuplicateKeyError).
    virtual void TakeLoadedMeasurement(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress);
    // The measurements as the result defines them (key, format, ...); none by default.
    virtual std::vector<MeasurementPtr> DefinedMeasurements() const { return {}; }
    // The number format of a key: the defined measurement's, else the key's own.
    QString FormatOf(const QString& key) const;
    // The report's seven result columns, their widths following the page width.
    static QString ReportColumns(const ostrel::ReportPtr& report);

    std::vector<MeasurementPtr> m_measurements;

private:
    void reset();
    void loadChildren(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress);

    const QString m_source;
    const QString m_loadingText;
    const StatusTextRule m_statusTextRule;
    const WrongRootRule m_wrongRootRule;
    std::int32_t m_status = 0;
    QString m_statusText;
    bool m_incomplete = false;
    QString m_comment;
    std::shared_ptr<ostrel::IServiceRecord> m_serviceRecord;
    std::int32_t m_mtiId = 0;
};

} // namespace nb4410
