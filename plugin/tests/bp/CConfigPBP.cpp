#include "CConfigPBP.h"

#include "MConfigBP.h"

#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "host/core/StringUtil.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MMeasureKey.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

const ConfigTable<CConfigPBP>& CConfigPBP::Fields()
{
    // Only the patient has a default: the values come with the preset.
    static const ConfigField<CConfigPBP> fields[] = {
        {.tag = "Preset", .attribute = "Type", .member = &CConfigPBP::m_selectedPreset, .defaultValue = std::nullopt,
         .read = ConfigRead::Byte, .range = {}, .caption = "20356::Selected Preset", .reportRow = 0},
        {.tag = "Preset", .attribute = "Patient", .member = &CConfigPBP::m_patientType, .defaultValue = 0,
         .read = ConfigRead::Long, .range = {}},
        {.tag = "Systolic", .attribute = nullptr, .member = &CConfigPBP::m_systolic, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}, .key = MMeasureKey::kSyst},
        {.tag = "Diastolic", .attribute = nullptr, .member = &CConfigPBP::m_diastolic, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}, .key = MMeasureKey::kDias},
        {.tag = "Map", .attribute = nullptr, .member = &CConfigPBP::m_map, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}, .key = MMeasureKey::kMapr},
        {.tag = "HeartRate", .attribute = nullptr, .member = &CConfigPBP::m_heartRate, .defaultValue = std::nullopt,
         .read = ConfigRead::Integer, .range = {}, .key = MMeasureKey::kHart},
        {.tag = "PulsePressure", .attribute = nullptr, .member = &CConfigPBP::m_pulsePressure,
         .defaultValue = std::nullopt, .read = ConfigRead::Float, .range = {}, .caption = "20354::Pulse Pressure",
         .unit = "mmHg", .reportFormat = "0.00", .reportRow = 1, .key = MMeasureKey::kPuls},
    };
    static const ConfigTable<CConfigPBP> table{
        fields, &CConfigPBP::m_testGuideSettings,
        {QString::fromLatin1(kSource), QLatin1String(MConfigBP::kLoadingText), 2, 2}};
    return table;
}

CConfigPBP::CConfigPBP() { ResetFields(); }

QString CConfigPBP::SelectedPresetName()
{
    return MConfigBP::PresetName(m_testType, m_patientType, m_selectedPreset);
}

void CConfigPBP::LoadDefaults(std::int32_t testType)
{
    m_testType = testType;
    ResetFields();
    const QString family = MConfigBP::FamilyKey(testType);
    if (family.isEmpty())
        return;
    const ostrel::RegistryKeyPtr first =
        MConfigBP::OpenKey(family + QString::fromLatin1(MConfigBP::kAdult) + QStringLiteral("\\1"));
    if (!first || first->ValueNames().isEmpty())
        return;
    runStep("default preset number", [&] {
        m_selectedPreset = first->Value(QString::fromLatin1(MConfigBP::kIdValue)).toByte();
    });
    runStep("default preset values", [&] { StorePresetValue(first->Text(QString::fromLatin1(MConfigBP::kDataValue))); });
}

Variant CConfigPBP::RetrieveTestParams()
{
    // Presets always run without arrhythmia.
    return MConfigBP::TestParams(m_testType, m_selectedPreset, m_systolic, m_diastolic, m_heartRate, m_pulsePressure,
                                 MConfigBP::kArrhythmiaOff);
}

Variant CConfigPBP::RetrievePresetValue(const QString& key) { return MConfigFields::KeyedValue(Fields(), *this, key); }

void CConfigPBP::StorePresetValue(const QString& key, const Variant& value)
{
    runStep("store preset value", [&] {
        if (key.isEmpty() || MConfigFields::SetKeyed(Fields(), *this, key, value))
            return;
        // Not a key: a whole preset data string.
        const MConfigBP::PresetFields fields = MConfigBP::ParsePresetData(key);
        m_systolic = fields.systolic.value_or(m_systolic);
        m_diastolic = fields.diastolic.value_or(m_diastolic);
        m_map = fields.map.value_or(m_map);
        m_heartRate = fields.heartRate.value_or(m_heartRate);
        m_pulsePressure = fields.pulsePressure.value_or(m_pulsePressure);
    });
}

void CConfigPBP::CopyFrom(const CConfigPBP& other)
{
    // The test type is the element's, not stored, yet a clone keeps it.
    m_testType = other.m_testType;
    CConfigBase::CopyFrom(other);
}

} // namespace nb4410
