#pragma once
// The configuration of a blood-pressure simulation that runs one of the simulations stored in
// the registry: a preset (type 2) or an artifact simulation (type 3), for an adult or a
// neonate patient. The type is fixed when the element creates it and is not stored.
#include "INB4410ConfigBP.h"

#include "plugin/measure/MMeasureKey.h"
#include "plugin/tests/bp/MConfigBP.h"
#include "plugin/tests/common/CConfigBase.h"

namespace nb4410 {

class CConfigPBP : public CConfigBase<CConfigPBP, INB4410ConfigBP> {
public:
    static constexpr char kSource[] = "VessorNB4410.CConfigPBP";
    static constexpr char kEditorProgId[] = "OstrelNB4410.XConfigPBP";

    CConfigPBP();

    // The preset (number and patient) and its values (the editor's rows, in this order); the
    // test type is not stored.
    static const ConfigTable<CConfigPBP>& Fields();

    // INB4410ConfigBP
    std::uint8_t ArrhythmiaSim() override { return 0; } // presets always run without arrhythmia
    void SetArrhythmiaSim(std::uint8_t /*selection*/) override {}
    std::int32_t PatientType() override { return m_patientType; }
    void SetPatientType(std::int32_t patient) override { m_patientType = patient; }
    std::uint8_t SelectedPreset() override { return m_selectedPreset; }
    void SetSelectedPreset(std::uint8_t preset) override { m_selectedPreset = preset; }
    std::int32_t TestType() override { return m_testType; }
    void SetTestType(std::int32_t testType) override { m_testType = testType; }
    QString SelectedPresetName() override;
    void LoadDefaults(std::int32_t testType) override;
    ostrel::Variant RetrieveTestParams() override;
    ostrel::Variant RetrievePresetValue(const QString& key) override;
    void StorePresetValue(const QString& key, const ostrel::Variant& value = ostrel::Variant()) override;

protected:
    void CopyFrom(const CConfigPBP& other) override;

private:
    std::int32_t m_testType = 0;
    std::int32_t m_patientType = 0;
    std::uint8_t m_selectedPreset = 0;
    float m_systolic = 0.0f;
    float m_diastolic = 0.0f;
    std::int16_t m_heartRate = 0;
    float m_pulsePressure = 0.0f;
    float m_map = 0.0f;
};

// Inline, so that the editor takes its rows from here without linking the test library.
inline const ConfigTable<CConfigPBP>& CConfigPBP::Fields()
{
    // Only the patient has a default: the values come with the preset.
    static const ConfigField<CConfigPBP> fields[] = {
        {.tag = "Preset", .attribute = "Type", .member = &CConfigPBP::m_selectedPreset, .defaultValue = std::nullopt,
         .read = ConfigRead::Byte, .range = {}, .caption = "20356::Selected Preset", .reportRow = 0},
        {.tag = "Preset", .attribute = "Patient", .member = &CConfigPBP::m_patientType, .defaultValue = 0,
         .read = ConfigRead::Long, .range = {}},
        {.tag = "Systolic", .attribute = nullptr, .member = &CConfigPBP::m_systolic, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}, .editor = {.caption = "20234::Systolic (mmHg) :"},
         .key = MMeasureKey::kSyst},
        {.tag = "Diastolic", .attribute = nullptr, .member = &CConfigPBP::m_diastolic, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}, .editor = {.caption = "20235::Diastolic (mmHg) :"},
         .key = MMeasureKey::kDias},
        {.tag = "Map", .attribute = nullptr, .member = &CConfigPBP::m_map, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}, .editor = {.caption = "20238::MAP (mmHg) :", .format = "0.0"},
         .key = MMeasureKey::kMapr},
        {.tag = "HeartRate", .attribute = nullptr, .member = &CConfigPBP::m_heartRate, .defaultValue = std::nullopt,
         .read = ConfigRead::Integer, .range = {}, .editor = {.caption = "20236::Heart Rate (BPM) :"},
         .key = MMeasureKey::kHart},
        {.tag = "PulsePressure", .attribute = nullptr, .member = &CConfigPBP::m_pulsePressure,
         .defaultValue = std::nullopt, .read = ConfigRead::Float, .range = {}, .caption = "20354::Pulse Pressure",
         .unit = "mmHg", .reportFormat = "0.00", .reportRow = 1,
         .editor = {.caption = "20237::Pulse Pressure (mmHg) :", .format = "0.00"}, .key = MMeasureKey::kPuls},
    };
    static const ConfigTable<CConfigPBP> table{
        fields, &CConfigPBP::m_testGuideSettings,
        {QString::fromLatin1(kSource), QLatin1String(MConfigBP::kLoadingText), 2, 2}};
    return table;
}

} // namespace nb4410
