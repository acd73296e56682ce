#include "CResultCuffVolume.h"

#include "plugin/measure/MMeasureKey.h"

namespace nb4410 {

using ostrel::Variant;

CResultCuffVolume::CResultCuffVolume()
    : CInstrumentResult(QString::fromLatin1(kSource), QStringLiteral("20700::Loading cuff volume test result data"))
{
    m_measurements = {defined()};
}

MeasurementPtr CResultCuffVolume::defined()
{
    return Defined(MMeasureKey::kCvol, "ccm", "20370::Cuff Volume", CMeasurement::kNumeric2, "0");
}

std::shared_ptr<ostrel::IMeasurement> CResultCuffVolume::Measurement(const Variant& /*index*/) { return CuffVolume(); }

void CResultCuffVolume::SetCuffVolume(float ccm) { CuffVolume()->SetValue(Variant(ccm)); }

void CResultCuffVolume::RestoreMeasurements()
{
    // A stored measurement under another key would take the volume without limits or storage.
    if (m_measurements.size() != 1 || CuffVolume()->Key() != QLatin1String(MMeasureKey::kCvol))
        m_measurements = {defined()};
}

void CResultCuffVolume::TakeLoadedMeasurement(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress)
{
    // Loaded into a defined measurement, so that the volume keeps its display format.
    MeasurementPtr measurement = defined();
    measurement->Load(element, progress);
    m_measurements = {measurement};
}

} // namespace nb4410
