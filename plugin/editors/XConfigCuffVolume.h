#pragma once
// The editor of a cuff-volume test configuration. The test has no values of its own: the
// control shows a help text and the element's test-guide settings and passes their changes on
// to the host as "Change".
#include "plugin/editors/XConfigEditor.h"

#include <memory>

class QGroupBox;

namespace nb4410 {

class INB4410TestGuideConfig;

class XConfigCuffVolume : public XConfigEditor {
    Q_OBJECT
public:
    explicit XConfigCuffVolume(QWidget* parent = nullptr);

    void Initialize(const ostrel::Variant& data) override;
    void SetFocus() override;

    std::shared_ptr<INB4410TestGuideConfig> Configuration() const { return m_configuration; }

private:
    std::shared_ptr<INB4410TestGuideConfig> m_configuration;

    QGroupBox* m_fraSettings;
};

} // namespace nb4410
