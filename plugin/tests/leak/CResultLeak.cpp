#include "CResultLeak.h"

#include "plugin/measure/MMeasureKey.h"

namespace nb4410 {

using ostrel::Variant;

CResultLeak::CResultLeak()
    : CInstrumentResult(QString::fromLatin1(kSource), QStringLiteral("20701::Loading leak test result data"),
                        StatusTextRule::Kept)
{
    m_measurements = definedMeasurements();
}

std::vector<MeasurementPtr> CResultLeak::definedMeasurements()
{
    return {Defined(MMeasureKey::kDrop, "mmHg", "20371::Pressure Drop", CMeasurement::kNumeric1, "0"),
            Defined(MMeasureKey::kRate, "mmHg/min", "20372::Leak Rate", CMeasurement::kNumeric1, "0")};
}

void CResultLeak::RestoreMeasurements()
{
    RestoreDefined(definedMeasurements());
}

void CResultLeak::Clear()
{
    m_dropSamples.fill(0.0f);
    m_sampleIndex = 0;
    m_samplesTaken = 0;
    m_nextSampleTimeS = 0;
    CInstrumentResult::Clear();
}

void CResultLeak::TakeReply(const ostrel::VariantArray& reply, std::int32_t elapsedS)
{
    // A reply too short to hold the drop leaves every value as it was.
    if (kDropField >= reply.count())
        return;
    const float drop = static_cast<float>(reply[kDropField].val());
    if (MeasurementPtr measurement = Find(QLatin1String(MMeasureKey::kDrop)))
        measurement->SetValue(Variant(drop));
    if (elapsedS < m_nextSampleTimeS + kSampleIntervalS)
        return;
    // The schedule advances by exactly one interval per sample, whatever the reply times.
    m_nextSampleTimeS += kSampleIntervalS;
    m_dropSamples[static_cast<size_t>(m_sampleIndex)] = drop;
    ++m_samplesTaken;
    float rate = 0.0f;
    if (m_samplesTaken >= kSamples) {
        // The oldest sample in the ring lies twelve intervals, one minute, back.
        rate = drop - m_dropSamples[static_cast<size_t>((m_sampleIndex + 1) % kSamples)];
    } else {
        // Less than a minute sampled: the drop since the start, scaled to one minute by the
        // sampled time, so that a short test reports a rate per minute too.
        rate = drop * static_cast<float>(kSecondsPerMinute) / static_cast<float>(elapsedS);
    }
    if (MeasurementPtr measurement = Find(QLatin1String(MMeasureKey::kRate)))
        measurement->SetValue(Variant(rate));
    m_sampleIndex = static_cast<std::int16_t>((m_sampleIndex + 1) % kSamples);
}

} // namespace nb4410
