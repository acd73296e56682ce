#include "BpSimulationRun.h"

#include <algorithm>
#include <cmath>

namespace nb4410sim {

BpSimulationRun::BpSimulationRun(double sysMmHg, double diaMmHg, double heartRate, const MonitorProperties& monitor)
    : m_sys(sysMmHg > 0 ? sysMmHg : 120), m_dia(diaMmHg > 0 ? diaMmHg : 80), m_heartRate(heartRate > 0 ? heartRate : 80),
      m_monitor(monitor)
{
}

double BpSimulationRun::topMmHg() const
{
    return std::min(300.0, m_sys + 30.0);
}

double BpSimulationRun::bottomMmHg() const
{
    return std::max(10.0, std::min(m_dia - 15.0, topMmHg() - 10.0));
}

double BpSimulationRun::pressureAt(double t) const
{
    if (t < inflateEndS())
        return t * kInflateMmHgPerS;
    if (t < deflateEndS())
        return topMmHg() - (t - inflateEndS()) * kDeflateMmHgPerS;
    return std::max(0.0, bottomMmHg() - (t - deflateEndS()) * kDumpMmHgPerS);
}

QStringList BpSimulationRun::Fields(double elapsedS) const
{
    const bool ended = Ended(elapsedS);
    const double map = m_dia + (m_sys - m_dia) / 3.0;
    const auto reading = [&](double value) { return ended ? QString::number(std::lround(value)) : QStringLiteral("0"); };
    return {QStringLiteral("100"),
            ended ? QStringLiteral("1") : QStringLiteral("0"),
            QString::number(std::lround(pressureAt(elapsedS))),
            QStringLiteral("0"),
            QString::number(static_cast<int>(std::floor(std::min(elapsedS, dumpEndS())))),
            reading(m_sys + m_monitor.offsetSysMmHg),
            reading(m_dia + m_monitor.offsetDiaMmHg),
            reading(map + m_monitor.offsetMapMmHg),
            reading(m_heartRate + m_monitor.offsetHeartRate)};
}

} // namespace nb4410sim
