#pragma once
// The configuration of the independent blood-pressure simulation (type 1): systolic and
// diastolic pressure, heart rate, pulse pressure and an arrhythmia entered directly.
#include "INB4410ConfigBP.h"

#include "plugin/measure/MMeasureKey.h"
#include "plugin/tests/bp/MConfigBP.h"
#include "plugin/tests/common/CConfigBase.h"

namespace nb4410 {

class CConfigIBP : public CConfigBase<CConfigIBP, INB4410ConfigBP> {
public:
    static constexpr char kSource[] = "VessorNB4410.CConfigIBP";
    static constexpr char kEditorProgId[] = "OstrelNB4410.XConfigIBP";

    CConfigIBP();

    // Systolic, diastolic, heart rate, pulse pressure (the editor's rows, in this order) and
    // the arrhythmia.
    static const ConfigTable<CConfigIBP>& Fields();

    // INB4410ConfigBP; there is no patient, preset or mean arterial pressure here.
    std::uint8_t ArrhythmiaSim() override { return m_arrhythmia; }
    void SetArrhythmiaSim(std::uint8_t selection) override { m_arrhythmia = selection; }
    std::int32_t PatientType() override { return 0; }
    void SetPatientType(std::int32_t /*patient*/) override {}
    std::uint8_t SelectedPreset() override { return 0; }
    void SetSelectedPreset(std::uint8_t /*preset*/) override {}
    std::int32_t TestType() override { return btIndependent; }
    void SetTestType(std::int32_t /*testType*/) override {}
    QString SelectedPresetName() override { return QString(); }
    void LoadDefaults(std::int32_t /*testType*/) override { ResetFields(); }
    ostrel::Variant RetrieveTestParams() override;
    ostrel::Variant RetrievePresetValue(const QString& key) override;
    void StorePresetValue(const QString& key, const ostrel::Variant& value = ostrel::Variant()) override;

private:
    std::uint8_t m_arrhythmia = 0;
    float m_systolic = 0;
    float m_diastolic = 0;
    std::int16_t m_heartRate = 0;
    float m_pulsePressure = 0;
};

// Inline, so that the editor takes its rows from here without linking the test library.
inline const ConfigTable<CConfigIBP>& CConfigIBP::Fields()
{
    // The ranges the editor accepts; a stored value outside them is refused.
    static const ConfigField<CConfigIBP> fields[] = {
        {.tag = "Systolic", .attribute = nullptr, .member = &CConfigIBP::m_systolic, .defaultValue = 120,
         .read = ConfigRead::Checked, .range = {20, 255},
         .editor = {.caption = "20234::Systolic (mmHg) :", .toolTip = "20250::Legal range: 20 mmHg - 255 mmHg."},
         .key = MMeasureKey::kSyst},
        {.tag = "Diastolic", .attribute = nullptr, .member = &CConfigIBP::m_diastolic, .defaultValue = 80,
         .read = ConfigRead::Checked, .range = {5, 210},
         .editor = {.caption = "20235::Diastolic (mmHg) :", .toolTip = "20251::Legal range: 5 mmHg - 210 mmHg."},
         .key = MMeasureKey::kDias},
        {.tag = "HeartRate", .attribute = nullptr, .member = &CConfigIBP::m_heartRate, .defaultValue = 80,
         .read = ConfigRead::Checked, .range = {10, 240, true},
         .editor = {.caption = "20236::Heart Rate (BPM) :", .toolTip = "20252::Legal range: 10  BPM - 240 BPM."},
         .key = MMeasureKey::kHart},
        {.tag = "PulsePressure", .attribute = nullptr, .member = &CConfigIBP::m_pulsePressure, .defaultValue = 2,
         .read = ConfigRead::Checked, .range = {0.5, 5.0}, .caption = "20354::Pulse Pressure", .unit = "mmHg",
         .reportFormat = "0.0", .reportRow = 0,
         .editor = {.caption = "20237::Pulse Pressure (mmHg) :", .toolTip = "20253::Legal range: 0.5 mmHg - 5.0 mmHg.",
                    .format = "0.00"},
         .key = MMeasureKey::kPuls},
        {.tag = "ArrhythmiaSim", .attribute = nullptr, .member = &CConfigIBP::m_arrhythmia,
         .defaultValue = MConfigBP::kArrhythmiaOff, .read = ConfigRead::Byte, .range = {1, 6, true},
         .caption = "20240::Arrhythmia Simulation",
         .text = [](const CConfigIBP&, const ostrel::Variant& selection) {
             return MConfigBP::ArrhythmiaSimName(selection.toLong());
         }, .reportRow = 1},
    };
    static const ConfigTable<CConfigIBP> table{
        fields, &CConfigIBP::m_testGuideSettings,
        {QString::fromLatin1(kSource), QLatin1String(MConfigBP::kLoadingText), 2, 2}};
    return table;
}

} // namespace nb4410
