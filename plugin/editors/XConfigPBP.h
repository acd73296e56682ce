#pragma once
// The editor of a stored blood-pressure simulation: the patient (adult or neonate), the preset
// or artifact simulation chosen from the registry's list, the values it simulates, and the
// test-guide settings. Every change goes straight into the configuration and is announced to
// the host with "Change".
#include "plugin/editors/XConfigBP.h"

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QRadioButton;

namespace nb4410 {

class CPresetValues;

class XConfigPBP : public XConfigBP {
    Q_OBJECT
public:
    static constexpr int kValues = 5; // systolic, diastolic, MAP, heart rate, pulse pressure

    explicit XConfigPBP(QWidget* parent = nullptr);
    ~XConfigPBP() override;

    void SetFocus() override;

    QComboBox* PresetList() const { return m_lstPreset; }
    QRadioButton* PatientOption(int index) const { return m_optPatient[static_cast<size_t>(index)]; }
    // 0 systolic, 1 diastolic, 2 MAP, 3 heart rate, 4 pulse pressure.
    QLabel* ValueLabel(int index) const { return m_value[static_cast<size_t>(index)]; }

protected:
    void lockControls(bool locked) override;
    void clearShown() override;
    void showHeld() override;

private:
    void loadPresets(std::int32_t testType);
    void fillPresets(std::int32_t testType, std::int32_t patient, std::int32_t selectedPreset);
    std::int32_t listedPreset(bool neonate, std::int32_t id) const;
    void showValues();
    void presetChosen(int index);
    void patientChosen(int index);
    void storeSelectedPresetData();

    std::unique_ptr<CPresetValues> m_presets;
    std::int32_t m_selectedPreset = 0;

    std::array<QRadioButton*, 2> m_optPatient{};
    QComboBox* m_lstPreset;
    std::array<QLabel*, kValues> m_value{};
};

} // namespace nb4410
