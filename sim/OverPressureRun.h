#pragma once
// Over-pressure test (400): inflate until the monitor releases at its release pressure, or
// give up on reaching the inflate pressure; then deflate and end.
// Fields: 0 type, 1 end, 2 pressure mmHg, 3 peak pressure, 4 release indicator.
#include "TestRun.h"
#include "vti/NB4410Protocol.h"

namespace nb4410sim {

class OverPressureRun : public TestRun {
public:
    static constexpr double kInflateMmHgPerS = 10.0;
    static constexpr double kDeflateMmHgPerS = 50.0;

    OverPressureRun(double inflatePressureMmHg, const MonitorProperties& monitor);
    int Type() const override { return nb4410::protocol::kTestOverPressure; }
    QStringList Fields(double elapsedS) const override;
    bool Ended(double elapsedS) const override;

private:
    double pressureAt(double elapsedS) const;
    double peakS() const { return m_peakMmHg / kInflateMmHgPerS; }

    bool m_released;
    double m_peakMmHg;
};

} // namespace nb4410sim
