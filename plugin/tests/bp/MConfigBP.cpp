#include "MConfigBP.h"

#include "host/core/LanguageService.h"
#include "host/core/RegistryStore.h"
#include "host/core/Steps.h"
#include "host/core/StringUtil.h"

#include <QStringList>

namespace nb4410::MConfigBP {

namespace {
const char* const kArrhythmiaTexts[] = {"20250::Off", "20251::PAC", "20252::AFIB", "20253::2-BLK II", "20254::PVC STD",
                                        "20255::Artifact"};
constexpr int kArrhythmiaCount = 6;
} // namespace

QString FamilyKey(std::int32_t testType)
{
    switch (testType) {
    case btPreset: return QString::fromLatin1(kPresetsKey);
    case btArtifact: return QString::fromLatin1(kArtifactsKey);
    default: return QString();
    }
}

QString PatientKey(std::int32_t patientType)
{
    return QString::fromLatin1(patientType != 0 ? kNeonate : kAdult);
}

int PresetSubKey(std::int32_t testType, std::int32_t patientType, std::uint8_t selectedPreset)
{
    if (testType == btPreset && patientType != 0)
        return selectedPreset - kNeonatePresetOffset;
    return selectedPreset;
}

ostrel::RegistryKeyPtr OpenKey(const QString& path)
{
    ostrel::RegistryKeyPtr key;
    ostrel::runStep("open registry key", [&] { key = ostrel::RegistryStore::instance().Open(ostrel::Hive::LocalMachine, path); });
    return key;
}

QString PresetName(std::int32_t testType, std::int32_t patientType, std::uint8_t selectedPreset)
{
    const QString family = FamilyKey(testType);
    if (family.isEmpty())
        return QString();
    const QString path = family + PatientKey(patientType) + QLatin1Char('\\')
        + ostrel::NumberToText(ostrel::Variant(PresetSubKey(testType, patientType, selectedPreset)));
    QString name;
    ostrel::runStep("preset name", [&] {
        if (const ostrel::RegistryKeyPtr key = OpenKey(path)) {
            const QString text = key->Text(QString::fromLatin1(kNameValue));
            if (!text.isEmpty())
                name = ostrel::tr4410(text);
        }
    });
    return name;
}

QString ArrhythmiaSimText(std::int32_t selection)
{
    if (selection < 1 || selection > kArrhythmiaCount)
        return QString();
    return QString::fromLatin1(kArrhythmiaTexts[selection - 1]);
}

QString ArrhythmiaSimName(std::int32_t selection)
{
    const QString text = ArrhythmiaSimText(selection);
    QString name;
    if (!text.isEmpty())
        ostrel::runStep("arrhythmia text", [&] { name = ostrel::tr4410(text); });
    return name;
}

PresetFields ParsePresetData(const QString& data)
{
    PresetFields fields;
    const QStringList tokens = data.split(QLatin1Char(';'));
    auto number = [&](int index) -> std::optional<double> {
        if (index >= tokens.size() || tokens[index].isEmpty())
            return std::nullopt;
        return ostrel::leadingNumber(tokens[index]);
    };
    if (auto v = number(0))
        fields.systolic = static_cast<float>(*v);
    if (auto v = number(1))
        fields.diastolic = static_cast<float>(*v);
    if (auto v = number(2))
        fields.map = static_cast<float>(*v);
    if (auto v = number(3))
        ostrel::runStep("heart rate", [&] { fields.heartRate = ostrel::roundToInteger(*v); });
    if (auto v = number(4))
        fields.pulsePressure = static_cast<float>(*v);
    return fields;
}

} // namespace nb4410::MConfigBP
