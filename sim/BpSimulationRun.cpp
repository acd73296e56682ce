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

std::optional<DisplayedReadings> BpSimulationRun::Display(double elapsedS) const
{
    if (!Ended(elapsedS))
        return std::nullopt;
    // The monitor shows whole numbers.
    const auto shown = [](double value) { return static_cast<double>(std::lround(value)); };
    const double map = m_dia + (m_sys - m_dia) / 3.0;
    return DisplayedReadings{shown(m_sys + m_monitor.offsetSysMmHg), shown(m_dia + m_monitor.offsetDiaMmHg),
                             shown(map + m_monitor.offsetMapMmHg), shown(m_heartRate + m_monitor.offsetHeartRate)};
}

QStringList BpSimulationRun::Fields(double elapsedS) const
{
    const DisplayedReadings shown = Display(elapsedS).value_or(DisplayedReadings{}); // zeros until the end
    const auto whole = [](double value) { return QString::number(std::lround(value)); };
    return {QString::number(Type()),
            Ended(elapsedS) ? QStringLiteral("1") : QStringLiteral("0"),
            whole(pressureAt(elapsedS)),
            QStringLiteral("0"),
            QString::number(static_cast<int>(std::floor(std::min(elapsedS, dumpEndS())))),
            whole(shown.systolicMmHg),
            whole(shown.diastolicMmHg),
            whole(shown.mapMmHg),
            whole(shown.heartRateBpm)};
}

} // namespace nb4410sim
