#pragma once
// The settings of one leak test: the pressure the instrument inflates to, what is connected
// (cuff, monitor or both) and how long the test runs (0: until stopped).
#include "vti/NB4410Protocol.h"
#include "plugin/guide/INB4410TestGuideConfig.h"
#include "plugin/tests/common/CConfigBase.h"

namespace nb4410 {

class CConfigLeak : public CConfigBase<CConfigLeak, INB4410TestGuideConfig> {
public:
    static constexpr char kSource[] = "VessorNB4410.CConfigLeak";
    static constexpr char kEditorProgId[] = "OstrelNB4410.XConfigLeak";
    static constexpr std::int32_t kTestType = nb4410::protocol::kTestLeak;

    enum Equipment : std::int32_t { kCuff = 1, kMonitor = 2, kCuffAndMonitor = 3 };

    CConfigLeak();

    // Start pressure, tested equipment and duration; the editor takes its rows from here.
    static const ConfigTable<CConfigLeak>& Fields();

    float StartPressure() const { return m_startPressure; }
    void SetStartPressure(float mmHg) { m_startPressure = mmHg; }
    std::int32_t TestedEquipment() const { return m_testedEquipment; }
    void SetTestedEquipment(std::int32_t equipment) { m_testedEquipment = equipment; }
    std::int32_t Duration() const { return m_duration; }
    void SetDuration(std::int32_t seconds) { m_duration = seconds; }

    // Translated, or with its number prefix for a later translation; empty for unknown values.
    QString TestedEquipmentText(bool translate) const;
    // "(continuous)" below 1 s, else minutes and seconds ("01:00", "100:00").
    QString DurationText() const;
    // The instrument's parameter set: texts of the test type, start pressure, equipment, duration.
    ostrel::VariantArray TestParameters() const;
    // Three rows of translated caption and value, for the test guide's info view.
    ostrel::VariantArray ConfigurationInformation() const;

private:
    float m_startPressure = 0;
    std::int32_t m_testedEquipment = 0;
    std::int32_t m_duration = 0;
};

} // namespace nb4410
