#pragma once
// What the blood-pressure configurations and editors share: the registry tables of presets,
// artifact simulations and arrhythmia choices, the arrhythmia texts, and the preset data
// string ("120;80;93;60;2": systolic, diastolic, mean arterial pressure, heart rate, pulse
// pressure).
#include "INB4410ConfigBP.h"
#include "host/core/RegistryKey.h"

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

} // namespace nb4410::MConfigBP
