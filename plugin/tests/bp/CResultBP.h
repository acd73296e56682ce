#pragma once
// The result of one blood-pressure simulation: the values the operator read off the monitor
// (systolic, diastolic, heart rate and, for stored simulations, mean arterial pressure), each
// beside the simulated value as its preset, with the overall status, the operator's comment,
// the instrument number and the service record.
#include "host/contract/IResultData.h"
#include "plugin/measure/CMeasurement.h"
#include "plugin/tests/common/INB4410TestResult.h"

#include <vector>

namespace nb4410 {

class INB4410ConfigBP;

class CResultBP : public ostrel::IResultData, public INB4410TestResult {
public:
    static constexpr char kSource[] = "VessorNB4410.CResultBP";
    static constexpr ostrel::HResult kLoadError = ostrel::hr(0x8004A3EBu);
    static constexpr ostrel::HResult kSaveError = ostrel::hr(0x8004A3ECu);

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

    // INB4410TestResult
    // Empties the recorded values, flags and statuses; the simulated values stay.
    void Clear() override;
    // Not applicable: status 3 and no measurements. Otherwise passed unless a measurement fails.
    void EvaluateStatus(const std::shared_ptr<ostrel::ILimitData>& limits,
                        const std::shared_ptr<ostrel::IStandards>& selected, bool notApplicable) override;
    void BuildServiceRecord(const std::shared_ptr<ostrel::IFilter>& filter) override;
    void SetMTIID(std::int32_t number) override { m_mtiId = number; }

    // Adds the measurements the configuration simulates, or refreshes their definitions and
    // preset values; recorded values stay.
    void InitMeasurements(INB4410ConfigBP* configuration);
    void AddMeasurement(const QString& key, const QString& unit, const QString& description,
                        const ostrel::Variant& presetValue, std::int32_t valueType, const QString& format);
    // Adds the flag letter to every measurement ("I": the run ended before values were typed).
    void MarkMeasurements(const QString& flag);

    MeasurementPtr Find(const QString& key) const; // nullptr when the result has no such key

private:
    void reset();
    void loadChildren(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress);
    void loadMeasurement(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress);

    std::vector<MeasurementPtr> m_measurements;
    std::int32_t m_status = 0;
    QString m_statusText;
    QString m_comment;
    std::shared_ptr<ostrel::IServiceRecord> m_serviceRecord;
    std::int32_t m_mtiId = 0;
};

} // namespace nb4410
