#pragma once
// Blood-pressure simulation (100): the monitor inflates its cuff above the simulated systolic
// pressure, deflates slowly past the diastolic one, dumps the rest and shows its readings.
// Fields: 0 type, 1 end, 2 manometer pressure mmHg, 3 unused, 4 seconds since the start,
// 5..8 the monitor's readings (systolic, diastolic, mean, heart rate; 0 until the end).
#include "TestRun.h"
#include "vti/NB4410Protocol.h"

namespace nb4410sim {

class BpSimulationRun : public TestRun {
public:
    static constexpr double kInflateMmHgPerS = 20.0;
    static constexpr double kDeflateMmHgPerS = 4.0;
    static constexpr double kDumpMmHgPerS = 50.0;

    BpSimulationRun(double sysMmHg, double diaMmHg, double heartRate, const MonitorProperties& monitor);
    int Type() const override { return nb4410::protocol::kTestBloodPressure; }
    QStringList Fields(double elapsedS) const override;
    bool Ended(double elapsedS) const override { return elapsedS >= dumpEndS(); }
    bool MonitorMeasures() const override { return true; }
    std::optional<DisplayedReadings> Display(double elapsedS) const override;

private:
    double pressureAt(double elapsedS) const;
    double topMmHg() const;
    double bottomMmHg() const;
    double inflateEndS() const { return topMmHg() / kInflateMmHgPerS; }
    double deflateEndS() const { return inflateEndS() + (topMmHg() - bottomMmHg()) / kDeflateMmHgPerS; }
    double dumpEndS() const { return deflateEndS() + bottomMmHg() / kDumpMmHgPerS; }

    double m_sys;
    double m_dia;
    double m_heartRate;
    MonitorProperties m_monitor;
};

} // namespace nb4410sim
