#pragma once
// What the blood-pressure configurations and editors share: the registry tables of presets,
// artifact simulations and arrhythmia choices, the arrhythmia texts, and the preset data
// string ("120;80;93;60;2": systolic, diastolic, mean arterial pressure, heart rate, pulse
// pressure).
#include "INB4410ConfigBP.h"
#include "host/core/BasicNumber.h"
#include "host/core/LanguageService.h"
#include "host/core/RegistryKey.h"
#include "host/core/RegistryStore.h"
#include "host/core/Steps.h"

#include <QStringList>

#include <QString>
#include <cstdint>
#include <optional>

namespace nb4410::MConfigBP {

inline constexpr char kRootKey[] = "Software\\Halvard\\Ostrel\\NB-4410";
inline constexpr char kPresetsKey[] = "Software\\Halvard\\Ostrel\\NB-4410\\Presets";
inline constexpr char kArtifactsKey[] = "Software\\Halvard\\Ostrel\\NB-4410\\Artifacts";
inline constexpr char kArrhythmiaKey[] = "Software\\Halvard\\Ostrel\\NB-4410\\Arrhythmia";
inline constexpr char kAdult[] = "\\Adult";
inline constexpr char kNeonate[] = "\\Neonate";
inline constexpr char kNameValue[] = "Name";
inline constexpr char kIdValue[] = "ID";
inline constexpr char kDataValue[] = "Data";
// The progress text of loading either blood-pressure configuration.
inline constexpr char kLoadingText[] = "20401::Loading blood pressure test configuration data";

// Neonate presets are numbered after the seven adult ones.
inline constexpr int kNeonatePresetOffset = 7;
inline constexpr std::uint8_t kArrhythmiaOff = 1;

// "Presets" for 2, "Artifacts" for 3, empty for any other type.
QString FamilyKey(std::int32_t testType);
QString PatientKey(std::int32_t patientType);
// The sub-key number of a preset: neonate presets of type 2 count from 1 again.
int PresetSubKey(std::int32_t testType, std::int32_t patientType, std::uint8_t selectedPreset);
// The translated name of the selected preset or artifact simulation; empty when the registry
// has none.
QString PresetName(std::int32_t testType, std::int32_t patientType, std::uint8_t selectedPreset);
// The key under HKEY_LOCAL_MACHINE, or nullptr.
ostrel::RegistryKeyPtr OpenKey(const QString& path);

// The translated text of an arrhythmia selection 1..6, empty for any other value.
QString ArrhythmiaSimName(std::int32_t selection);
// The numbered text (untranslated) of a selection, empty for any other value.
QString ArrhythmiaSimText(std::int32_t selection);

// The five fields of a preset data string; a field that is missing or empty is unset. Each
// field is the leading number of its text; the heart rate is rounded.
struct PresetFields {
    std::optional<float> systolic;
    std::optional<float> diastolic;
    std::optional<float> map;
    std::optional<std::int16_t> heartRate;
    std::optional<float> pulsePressure;
};
PresetFields ParsePresetData(const QString& data);

// The instrument's "STST" block of a simulation, nine texts: 100, the simulation type, the
// preset, 0, systolic, diastolic, heart rate, pulse pressure and the arrhythmia.
ostrel::Variant TestParams(std::int32_t testType, std::uint8_t preset, float systolic, float diastolic,
                           std::int16_t heartRate, float pulsePressure, std::uint8_t arrhythmia);

// Defined here, so that the editors use the tables without linking the configurations.
namespace detail {
inline const char* const kArrhythmiaTexts[] = {"20250::Off", "20251::PAC", "20252::AFIB", "20253::2-BLK II", "20254::PVC STD",
                                        "20255::Artifact"};
inline constexpr int kArrhythmiaCount = 6;
} // namespace detail

inline QString FamilyKey(std::int32_t testType)
{
    switch (testType) {
    case btPreset: return QString::fromLatin1(kPresetsKey);
    case btArtifact: return QString::fromLatin1(kArtifactsKey);
    default: return QString();
    }
}

inline QString PatientKey(std::int32_t patientType)
{
    return QString::fromLatin1(patientType != 0 ? kNeonate : kAdult);
}

inline int PresetSubKey(std::int32_t testType, std::int32_t patientType, std::uint8_t selectedPreset)
{
    if (testType == btPreset && patientType != 0)
        return selectedPreset - kNeonatePresetOffset;
    return selectedPreset;
}

inline ostrel::RegistryKeyPtr OpenKey(const QString& path)
{
    ostrel::RegistryKeyPtr key;
    ostrel::runStep("open registry key", [&] { key = ostrel::RegistryStore::instance().Open(ostrel::Hive::LocalMachine, path); });
    return key;
}

inline QString PresetName(std::int32_t testType, std::int32_t patientType, std::uint8_t selectedPreset)
{
    const QString family = FamilyKey(testType);
    if (family.isEmpty())
        return QString();
    const QString path = family + PatientKey(patientType) + QLatin1Char('\\')
        + ostrel::Variant(PresetSubKey(testType, patientType, selectedPreset)).text();
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

inline QString ArrhythmiaSimText(std::int32_t selection)
{
    if (selection < 1 || selection > detail::kArrhythmiaCount)
        return QString();
    return QString::fromLatin1(detail::kArrhythmiaTexts[selection - 1]);
}

inline QString ArrhythmiaSimName(std::int32_t selection)
{
    const QString text = ArrhythmiaSimText(selection);
    QString name;
    if (!text.isEmpty())
        ostrel::runStep("arrhythmia text", [&] { name = ostrel::tr4410(text); });
    return name;
}

inline PresetFields ParsePresetData(const QString& data)
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

inline ostrel::Variant TestParams(std::int32_t testType, std::uint8_t preset, float systolic, float diastolic,
                                  std::int16_t heartRate, float pulsePressure, std::uint8_t arrhythmia)
{
    using ostrel::Variant;
    return Variant(ostrel::VariantArray{
        QStringLiteral("100"), Variant(testType).text(), Variant(preset).text(), QStringLiteral("0"),
        Variant(systolic).text(), Variant(diastolic).text(), Variant(heartRate).text(), Variant(pulsePressure).text(),
        Variant(arrhythmia).text()});
}

} // namespace nb4410::MConfigBP
