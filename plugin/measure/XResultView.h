#pragma once
// The result view of the tests whose values all come from the instrument (cuff volume, leak,
// over-pressure): one row per measurement with its value and the high and low limit of the
// chosen standard, failed rows dark red and bold, and a popup menu to switch between the
// selected standards and to show percent limits as calculated values.
#include "XResultTable.h"

#include <QHash>
#include <memory>

namespace nb4410 {

class XResultView : public XResultTable {
    Q_OBJECT
public:
    static constexpr int kValueColumn = 1;

    explicit XResultView(QWidget* parent = nullptr);

    // INB4410ResultView
    void Clear() override;
    void ShowTestResult(std::shared_ptr<ostrel::IResultData> result) override;
    void ShowLimits(std::shared_ptr<ostrel::ILimitData> limits, std::shared_ptr<ostrel::IStandards> selected) override;
    void StartEditing() override {}

private:
    void showMeasurement(const std::shared_ptr<ostrel::IMeasurement>& measurement) override;

    QHash<QString, ostrel::Variant> m_tags; // per row key: the value last shown
};

} // namespace nb4410
