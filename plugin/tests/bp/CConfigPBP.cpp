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

namespace {
QString text(const Variant& value) { return ostrel::numberToText(value); }
} // namespace

const ConfigTable<CConfigPBP>& CConfigPBP::Fields()
{
    // Only the patient has a default: the values come with the preset.
    static const ConfigField<CConfigPBP> fields[] = {
        {.tag = "Preset", .attribute = "Type", .member = &CConfigPBP::m_selectedPreset, .defaultValue = std::nullopt,
         .read = ConfigRead::Byte, .range = {}, .caption = "20356::Selected Preset", .reportRow = 0},
        {.tag = "Preset", .attribute = "Patient", .member = &CConfigPBP::m_patientType, .defaultValue = 0,
         .read = ConfigRead::Long, .range = {}},
        {.tag = "Systolic", .attribute = nullptr, .member = &CConfigPBP::m_systolic, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}},
        {.tag = "Diastolic", .attribute = nullptr, .member = &CConfigPBP::m_diastolic, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}},
        {.tag = "Map", .attribute = nullptr, .member = &CConfigPBP::m_map, .defaultValue = std::nullopt,
         .read = ConfigRead::Float, .range = {}},
        {.tag = "HeartRate", .attribute = nullptr, .member = &CConfigPBP::m_heartRate, .defaultValue = std::nullopt,
         .read = ConfigRead::Integer, .range = {}},
        {.tag = "PulsePressure", .attribute = nullptr, .member = &CConfigPBP::m_pulsePressure,
         .defaultValue = std::nullopt, .read = ConfigRead::Float, .range = {}, .caption = "20354::Pulse Pressure",
         .unit = "mmHg", .reportFormat = "0.00", .reportRow = 1},
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
    return Variant(ostrel::VariantArray{QStringLiteral("100"), text(Variant(m_testType)), text(Variant(m_selectedPreset)),
                                        QStringLiteral("0"), text(Variant(m_systolic)), text(Variant(m_diastolic)),
                                        text(Variant(m_heartRate)), text(Variant(m_pulsePressure)), QStringLiteral("1")});
}

Variant CConfigPBP::RetrievePresetValue(const QString& key)
{
    if (key == QLatin1String(MMeasureKey::kSyst))
        return Variant(m_systolic);
    if (key == QLatin1String(MMeasureKey::kDias))
        return Variant(m_diastolic);
    if (key == QLatin1String(MMeasureKey::kMapr))
        return Variant(m_map);
    if (key == QLatin1String(MMeasureKey::kPuls))
        return Variant(m_pulsePressure);
    if (key == QLatin1String(MMeasureKey::kHart))
        return Variant(m_heartRate);
    return Variant();
}

void CConfigPBP::StorePresetValue(const QString& key, const Variant& value)
{
    runStep("store preset value", [&] {
        if (key.isEmpty())
            return;
        if (key == QLatin1String(MMeasureKey::kSyst))
            m_systolic = value.toSingle();
        else if (key == QLatin1String(MMeasureKey::kDias))
            m_diastolic = value.toSingle();
        else if (key == QLatin1String(MMeasureKey::kMapr))
            m_map = value.toSingle();
        else if (key == QLatin1String(MMeasureKey::kPuls))
            m_pulsePressure = value.toSingle();
        else if (key == QLatin1String(MMeasureKey::kHart))
            m_heartRate = value.toInteger();
        else {
            const MConfigBP::PresetFields fields = MConfigBP::ParsePresetData(key);
            m_systolic = fields.systolic.value_or(m_systolic);
            m_diastolic = fields.diastolic.value_or(m_diastolic);
            m_map = fields.map.value_or(m_map);
            m_heartRate = fields.heartRate.value_or(m_heartRate);
            m_pulsePressure = fields.pulsePressure.value_or(m_pulsePressure);
        }
    });
}

void CConfigPBP::CopyFrom(const CConfigPBP& other)
{
    // The test type is the element's, not stored, yet a clone keeps it.
    m_testType = other.m_testType;
    CConfigBase::CopyFrom(other);
}

} // namespace nb4410
