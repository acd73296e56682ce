#pragma once
// Measurement keys: the four-letter names that join a measurement to its limit items, with the
// description, unit and report format that go with each key, and the keys of each test ID.
#include <QString>
#include <cstdint>
#include <vector>

namespace nb4410::MMeasureKey {

inline constexpr char kSyst[] = "SYST";
inline constexpr char kDias[] = "DIAS";
inline constexpr char kMapr[] = "MAPR";
inline constexpr char kHart[] = "HART";
inline constexpr char kCvol[] = "CVOL";
inline constexpr char kDrop[] = "DROP";
inline constexpr char kRate[] = "RATE";
inline constexpr char kPeak[] = "PEAK";
// Outside the limit machinery: the yes/no monitor release of the over-pressure result, and the
// pulse-pressure field of a BP configuration's preset values.
inline constexpr char kMrel[] = "MREL";
inline constexpr char kPuls[] = "PULS";

// The unit a limit may be given in besides the measurement's own unit.
inline constexpr char kPercentUnit[] = "%";

struct KeyInfo {
    const char* key;
    const char* description; // untranslated language text
    const char* unit;        // never translated
    const char* format;      // report format; empty when the key has none
};

// The table of the eight limit keys; nullptr for any other key.
const KeyInfo* Find(const QString& key);

QString Description(const QString& key); // "" for an unknown key
QString Unit(const QString& key);
QString Format(const QString& key);
// The units a limit of the key may be given in: the unit, ";" and "%" ("mmHg;%").
QString UnitChoices(const QString& key);

// The measurement keys of a catalogue test ID, in table order; empty for an unknown ID.
std::vector<QString> KeysOfTest(std::int32_t testId);

} // namespace nb4410::MMeasureKey
