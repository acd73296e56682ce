#include "CResultOverPressure.h"

#include "plugin/measure/MMeasureKey.h"

#include <algorithm>

namespace nb4410 {

using ostrel::Variant;

CResultOverPressure::CResultOverPressure()
    : CInstrumentResult(QString::fromLatin1(kSource), QStringLiteral("20502::Loading over-pressure test result data"))
{
    m_measurements = definedMeasurements();
}

std::vector<MeasurementPtr> CResultOverPressure::definedMeasurements()
{
    return {Defined(MMeasureKey::kPeak, "mmHg", "20373::Monitor Release Pressure", CMeasurement::kNumeric2, "0"),
            Defined(kReleaseKey, "", "20903::Monitor Release", CMeasurement::kYesNo, nullptr)};
}

void CResultOverPressure::RestoreMeasurements()
{
    // A loaded result holds only what was measured; a new run fills both values again.
    RestoreDefined(definedMeasurements());
}

void CResultOverPressure::TakeReply(const ostrel::VariantArray& reply)
{
    // A field the reply is too short to hold leaves its value as it was.
    if (kPeakField < reply.count())
        if (MeasurementPtr measurement = Find(QLatin1String(MMeasureKey::kPeak)))
            measurement->SetValue(reply[kPeakField]);
    if (kReleaseField < reply.count())
        if (MeasurementPtr measurement = Find(QLatin1String(kReleaseKey)))
            measurement->SetValue(Variant(reply[kReleaseField].val() > 0));
}

} // namespace nb4410
