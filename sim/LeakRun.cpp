#include "LeakRun.h"

#include <algorithm>
#include <cmath>

namespace nb4410sim {

LeakRun::LeakRun(double startPressureMmHg, int durationS, const MonitorProperties& monitor)
    : m_startMmHg(startPressureMmHg), m_durationS(durationS), m_leakMmHgPerS(monitor.leakRateMmHgPerMin / 60.0)
{
}

double LeakRun::pressureAt(double elapsedS) const
{
    if (elapsedS < inflateS())
        return elapsedS * kInflateMmHgPerS;
    return std::max(0.0, m_startMmHg - (elapsedS - inflateS()) * m_leakMmHgPerS);
}

bool LeakRun::Ended(double elapsedS) const
{
    if (elapsedS < inflateS())
        return false;
    const double holdS = elapsedS - inflateS();
    return (m_durationS > 0 && holdS >= m_durationS) || pressureAt(elapsedS) <= 0.0;
}

QStringList LeakRun::Fields(double elapsedS) const
{
    // After the end the values stay where the test ended.
    double t = elapsedS;
    if (m_durationS > 0)
        t = std::min(t, inflateS() + m_durationS);
    const double holdS = std::max(0.0, t - inflateS());
    const double pressure = pressureAt(t);
    const double drop = t < inflateS() ? 0.0 : m_startMmHg - pressure;
    return {QString::number(Type()), Ended(elapsedS) ? QStringLiteral("1") : QStringLiteral("0"), text(pressure),
            QStringLiteral("0"), text(drop), QString::number(static_cast<int>(std::floor(holdS)))};
}

} // namespace nb4410sim
