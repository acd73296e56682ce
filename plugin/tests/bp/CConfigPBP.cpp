#include "CConfigPBP.h"

#include "MConfigBP.h"

#include "host/core/ErrorService.h"
#include "host/core/Steps.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/MMeasureKey.h"
#include "plugin/measure/MXmlTags.h"
#include "plugin/tests/common/MConfigStore.h"

namespace nb4410 {

using ostrel::runStep;
using ostrel::Variant;

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
