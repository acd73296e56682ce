#pragma once
// The editor of an over-pressure test configuration: the inflate pressure (a text box and a
// slider) and the test-guide settings. Every change goes straight into the configuration and
// is announced to the host with "Change".
#include "plugin/editors/XConfigEditor.h"

#include <memory>

class QGroupBox;
class QLineEdit;
class QSlider;

namespace nb4410 {

class CDigitsSlider;
class INB4410ConfigOverPressure;

class XConfigOverPressure : public XConfigEditor {
    Q_OBJECT
public:
    explicit XConfigOverPressure(QWidget* parent = nullptr);

    void Initialize(const ostrel::Variant& data) override;
    void SetFocus() override;

    std::shared_ptr<INB4410ConfigOverPressure> Configuration() const { return m_configuration; }
    QLineEdit* TextBox() const;
    QSlider* Slider() const;

protected:
    void lockControls(bool locked) override;

private:
    void valueTyped();

    std::shared_ptr<INB4410ConfigOverPressure> m_configuration;

    QGroupBox* m_fraSettings;
    CDigitsSlider* m_inflatePressure = nullptr;
};

} // namespace nb4410
