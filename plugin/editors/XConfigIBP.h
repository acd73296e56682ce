#pragma once
// The editor of an independent blood-pressure simulation: systolic and diastolic pressure,
// heart rate and pulse pressure typed in, an arrhythmia chosen from the registry's list, and
// the test-guide settings. Every change goes straight into the configuration and is announced
// to the host with "Change".
#include "plugin/editors/XConfigBP.h"

#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace nb4410 {

class XConfigIBP : public XConfigBP {
    Q_OBJECT
public:
    static constexpr int kRows = 4; // systolic, diastolic, heart rate, pulse pressure

    explicit XConfigIBP(QWidget* parent = nullptr);

    void SetFocus() override;

    QLineEdit* TextBox(int row) const { return m_text[static_cast<size_t>(row)]; }
    QComboBox* ArrhythmiaList() const { return m_lstArrSim; }
    static QString RowKey(int row);

protected:
    void lockControls(bool locked) override;
    void clearShown() override;
    void showHeld() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillArrhythmiaList();
    void valueTyped(int row);
    void arrhythmiaChosen(int index);

    QGroupBox* m_fraSelections;
    std::array<QLabel*, kRows> m_label{};
    std::array<QLineEdit*, kRows> m_text{};
    QComboBox* m_lstArrSim;
};

} // namespace nb4410
