#pragma once
// The result of one leak test: the pressure drop, the leak rate over the last minute (derived
// here from the drops, sampled every 5 s into a 13-entry ring), the overall status with its
// stored text, the operator's comment, the instrument number and the service record.
#include "vti/NB4410Protocol.h"
#include "plugin/tests/common/CInstrumentResult.h"

#include <array>

namespace nb4410 {

class CResultLeak : public CInstrumentResult {
public:
    static constexpr char kSource[] = "VessorNB4410.CResultLeak";
    static constexpr int kSamples = 13;
    static constexpr std::int32_t kSampleIntervalS = 5;
    static constexpr std::int32_t kSecondsPerMinute = 60;
    // Reply fields: 4 the pressure drop in mmHg.
    static constexpr int kDropField = nb4410::protocol::leak::kDrop;

    CResultLeak();

    // Also restarts the sampling ring.
    void Clear() override;

    // One reply of the running test with its elapsed seconds (called only for elapsed > 0).
    // The rate is the drop over the last minute; before a minute is sampled, the drop since
    // the start scaled to one minute. A reply without the drop field changes nothing.
    void TakeReply(const ostrel::VariantArray& reply, std::int32_t elapsedS);

protected:
    // A loaded result holds only what was stored; the two measurements made at creation go.
    std::vector<MeasurementPtr> LoadedMeasurementsBase() const override { return {}; }
    // A loaded result holds only the measurements that had a status; a new run must fill
    // both again, or a rate never evaluated before would be lost for good.
    void RestoreMeasurements() override;

    std::vector<MeasurementPtr> DefinedMeasurements() const override { return definedMeasurements(); }

private:
    static std::vector<MeasurementPtr> definedMeasurements();
    std::array<float, kSamples> m_dropSamples{};
    std::int16_t m_sampleIndex = 0;
    std::int32_t m_samplesTaken = 0; // the ring spans a full minute from kSamples on
    std::int32_t m_nextSampleTimeS = 0;
};

} // namespace nb4410
