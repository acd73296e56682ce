#pragma once
// The limit columns of a result list and the popup menu that chooses their standard, shared by
// the result views: per row the strictest high and low limit of the chosen standard, percent
// limits shown as percent or calculated from the preset value, the selected standards that the
// limit data holds as checkable menu items, and "StandardSelected" raised on every choice.
#include "host/contract/Forward.h"
#include "host/core/Variant.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QTreeWidget;

namespace nb4410 {

class CStandardLimits : public QObject {
    Q_OBJECT
public:
    using RaiseEvent = std::function<void(const char* name, const ostrel::VariantArray& params)>;

    // The menu belongs to the owner widget; rows carry their measurement key as user data of
    // column 0.
    CStandardLimits(QWidget* owner, QTreeWidget* list, int highColumn, int lowColumn, RaiseEvent raise);

    // The result whose measurements give units and preset values to the limits.
    void SetResult(std::shared_ptr<ostrel::IResultData> result) { m_result = std::move(result); }
    // Rebuilds the menu from the selected standards and shows the first one's limits.
    void Show(const std::shared_ptr<ostrel::ILimitData>& limits, const std::shared_ptr<ostrel::IStandards>& selected);

    bool CalculatedLimits() const { return m_calculatedLimits; }
    const std::vector<QAction*>& StandardItems() const { return m_standardItems; }
    QMenu* Menu() const { return m_menu; }
    QAction* CalculateLimitsItem() const { return m_calculateLimits; }
    bool MenuAvailable() const;
    void ChooseStandard(int number); // 1-based, as the menu does
    void ToggleCalculatedLimits();

private:
    void showStandardLimits(const QString& shortName, const QString& fullName);
    QString formatLimit(const QString& key, double value, QString unit) const;
    void clearStandardItems();

    QTreeWidget* m_list;
    const int m_highColumn;
    const int m_lowColumn;
    RaiseEvent m_raise;
    QMenu* m_menu;
    QAction* m_caption;
    QAction* m_calculateLimits;
    std::vector<QAction*> m_standardItems;
    int m_currentStandard = 0;
    std::shared_ptr<ostrel::IResultData> m_result;
    std::shared_ptr<ostrel::IStandards> m_standards;
    bool m_calculatedLimits = true;
};

} // namespace nb4410
