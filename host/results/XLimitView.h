#pragma once
// The limit editor "OstrelView.XLimitView": pick or create a standard of a limit data, and per
// measurement key type its upper and lower limit and choose the unit. Edits go into the
// standard's limit items at once; text that is no number is refused in the box.
#include "host/contract/ICustomControl.h"
#include "host/contract/IStandards.h"
#include "host/results/ILimitView.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ostrel {

class XLimitView : public QWidget, public ICustomControl, public ILimitView {
    Q_OBJECT
public:
    static constexpr char kProgId[] = "OstrelView.XLimitView";
    enum ColumnIndex { kColDescription = 0, kColUpper = 1, kColLower = 2, kColUnit = 3 };

    explicit XLimitView(QWidget* parent = nullptr);

    // ILimitView
    void AddRow(const QString& key, const QString& description, const QString& unitArgument,
                const QString& unitChoices) override;

    // ICustomControl
    std::shared_ptr<ICallback> CallBack() override { return m_callback; }
    void SetCallBack(std::shared_ptr<ICallback> callback) override { m_callback = std::move(callback); }
    QWidget* hWnd() override { return this; }
    bool Visible() override { return !isHidden(); }
    void SetVisible(bool visible) override { setVisible(visible); }
    bool Locked() override { return m_locked; }
    void SetLocked(bool locked) override;
    // data: the limit data (an ILimitData object).
    void Initialize(const Variant& data) override;
    void Refresh() override;
    void SetFocus() override;

    // The standard being edited (none before one is chosen or created).
    std::shared_ptr<IStandard> CurrentStandard() const { return m_standard; }
    void SelectStandard(int index); // index into the limit data's standards
    // Creates a standard through the limit data with the names typed into the two boxes.
    void CreateStandard();
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    QLineEdit* LimitBox(int row, int index) const; // index 0 upper, 1 lower
    QComboBox* UnitBox(int row) const;
    QLabel* StatusLabel() const { return m_lblStatus; }
    // Why value may not become the item's limit index (a lower limit above the upper one);
    // empty when it may.
    static QString RefusalOf(const std::shared_ptr<ILimitItem>& item, int index, double value);

private:
    struct RowInfo {
        QString key;
        QString defaultUnit;
        QLineEdit* limit[2];
        QComboBox* unit;
    };
    void fillStandards();
    void showStandard();
    void limitEdited(int row, int index);
    void unitChosen(int row);
    std::shared_ptr<ILimitItem> itemFor(int row, bool create);
    void notifyChange();

    QComboBox* m_cboStandard;
    QLineEdit* m_txtShortName;
    QLineEdit* m_txtFullName;
    QPushButton* m_cmdNewStandard;
    QTableWidget* m_grdLimits;
    QLabel* m_lblStatus;
    std::vector<RowInfo> m_rows;
    std::shared_ptr<ILimitData> m_limitData;
    std::shared_ptr<IStandard> m_standard;
    std::shared_ptr<ICallback> m_callback;
    bool m_locked = false;
    bool m_filling = false;
};

} // namespace ostrel
