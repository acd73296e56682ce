#pragma once
// The one setting of an over-pressure (cut-off) test: the pressure the instrument inflates
// towards while it watches whether the unit under test releases.
#include "vti/NB4410Protocol.h"
#include "plugin/tests/common/CConfigBase.h"
#include "plugin/tests/overpressure/INB4410ConfigOverPressure.h"

namespace nb4410 {

class CConfigOverPressure : public CConfigBase<CConfigOverPressure, INB4410ConfigOverPressure> {
public:
    static constexpr char kSource[] = "NB4410Tests.CConfigOverPressure";
    static constexpr char kEditorProgId[] = "OstrelNB4410.XConfigOverPressure";
    static constexpr std::int32_t kTestType = nb4410::protocol::kTestOverPressure;

    CConfigOverPressure();

    // The inflate pressure; the editor takes its row from here.
    static const ConfigTable<CConfigOverPressure>& Fields();

    float InflatePressure() const override { return m_inflatePressure; }
    void SetInflatePressure(float mmHg) override { m_inflatePressure = mmHg; }

    // The instrument's parameter set: texts of the test type and the inflate pressure.
    ostrel::VariantArray TestParameters() const;
    // One row of translated caption and value, for the test guide's info view.
    ostrel::VariantArray ConfigurationInformation() const;

private:
    float m_inflatePressure = 0;
};

// Inline, so that the editor takes its rows from here without linking the test library.
inline const ConfigTable<CConfigOverPressure>& CConfigOverPressure::Fields()
{
    // The box's tip names a wider range than the editor lets through; it is shown as written.
    static const ConfigField<CConfigOverPressure> fields[] = {
        {.tag = "InflatePressure", .attribute = nullptr, .member = &CConfigOverPressure::m_inflatePressure,
         .defaultValue = 250, .read = ConfigRead::Checked, .range = {0, 400}, .caption = "20500::Inflate Pressure",
         .unit = "mmHg", .reportFormat = "0", .infoRow = 0, .reportRow = 0,
         .editor = {"20245::Inflate Pressure (mmHg):", "20253::Legal range: 0 - 500 mmHg.", 5, 50, 50}},
    };
    // Children are looked up by name: stored settings alone count as found.
    static const ConfigTable<CConfigOverPressure> table{
        fields, &CConfigOverPressure::m_testGuideSettings,
        {QString::fromLatin1(kSource), QStringLiteral("20501::Loading over-pressure test configuration data"), 4, 3},
        ConfigMissing::WhenNone};
    return table;
}

} // namespace nb4410
