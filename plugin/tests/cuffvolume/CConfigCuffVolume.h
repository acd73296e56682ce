#pragma once
// The configuration of a cuff-volume test. The test has no parameter of its own; the
// configuration carries the element's test-guide settings and opens the editor.
#include "host/contract/IConfigData.h"
#include "host/run/TestGuideSettings.h"
#include "plugin/guide/INB4410TestGuideConfig.h"
#include "plugin/tests/common/MConfigFields.h"

namespace nb4410 {

class CConfigCuffVolume : public ostrel::IConfigData, public INB4410TestGuideConfig {
public:
    static constexpr char kSource[] = "NB4410Tests.CConfigCuffVolume";
    static constexpr char kEditorProgId[] = "OstrelNB4410.XConfigCuffVolume";
    static constexpr ostrel::HResult kLoadError = ostrel::hr(0x8004A3C2u);
    static constexpr ostrel::HResult kSaveError = ostrel::hr(0x8004A3C3u);

    CConfigCuffVolume();

    // No field: only the test-guide settings are stored.
    static const ConfigTable<CConfigCuffVolume>& Fields();

    ostrel::TestGuideSettingsPtr TestGuideSettings() const { return m_testGuideSettings; }
    ostrel::TestGuideSettingsPtr TestGuideConfig() override { return m_testGuideSettings; }
    void CopyTestGuideSettingsFrom(const CConfigCuffVolume& other);

    // IConfigData
    bool HasDialog() override { return true; }
    std::shared_ptr<ostrel::IConfigData> Clone() override;
    std::shared_ptr<ostrel::IDialog> CreateDialog() override;
    void Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress) override;
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document) override;
    void PrintReport(ostrel::ReportPtr /*report*/) override {} // nothing to print

private:
    ostrel::TestGuideSettingsPtr m_testGuideSettings;
};

} // namespace nb4410
