#pragma once
// The result of one over-pressure test: the peak pressure the instrument reached ("PEAK") and
// whether the unit under test released it ("MREL").
#include "vti/NB4410Protocol.h"
#include "plugin/tests/common/CInstrumentResult.h"

namespace nb4410 {

class CResultOverPressure : public CInstrumentResult {
public:
    static constexpr char kSource[] = "VessorNB4410.CResultOverPressure";
    static constexpr char kReleaseKey[] = "MREL";
    // Reply fields: 3 the peak pressure, 4 the release indicator.
    static constexpr int kPeakField = nb4410::protocol::overpressure::kPeak;
    static constexpr int kReleaseField = nb4410::protocol::overpressure::kReleased;

    CResultOverPressure();

    // One "GRES" reply: the peak as the instrument sent it, released when field 4 > 0; a field
    // the reply is too short to hold leaves its value as it was.
    void TakeReply(const ostrel::VariantArray& reply);

protected:
    void RestoreMeasurements() override;
    std::vector<MeasurementPtr> LoadedMeasurementsBase() const override { return {}; }

    std::vector<MeasurementPtr> DefinedMeasurements() const override { return definedMeasurements(); }

private:
    static std::vector<MeasurementPtr> definedMeasurements();
};

} // namespace nb4410
