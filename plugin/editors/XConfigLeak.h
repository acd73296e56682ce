#pragma once
// The editor of a leak test configuration: tested equipment, start pressure and duration (a
// text box and a slider each) and the test-guide settings. Every change goes straight into
// the configuration and is announced to the host with "Change".
#include "host/contract/ICustomControl.h"

#include <QWidget>
#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace ostrel {
class XHelpText;
class XTestGuideSettings;
} // namespace ostrel

namespace nb4410 {

class CConfigLeak;

class XConfigLeak : public QWidget, public ostrel::ICustomControl {
    Q_OBJECT
public:
    static constexpr int kStartPressureRow = 0;
    static constexpr int kDurationRow = 1;
    static constexpr int kRows = 2;
    static constexpr int kEquipmentOptions = 3;

    explicit XConfigLeak(QWidget* parent = nullptr);

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

    std::shared_ptr<CConfigLeak> Configuration() const { return m_configuration; }
    QLineEdit* TextBox(int row) const { return m_text[static_cast<size_t>(row)]; }
    QSlider* Slider(int row) const { return m_slider[static_cast<size_t>(row)]; }
    QRadioButton* EquipmentOption(int index) const { return m_option[static_cast<size_t>(index)]; }
    ostrel::XTestGuideSettings* TestGuideSettingsControl() const { return m_testGuideConfig; }

    static int RowMinimum(int row);
    static int RowMaximum(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textChanged(int row);
    void sliderMoved(int row, int position);
    void optionClicked(int index);
    void testGuideSettingsChanged();
    std::int32_t readRow(int row);
    void notifyChange();

    std::shared_ptr<ostrel::ICallback> m_callback;
    std::shared_ptr<CConfigLeak> m_configuration;
    bool m_locked = false;
    bool m_initialising = false;
    bool m_textBusy = false;

    QGroupBox* m_fraEquipment;
    std::array<QRadioButton*, kEquipmentOptions> m_option{};
    ostrel::XHelpText* m_help;
    QGroupBox* m_fraSettings;
    std::array<QLabel*, kRows> m_label{};
    std::array<QLineEdit*, kRows> m_text{};
    std::array<QSlider*, kRows> m_slider{};
    ostrel::XTestGuideSettings* m_testGuideConfig;
};

} // namespace nb4410
