#pragma once
// The editor of an over-pressure test configuration: the inflate pressure (a text box and a
// slider) and the test-guide settings. Every change goes straight into the configuration and
// is announced to the host with "Change".
#include "host/contract/ICustomControl.h"

#include <QWidget>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace ostrel {
class XHelpText;
class XTestGuideSettings;
} // namespace ostrel

namespace nb4410 {

class INB4410ConfigOverPressure;

class XConfigOverPressure : public QWidget, public ostrel::ICustomControl {
    Q_OBJECT
public:
    static constexpr int kMinimumMmHg = 0;
    static constexpr int kMaximumMmHg = 400;

    explicit XConfigOverPressure(QWidget* parent = nullptr);

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

    std::shared_ptr<INB4410ConfigOverPressure> Configuration() const { return m_configuration; }
    QLineEdit* TextBox() const { return m_text; }
    QSlider* Slider() const { return m_slider; }
    ostrel::XTestGuideSettings* TestGuideSettingsControl() const { return m_testGuideConfig; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textChanged();
    void sliderMoved(int position);
    void testGuideSettingsChanged();
    std::int32_t readInflatePressure();
    void notifyChange();

    std::shared_ptr<ostrel::ICallback> m_callback;
    std::shared_ptr<INB4410ConfigOverPressure> m_configuration;
    bool m_locked = false;
    bool m_initialising = false;
    bool m_textBusy = false;

    ostrel::XHelpText* m_help;
    QGroupBox* m_fraSettings;
    QLabel* m_label;
    QLineEdit* m_text;
    QSlider* m_slider;
    ostrel::XTestGuideSettings* m_testGuideConfig;
};

} // namespace nb4410
