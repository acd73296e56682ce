#include "OverPressureRun.h"

#include <algorithm>

namespace nb4410sim {

OverPressureRun::OverPressureRun(double inflatePressureMmHg, const MonitorProperties& monitor)
    : m_released(monitor.releasePressureMmHg <= inflatePressureMmHg),
      m_peakMmHg(std::min(monitor.releasePressureMmHg, inflatePressureMmHg))
{
}

double OverPressureRun::pressureAt(double elapsedS) const
{
    if (elapsedS < peakS())
        return elapsedS * kInflateMmHgPerS;
    return std::max(0.0, m_peakMmHg - (elapsedS - peakS()) * kDeflateMmHgPerS);
}

bool OverPressureRun::Ended(double elapsedS) const
{
    return elapsedS >= peakS() + m_peakMmHg / kDeflateMmHgPerS;
}

QStringList OverPressureRun::Fields(double elapsedS) const
{
    const bool pastPeak = elapsedS >= peakS();
    const double peak = pastPeak ? m_peakMmHg : elapsedS * kInflateMmHgPerS;
    return {QString::number(Type()), Ended(elapsedS) ? QStringLiteral("1") : QStringLiteral("0"), text(pressureAt(elapsedS)),
            text(peak), (pastPeak && m_released) ? QStringLiteral("1") : QStringLiteral("0")};
}

} // namespace nb4410sim
