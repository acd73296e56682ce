#pragma once
// The result view of the blood-pressure tests: one row per reading with the simulated value,
// the high and low limit of the chosen standard and the value the operator types in from the
// monitor under test. Failed rows are dark red and bold, a typed reading as soon as it is
// typed; a popup menu switches between the selected standards and between percent and
// calculated limits; the container is told when every reading has been entered.
#include "XResultTable.h"

#include <memory>

class QLineEdit;
class QPushButton;

namespace nb4410 {

class CMeasurement;

class XResultBP : public XResultTable {
    Q_OBJECT
public:
    static constexpr int kPresetColumn = 1;
    static constexpr int kValueColumn = 4;
    static constexpr int kColumns = 5;
    static constexpr int kEnterKey = 13;
    static constexpr int kBackspaceKey = 8;

    explicit XResultBP(QWidget* parent = nullptr);

    // INB4410ResultView
    void Clear() override;
    void ShowTestResult(std::shared_ptr<ostrel::IResultData> result) override;
    void ShowLimits(std::shared_ptr<ostrel::ILimitData> limits, std::shared_ptr<ostrel::IStandards> selected) override;
    void StartEditing() override;

    QLineEdit* EditBox() const { return m_edit; }
    bool LastRowPassed() const { return m_lastRowPassed; }
    // Begins editing the reading of the row (the selected row when none is given).
    void BeginEdit(QTreeWidgetItem* row = nullptr);
    // Whether every row has a reading.
    bool AllEntered() const;
    // The button that records "no reading" for the row being edited, and what it does: the
    // measurement fails and the entry goes on with the next row, as after Enter.
    QPushButton* NoReadingButton() const { return m_noReading; }
    void RecordNoReading();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMeasurement(const std::shared_ptr<ostrel::IMeasurement>& measurement) override;
    // The measurement a row of the list shows (null without a result).
    std::shared_ptr<CMeasurement> measurementOf(const QTreeWidgetItem* row) const;
    void editChanged();
    bool editKey(int key, const QString& text);
    void nextRow();
    void updateNextButton();
    // The status the typed reading would get against the limits shown, the measurement untouched.
    std::int32_t previewStatus(const CMeasurement& measurement) const;
    void placeEditBox(QTreeWidgetItem* row);

    QLineEdit* m_edit;
    QPushButton* m_noReading;
    std::shared_ptr<ostrel::IResultData> m_result;
    std::shared_ptr<ostrel::ILimitData> m_limitData;
    std::shared_ptr<ostrel::IStandards> m_selectedStandards;
    bool m_editSuppressed = false;
    bool m_lastRowPassed = false;
};

} // namespace nb4410
