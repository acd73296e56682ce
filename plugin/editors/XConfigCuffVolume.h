#pragma once
// The editor of a cuff-volume test configuration. The test has no values of its own: the
// control shows a help text and the element's test-guide settings and passes their changes on
// to the host as "Change".
#include "host/contract/ICustomControl.h"

#include <QWidget>
#include <memory>

class QGroupBox;

namespace ostrel {
class XHelpText;
class XTestGuideSettings;
} // namespace ostrel

namespace nb4410 {

class INB4410TestGuideConfig;

class XConfigCuffVolume : public QWidget, public ostrel::ICustomControl {
    Q_OBJECT
public:
    explicit XConfigCuffVolume(QWidget* parent = nullptr);

    // ICustomControl; failures inside are ignored.
    std::shared_ptr<ostrel::ICallback> CallBack() override { return m_callback; }
    void SetCallBack(std::shared_ptr<ostrel::ICallback> callback) override { m_callback = std::move(callback); }
    QWidget* hWnd() override { return this; }
    bool Visible() override { return isVisible(); }
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Locked() override { return m_locked; }
    void SetLocked(bool locked) override;
    void Initialize(const ostrel::Variant& data) override;
    void Refresh() override { update(); }
    void SetFocus() override;

    std::shared_ptr<INB4410TestGuideConfig> Configuration() const { return m_configuration; }
    ostrel::XTestGuideSettings* TestGuideSettingsControl() const { return m_testGuideConfig; }

private:
    void testGuideSettingsChanged();

    std::shared_ptr<ostrel::ICallback> m_callback;
    std::shared_ptr<INB4410TestGuideConfig> m_configuration;
    bool m_initialising = false;
    bool m_locked = false;

    ostrel::XHelpText* m_help;
    QGroupBox* m_fraSettings;
    ostrel::XTestGuideSettings* m_testGuideConfig;
};

} // namespace nb4410
