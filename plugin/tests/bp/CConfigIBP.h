#pragma once
// The configuration of the independent blood-pressure simulation (type 1): systolic and
// diastolic pressure, heart rate, pulse pressure and an arrhythmia entered directly.
#include "INB4410ConfigBP.h"

#include "host/contract/IConfigData.h"
#include "host/run/TestGuideSettings.h"

namespace nb4410 {

class CConfigIBP : public ostrel::IConfigData, public INB4410ConfigBP {
public:
    static constexpr char kSource[] = "VessorNB4410.CConfigIBP";
    static constexpr char kEditorProgId[] = "OstrelNB4410.XConfigIBP";
    static constexpr float kDefaultSystolic = 120.0f;
    static constexpr float kDefaultDiastolic = 80.0f;
    static constexpr std::int16_t kDefaultHeartRate = 80;
    static constexpr float kDefaultPulsePressure = 2.0f;

    CConfigIBP();

    // INB4410ConfigBP; there is no patient, preset or mean arterial pressure here.
    std::uint8_t ArrhythmiaSim() override { return m_arrhythmia; }
    void SetArrhythmiaSim(std::uint8_t selection) override { m_arrhythmia = selection; }
    std::int32_t PatientType() override { return 0; }
    void SetPatientType(std::int32_t /*patient*/) override {}
    std::uint8_t SelectedPreset() override { return 0; }
    void SetSelectedPreset(std::uint8_t /*preset*/) override {}
    std::int32_t TestType() override { return btIndependent; }
    void SetTestType(std::int32_t /*testType*/) override {}
    ostrel::TestGuideSettingsPtr TestGuideConfig() override { return m_testGuideSettings; }
    QString SelectedPresetName() override { return QString(); }
    void LoadDefaults(std::int32_t /*testType*/) override { reset(); }
    ostrel::Variant RetrieveTestParams() override;
    ostrel::Variant RetrievePresetValue(const QString& key) override;
    void StorePresetValue(const QString& key, const ostrel::Variant& value = ostrel::Variant()) override;

    // IConfigData
    bool HasDialog() override { return true; }
    std::shared_ptr<ostrel::IConfigData> Clone() override;
    std::shared_ptr<ostrel::IDialog> CreateDialog() override;
    void Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress) override;
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document) override;
    void PrintReport(ostrel::ReportPtr report) override;

private:
    void reset();
    int loadChild(const ostrel::StorageElement& child, const ostrel::ProgressPtr& progress);

    std::uint8_t m_arrhythmia = 1;
    float m_systolic = kDefaultSystolic;
    float m_diastolic = kDefaultDiastolic;
    std::int16_t m_heartRate = kDefaultHeartRate;
    float m_pulsePressure = kDefaultPulsePressure;
    ostrel::TestGuideSettingsPtr m_testGuideSettings;
};

} // namespace nb4410
