#pragma once
// The result view of the tests whose values all come from the instrument (cuff volume, leak,
// over-pressure): one row per measurement with its value and the high and low limit of the
// chosen standard, failed rows dark red and bold, and a popup menu to switch between the
// selected standards and to show percent limits as calculated values.
#include "CStandardLimits.h"
#include "INB4410ResultView.h"
#include "host/core/Variant.h"

#include <QHash>
#include <QWidget>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace nb4410 {

class XResultView : public QWidget, public INB4410ResultView {
    Q_OBJECT
public:
    static constexpr int kValueColumn = 1;
    static constexpr int kHighColumn = 2;
    static constexpr int kLowColumn = 3;
    static constexpr int kTwipsPerPixel = 15;

    explicit XResultView(QWidget* parent = nullptr);

    // INB4410ResultView
    void Clear() override;
    void ShowTestResult(std::shared_ptr<ostrel::IResultData> result) override;
    void ShowLimits(std::shared_ptr<ostrel::ILimitData> limits, std::shared_ptr<ostrel::IStandards> selected) override;
    void StartEditing() override {}
    void StoreConfiguration(std::shared_ptr<ostrel::IConfigData> /*configuration*/) override {}
    void SetEventHandler(EventHandler handler) override { m_handler = std::move(handler); }

    QTreeWidget* List() const { return m_list; }
    QTreeWidgetItem* Row(const QString& key) const; // nullptr when absent
    bool CalculatedLimits() const { return m_limits->CalculatedLimits(); }
    // The standards items of the popup menu, in order (the first is number 1).
    const std::vector<QAction*>& StandardItems() const { return m_limits->StandardItems(); }
    QMenu* StandardsMenu() const { return m_limits->Menu(); }
    QAction* CalculateLimitsItem() const { return m_limits->CalculateLimitsItem(); }
    bool MenuAvailable() const { return m_limits->MenuAvailable(); } // whether a right-button press opens the menu
    void ChooseStandard(int number) { m_limits->ChooseStandard(number); } // 1-based, as the menu does
    void ToggleCalculatedLimits() { m_limits->ToggleCalculatedLimits(); }

private:
    void showMeasurement(const std::shared_ptr<ostrel::IMeasurement>& measurement);
    void raiseEvent(const char* name, const ostrel::VariantArray& params);
    void setRowStyle(QTreeWidgetItem* row, std::int32_t status);

    QTreeWidget* m_list;
    CStandardLimits* m_limits; // owned by this widget
    QHash<QString, ostrel::Variant> m_tags; // per row key: the value last shown
    EventHandler m_handler;
};

} // namespace nb4410
