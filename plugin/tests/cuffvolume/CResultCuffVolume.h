#pragma once
// The result of one cuff-volume test: the one measurement "CVOL", the volume of the cuff in
// ccm as the instrument reports it at the end of its test.
#include "plugin/tests/common/CInstrumentResult.h"

namespace nb4410 {

class CResultCuffVolume : public CInstrumentResult {
public:
    static constexpr char kSource[] = "VessorNB4410.CResultCuffVolume";

    CResultCuffVolume();

    // The one measurement, whatever the index.
    std::shared_ptr<ostrel::IMeasurement> Measurement(const ostrel::Variant& index) override;
    std::int32_t MeasurementCount() override { return 1; }

    MeasurementPtr CuffVolume() const { return m_measurements.front(); }
    void SetCuffVolume(float ccm);

protected:
    void RestoreMeasurements() override;
    std::vector<MeasurementPtr> LoadedMeasurementsBase() const override { return {defined()}; }
    void TakeLoadedMeasurement(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress) override;

private:
    static MeasurementPtr defined();
};

} // namespace nb4410
