#pragma once
// The editor of a cuff-volume test configuration. The test has no values of its own: the
// control shows a help text and the element's test-guide settings and passes their changes on
// to the host as "Change".
#include "plugin/editors/XConfigEditor.h"

#include <memory>

class QGroupBox;

namespace ostrel {
class XHelpText;
class XTestGuideSettings;
} // namespace ostrel

namespace nb4410 {

class INB4410TestGuideConfig;

class XConfigCuffVolume : public XConfigEditor {
    Q_OBJECT
public:
    explicit XConfigCuffVolume(QWidget* parent = nullptr);

    void SetLocked(bool locked) override;
    void Initialize(const ostrel::Variant& data) override;
    void SetFocus() override;

    std::shared_ptr<INB4410TestGuideConfig> Configuration() const { return m_configuration; }
    ostrel::XTestGuideSettings* TestGuideSettingsControl() const { return m_testGuideConfig; }

private:
    std::shared_ptr<INB4410TestGuideConfig> m_configuration;

    ostrel::XHelpText* m_help;
    QGroupBox* m_fraSettings;
    ostrel::XTestGuideSettings* m_testGuideConfig;
};

} // namespace nb4410
