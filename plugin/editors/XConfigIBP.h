#pragma once
// The editor of an independent blood-pressure simulation: systolic and diastolic pressure,
// heart rate and pulse pressure typed in, an arrhythmia chosen from the registry's list, and
// the test-guide settings. Every change goes straight into the configuration and is announced
// to the host with "Change".
#include "plugin/editors/XConfigEditor.h"

#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace nb4410 {

class INB4410ConfigBP;

class XConfigIBP : public XConfigEditor {
    Q_OBJECT
public:
    static constexpr int kRows = 4; // systolic, diastolic, heart rate, pulse pressure

    explicit XConfigIBP(QWidget* parent = nullptr);

    void SetLocked(bool locked) override;
    void Initialize(const ostrel::Variant& data) override;
    void SetFocus() override;

    QLineEdit* TextBox(int row) const { return m_text[static_cast<size_t>(row)]; }
    QComboBox* ArrhythmiaList() const { return m_lstArrSim; }
    static QString RowKey(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillArrhythmiaList();
    void valueTyped(int row);
    void arrhythmiaChosen(int index);

    std::shared_ptr<ostrel::IObject> m_holder; // keeps the configuration alive
    INB4410ConfigBP* m_configuration = nullptr;
    bool m_busy = false;

    QGroupBox* m_fraParams;
    QGroupBox* m_fraSelections;
    QGroupBox* m_fraSettings;
    std::array<QLabel*, kRows> m_label{};
    std::array<QLineEdit*, kRows> m_text{};
    QComboBox* m_lstArrSim;
};

} // namespace nb4410
