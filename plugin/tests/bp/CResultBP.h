#pragma once
// The result of one blood-pressure simulation: the values the operator read off the monitor
// (systolic, diastolic, heart rate and, for stored simulations, mean arterial pressure), each
// beside the simulated value as its preset, with the overall status and its stored text, the
// operator's comment, the instrument number and the service record.
#include "plugin/tests/common/CInstrumentResult.h"

namespace nb4410 {

class INB4410ConfigBP;

class CResultBP : public CInstrumentResult {
public:
    static constexpr char kSource[] = "VessorNB4410.CResultBP";

    CResultBP();

    void PrintReport(ostrel::ReportPtr report, const ostrel::Variant& extra = {}) override;

    // INB4410TestResult
    // Not applicable: status 3 and no measurements. Otherwise passed unless a measurement fails.
    void EvaluateStatus(const std::shared_ptr<ostrel::ILimitData>& limits,
                        const std::shared_ptr<ostrel::IStandards>& selected, bool notApplicable) override;

    // Adds the measurements the configuration simulates, or refreshes their definitions and
    // preset values; recorded values stay.
    void InitMeasurements(INB4410ConfigBP* configuration);
    void AddMeasurement(const QString& key, const QString& unit, const QString& description,
                        const ostrel::Variant& presetValue, std::int32_t valueType, const QString& format);
    // Adds the flag letter to every measurement ("I": the run ended before values were typed).
    void MarkMeasurements(const QString& flag);

protected:
    // Empties the recorded values, flags and statuses; the simulated values stay.
    void ClearMeasurement(CMeasurement& measurement) override;
    std::vector<MeasurementPtr> LoadedMeasurementsBase() const override { return {}; }
    // A measurement that cannot be read (no key) is left out; the others still load.
    void TakeLoadedMeasurement(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress) override;
};

} // namespace nb4410
