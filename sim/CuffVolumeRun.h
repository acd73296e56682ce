#pragma once
// Cuff-volume test (200): measures for a few seconds, then reports the volume.
// Fields: 0 type, 1 end, 2 volume in ccm (0 until the end).
#include "TestRun.h"
#include "vti/NB4410Protocol.h"

namespace nb4410sim {

class CuffVolumeRun : public TestRun {
public:
    static constexpr double kMeasureS = 5.0;

    explicit CuffVolumeRun(const MonitorProperties& monitor) : m_volumeCcm(monitor.cuffVolumeCcm) {}
    int Type() const override { return nb4410::protocol::kTestCuffVolume; }
    QStringList Fields(double elapsedS) const override;
    bool Ended(double elapsedS) const override { return elapsedS >= kMeasureS; }

private:
    double m_volumeCcm;
};

} // namespace nb4410sim
