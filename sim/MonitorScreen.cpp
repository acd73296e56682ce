#include "MonitorScreen.h"

namespace nb4410sim {

MonitorScreen& MonitorScreen::Shared()
{
    static MonitorScreen screen;
    return screen;
}

void MonitorScreen::BeginMeasurement()
{
    std::lock_guard lock(m_mutex);
    MonitorDisplayState cleared;
    cleared.measurementNumber = m_state.measurementNumber + 1;
    m_state = cleared;
}

void MonitorScreen::Show(const DisplayedReadings& readings)
{
    std::lock_guard lock(m_mutex);
    m_state.complete = true;
    m_state.systolicMmHg = readings.systolicMmHg;
    m_state.diastolicMmHg = readings.diastolicMmHg;
    m_state.mapMmHg = readings.mapMmHg;
    m_state.heartRateBpm = readings.heartRateBpm;
}

MonitorDisplayState MonitorScreen::State() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

} // namespace nb4410sim
