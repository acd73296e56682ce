#pragma once
// The editor of a leak test configuration: tested equipment, start pressure and duration (a
// text box and a slider each) and the test-guide settings. Every change goes straight into
// the configuration and is announced to the host with "Change".
#include "plugin/editors/XConfigEditor.h"

#include <array>
#include <memory>

class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace nb4410 {

class CConfigLeak;
class CDigitsSlider;

class XConfigLeak : public XConfigEditor {
    Q_OBJECT
public:
    static constexpr int kStartPressureRow = 0;
    static constexpr int kDurationRow = 1;
    static constexpr int kRows = 2;
    static constexpr int kEquipmentOptions = 3;

    explicit XConfigLeak(QWidget* parent = nullptr);

    void Initialize(const ostrel::Variant& data) override;
    void SetFocus() override;

    std::shared_ptr<CConfigLeak> Configuration() const { return m_configuration; }
    QLineEdit* TextBox(int row) const;
    QSlider* Slider(int row) const;
    QRadioButton* EquipmentOption(int index) const { return m_option[static_cast<size_t>(index)]; }

    static int RowMinimum(int row);
    static int RowMaximum(int row);

protected:
    void lockControls(bool locked) override;

private:
    void valueTyped(int row);
    void optionClicked(int index);

    std::shared_ptr<CConfigLeak> m_configuration;

    QGroupBox* m_fraEquipment;
    std::array<QRadioButton*, kEquipmentOptions> m_option{};
    QGroupBox* m_fraSettings;
    std::array<CDigitsSlider*, kRows> m_row{};
};

} // namespace nb4410
