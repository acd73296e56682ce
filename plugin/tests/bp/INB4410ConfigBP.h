#pragma once
// The interface the two blood-pressure configurations share, through which the test element,
// the result and the editors read and change the simulation without knowing which of the two
// they hold. Reached from the configuration object by dynamic_cast.
#include "host/core/Variant.h"
#include "plugin/guide/INB4410TestGuideConfig.h"

#include <QString>
#include <cstdint>

namespace nb4410 {

// Simulation types, as the instrument numbers them.
enum EBPTestType : std::int32_t { btIndependent = 1, btPreset = 2, btArtifact = 3 };

class INB4410ConfigBP : public INB4410TestGuideConfig {
public:
    virtual std::uint8_t ArrhythmiaSim() = 0;
    virtual void SetArrhythmiaSim(std::uint8_t selection) = 0;
    virtual std::int32_t PatientType() = 0; // 0 adult, any other value neonate
    virtual void SetPatientType(std::int32_t patient) = 0;
    virtual std::uint8_t SelectedPreset() = 0;
    virtual void SetSelectedPreset(std::uint8_t preset) = 0;
    virtual std::int32_t TestType() = 0;
    virtual void SetTestType(std::int32_t testType) = 0;
    virtual QString SelectedPresetName() = 0;
    virtual void LoadDefaults(std::int32_t testType) = 0;
    // The instrument's "STST" block: an array of exactly nine texts.
    virtual ostrel::Variant RetrieveTestParams() = 0;
    // One simulated value by measurement key ("SYST", "DIAS", "MAPR", "HART", "PULS"); Empty
    // for a key the configuration does not hold.
    virtual ostrel::Variant RetrievePresetValue(const QString& key) = 0;
    // Sets one value by key; the preset configuration also takes a whole preset data string
    // as the key (with no value).
    virtual void StorePresetValue(const QString& key, const ostrel::Variant& value = ostrel::Variant()) = 0;
};

} // namespace nb4410
