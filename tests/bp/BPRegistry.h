#pragma once
// The test's own preset, artifact and arrhythmia tables, installed as the only machine data of
// the registry store for the life of the guard.
#include "tests/support/RegistryGuard.h"

namespace nb4410::testing {

inline const QByteArray kBPRegistry = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Presets\Adult\1]
"Name"="29001::Adult One"
"ID"=dword:00000001
"Data"="120;80;93;60;2"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Presets\Adult\2]
"Name"="29002::Adult Two without data"
"ID"=dword:00000002

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Presets\Adult\3]
"Name"="29003::Adult Three"
"ID"=dword:00000003
"Data"="150;100;117;90;2.5"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Presets\Neonate\1]
"Name"="29008::Neonate Eight"
"ID"=dword:00000008
"Data"="70;40;50;120;1"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Presets\Neonate\2]
"Name"="29009::Neonate Nine"
"ID"=dword:00000009
"Data"="60;30;40;140"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Presets\Neonate\3]
"Name"="29010::Neonate Ten"
"ID"=dword:0000000a
"Data"="100;60;73;130;1.2"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Artifacts\Adult\1]
"Name"="29101::Artifact One"
"ID"=dword:00000001
"Data"="110;70;83;75;1.5"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Artifacts\Adult\2]
"Name"="29102::Artifact Two"
"ID"=dword:00000002
"Data"="130;90;103;85;1.5"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Artifacts\Neonate\8]
"Name"="29108::Neonate Artifact Eight"
"ID"=dword:00000008
"Data"="70;40;50;120;1"

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Arrhythmia\1]
"Name"="20250::Off"
"ID"=dword:00000001

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Arrhythmia\2]
"Name"=""
"ID"=dword:00000002

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Arrhythmia\3]
"Name"="20252::AFIB"
"ID"=dword:00000003

[HKEY_LOCAL_MACHINE\Software\Halvard\Ostrel\NB-4410\Arrhythmia\4]
"Name"="20253::2-BLK II"
"ID"=dword:00000000
)";

class BPRegistryGuard : public ostrel::testing::RegistryGuard {
public:
    BPRegistryGuard() : RegistryGuard(kBPRegistry, false) {}
};

} // namespace nb4410::testing
