#pragma once
// What the result views share: the list of measurement rows under their column headings, the
// high and low limit columns of the chosen standard with the popup menu that switches
// standards and limit forms, the row style of a failed measurement (dark red and bold), and
// the events the container is sent.
#include "CStandardLimits.h"
#include "INB4410ResultView.h"
#include "host/core/Variant.h"

#include <QWidget>
#include <memory>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace nb4410 {

class XResultTable : public QWidget, public INB4410ResultView {
    Q_OBJECT
public:
    static constexpr int kHighColumn = 2;
    static constexpr int kLowColumn = 3;
    static constexpr int kTwipsPerPixel = 15;

    // A column of the list: its numbered heading, width and alignment.
    struct Column {
        const char* header; // numbered text
        int widthTwips;
        Qt::Alignment alignment;
    };

    // INB4410ResultView
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

protected:
    XResultTable(QWidget* parent, std::span<const Column> columns);

    // Takes the result for the limit columns and shows each of its measurements in its row.
    void showResult(const std::shared_ptr<ostrel::IResultData>& result);
    virtual void showMeasurement(const std::shared_ptr<ostrel::IMeasurement>& measurement) = 0;

    void raiseEvent(const char* name, const ostrel::VariantArray& params);
    // Failed (status 2) rows dark red and bold, the others in the ordinary text colour.
    void setRowStyle(QTreeWidgetItem* row, std::int32_t status);

    QTreeWidget* m_list;
    CStandardLimits* m_limits; // owned by this widget

private:
    EventHandler m_handler;
};

} // namespace nb4410
