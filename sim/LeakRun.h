#pragma once
// Leak test (300): inflate to the start pressure, then the pressure falls at the monitor's
// leak rate until the duration has passed (0: until stopped) or the pressure is gone.
// Fields: 0 type, 1 end, 2 pressure mmHg, 3 unused, 4 drop since the start pressure was
// reached, 5 seconds since then.
#include "TestRun.h"
#include "vti/NB4410Protocol.h"

namespace nb4410sim {

class LeakRun : public TestRun {
public:
    static constexpr double kInflateMmHgPerS = 25.0;

    LeakRun(double startPressureMmHg, int durationS, const MonitorProperties& monitor);
    int Type() const override { return nb4410::protocol::kTestLeak; }
    QStringList Fields(double elapsedS) const override;
    bool Ended(double elapsedS) const override;

private:
    double pressureAt(double elapsedS) const;
    double inflateS() const { return m_startMmHg / kInflateMmHgPerS; }

    double m_startMmHg;
    int m_durationS;
    double m_leakMmHgPerS;
};

} // namespace nb4410sim
