#pragma once
// The test's own preset, artifact and arrhythmia tables, installed as the only machine data of
// the registry store for the life of the guard.
#include "tests/support/RegistryGuard.h"

namespace nb4410::testing {

struct BPRegistryEntry {
    const char* key; // below the instrument's key
    const char* name;
    int id;
    const char* data; // nullptr: the entry has no data
};

// Entries without data, with an empty name or an ID below 1 are there on purpose: the tables
// must pass over them.
inline constexpr BPRegistryEntry kBPRegistryEntries[] = {
    {"Presets\\Adult\\1", "29001::Adult One", 1, "120;80;93;60;2"},
    {"Presets\\Adult\\2", "29002::Adult Two without data", 2, nullptr},
    {"Presets\\Adult\\3", "29003::Adult Three", 3, "150;100;117;90;2.5"},
    {"Presets\\Neonate\\1", "29008::Neonate Eight", 8, "70;40;50;120;1"},
    {"Presets\\Neonate\\2", "29009::Neonate Nine", 9, "60;30;40;140"},
    {"Presets\\Neonate\\3", "29010::Neonate Ten", 10, "100;60;73;130;1.2"},
    {"Artifacts\\Adult\\1", "29101::Artifact One", 1, "110;70;83;75;1.5"},
    {"Artifacts\\Adult\\2", "29102::Artifact Two", 2, "130;90;103;85;1.5"},
    {"Artifacts\\Neonate\\8", "29108::Neonate Artifact Eight", 8, "70;40;50;120;1"},
    {"Arrhythmia\\1", "20250::Off", 1, nullptr},
    {"Arrhythmia\\2", "", 2, nullptr},
    {"Arrhythmia\\3", "20252::AFIB", 3, nullptr},
    {"Arrhythmia\\4", "20253::2-BLK II", 0, nullptr},
};

inline QByteArray bpRegistryText()
{
    QByteArray text = "Windows Registry Editor Version 5.00\n";
    for (const BPRegistryEntry& entry : kBPRegistryEntries) {
        text += "\n[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\NB-4410\\" + QByteArray(entry.key) + "]\n";
        text += "\"Name\"=\"" + QByteArray(entry.name) + "\"\n";
        text += "\"ID\"=dword:" + QByteArray::number(entry.id, 16).rightJustified(8, '0') + "\n";
        if (entry.data)
            text += "\"Data\"=\"" + QByteArray(entry.data) + "\"\n";
    }
    return text;
}

class BPRegistryGuard : public ostrel::testing::RegistryGuard {
public:
    BPRegistryGuard() : RegistryGuard(bpRegistryText(), false) {}
};

} // namespace nb4410::testing
