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
const QString kPreset = QStringLiteral("Preset");
const QString kTypeAttribute = QStringLiteral("Type");
const QString kPatientAttribute = QStringLiteral("Patient");
const QString kSystolic = QStringLiteral("Systolic");
const QString kDiastolic = QStringLiteral("Diastolic");
const QString kMap = QStringLiteral("Map");
const QString kHeartRate = QStringLiteral("HeartRate");
const QString kPulsePressure = QStringLiteral("PulsePressure");

enum Present : int {
    kHasPreset = 1,
    kHasSystolic = 2,
    kHasDiastolic = 4,
    kHasMap = 8,
    kHasHeartRate = 16,
    kHasPulsePressure = 32,
    kHasSettings = 64,
    kHasAll = 127
};

QString text(const Variant& value) { return ostrel::NumberToText(value); }
MConfigStore::Origin storeOrigin()
{
    return {QString::fromLatin1(CConfigPBP::kSource), QLatin1String(MConfigBP::kLoadingText), 2, 2};
}
} // namespace

CConfigPBP::CConfigPBP() { reset(); }

void CConfigPBP::reset()
{
    m_patientType = 0;
    m_testGuideSettings = std::make_shared<ostrel::TestGuideSettings>();
}

QString CConfigPBP::SelectedPresetName()
{
    return MConfigBP::PresetName(m_testType, m_patientType, m_selectedPreset);
}

void CConfigPBP::LoadDefaults(std::int32_t testType)
{
    m_testType = testType;
    reset();
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

std::shared_ptr<ostrel::IConfigData> CConfigPBP::Clone()
{
    try {
        auto copy = std::make_shared<CConfigPBP>();
        copy->SetTestType(m_testType);
        copy->SetSelectedPreset(m_selectedPreset);
        copy->SetPatientType(m_patientType);
        for (const char* key : {MMeasureKey::kSyst, MMeasureKey::kDias, MMeasureKey::kMapr, MMeasureKey::kHart,
                                MMeasureKey::kPuls})
            copy->StorePresetValue(QLatin1String(key), RetrievePresetValue(QLatin1String(key)));
        copy->m_testGuideSettings = MConfigStore::CopySettings(m_testGuideSettings);
        return copy;
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(QString::fromLatin1(kSource));
    }
}

std::shared_ptr<ostrel::IDialog> CConfigPBP::CreateDialog()
{
    try {
        return FDialogWrapper::Open(QString::fromLatin1(kEditorProgId), Variant(shared_from_this()));
    } catch (...) {
        ostrel::ErrorService::instance().PassOn(QString::fromLatin1(kSource));
    }
}

void CConfigPBP::Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress)
{
    MConfigStore::Load(
        element, progress, storeOrigin(), [this] { reset(); },
        [this, progress](const ostrel::StorageElement& child) {
            if (child.Name() == QLatin1String(MXmlTags::kTestGuideSettings)) {
                m_testGuideSettings->Load(child, progress);
                return static_cast<int>(kHasSettings);
            }
            return loadChild(child);
        },
        kHasAll);
}

int CConfigPBP::loadChild(const ostrel::StorageElement& child)
{
    const QString name = child.Name();
    if (name == kPreset) {
        const QString type = child.Attribute(kTypeAttribute);
        const QString patient = child.Attribute(kPatientAttribute);
        if (!type.isEmpty())
            m_selectedPreset = MConfigStore::ReadByte(type);
        if (!patient.isEmpty())
            m_patientType = ostrel::roundToLong(ostrel::leadingNumber(patient));
        return kHasPreset;
    }
    if (name == kSystolic) {
        m_systolic = MConfigStore::ReadFloat(child);
        return kHasSystolic;
    }
    if (name == kDiastolic) {
        m_diastolic = MConfigStore::ReadFloat(child);
        return kHasDiastolic;
    }
    if (name == kMap) {
        m_map = MConfigStore::ReadFloat(child);
        return kHasMap;
    }
    if (name == kHeartRate) {
        m_heartRate = MConfigStore::ReadInteger(child.Text());
        return kHasHeartRate;
    }
    if (name == kPulsePressure) {
        m_pulsePressure = MConfigStore::ReadFloat(child);
        return kHasPulsePressure;
    }
    return 0;
}

ostrel::StorageElement CConfigPBP::Save(const ostrel::StorageDocumentPtr& document)
{
    return MConfigStore::Save(document, storeOrigin(), [&](ostrel::StorageElement& element) {
        ostrel::StorageElement preset = document->CreateElement(kPreset);
        preset.SetAttribute(kTypeAttribute, text(Variant(m_selectedPreset)));
        preset.SetAttribute(kPatientAttribute, text(Variant(m_patientType)));
        element.AppendChild(preset);
        element.AddChild(kSystolic, text(Variant(m_systolic)));
        element.AddChild(kDiastolic, text(Variant(m_diastolic)));
        element.AddChild(kMap, text(Variant(m_map)));
        element.AddChild(kHeartRate, text(Variant(m_heartRate)));
        element.AddChild(kPulsePressure, text(Variant(m_pulsePressure)));
        MConfigStore::SaveSettings(element, document, m_testGuideSettings);
    });
}

void CConfigPBP::PrintReport(ostrel::ReportPtr report)
{
    MConfigStore::PrintTable(
        report, {{QStringLiteral("20356::Selected Preset"), text(Variant(m_selectedPreset))},
                 {QStringLiteral("20354::Pulse Pressure"),
                  ostrel::formatNumber(m_pulsePressure, QStringLiteral("0.00")) + QStringLiteral(" mmHg")}});
}

} // namespace nb4410
