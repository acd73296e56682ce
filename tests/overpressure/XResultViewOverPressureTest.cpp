// The instrument result view showing an over-pressure result: the peak with its unit, the
// release as a yes/no word rather than a number, and the peak's limit of the chosen standard.
#include "OverPressureReplies.h"

#include "host/results/Standards.h"
#include "plugin/measure/CNB4410LimitData.h"
#include "plugin/measure/MLimitUtils.h"
#include "plugin/measure/XResultView.h"
#include "plugin/tests/overpressure/CResultOverPressure.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::overPressureReply;
using ostrel::Variant;

namespace {

TEST(ResultViewOverPressure, ReleaseShowsAsAWordAndPeakWithItsLimit)
{
    auto limits = std::make_shared<CNB4410LimitData>();
    auto selected = std::make_shared<ostrel::Standards>();
    auto standard = limits->CreateStandard(Variant("ISO"), Variant("ISO 81060"));
    MLimitUtils::AddLimit(standard, "PEAK", "mmHg");
    for (const auto& item : standard->LimitItems())
        if (item->Key() == "PEAK")
            item->SetLimit(0, 300.0f);
    selected->Add(standard);

    auto result = std::make_shared<CResultOverPressure>();
    XResultView view;
    QStringList events;
    view.SetEventHandler([&](const QString& name, const ostrel::VariantArray& params) {
        events << name + QLatin1Char('=') + params[0].text();
    });

    struct Case {
        const char* release;
        const char* shown;
    };
    for (const Case& c : {Case{"1", "Released"}, Case{"0", "Not released"}, Case{"1", "Released"}}) {
        SCOPED_TRACE(c.release);
        result->TakeReply(overPressureReply(false, "80", "285", c.release));
        result->EvaluateStatus(limits, selected, false);
        view.ShowTestResult(result);
        ASSERT_TRUE(view.Row("MREL"));
        EXPECT_EQ(view.Row("MREL")->text(XResultView::kValueColumn), c.shown);
        EXPECT_EQ(view.Row("PEAK")->text(XResultView::kValueColumn), "285 mmHg");
    }

    // The names are whole, not cut off.
    EXPECT_GT(view.List()->columnWidth(0), view.List()->fontMetrics().horizontalAdvance("Monitor Release Pressure"));

    view.ShowLimits(limits, selected);
    EXPECT_EQ(view.Row("PEAK")->text(XResultView::kHighColumn), "300 mmHg");
    EXPECT_EQ(view.Row("PEAK")->text(XResultView::kLowColumn), " ");
    EXPECT_EQ(view.Row("MREL")->text(XResultView::kHighColumn), " ");
    EXPECT_EQ(events.last(), "StandardSelected=ISO");
    EXPECT_TRUE(view.MenuAvailable());
    ASSERT_EQ(view.StandardItems().size(), 1u);
    EXPECT_TRUE(view.StandardItems()[0]->isChecked());
}

TEST(ResultViewOverPressure, TheStrictestLimitsShowAFailedRowStandsOutAndOnlyChangedValuesAreWritten)
{
    auto limits = std::make_shared<CNB4410LimitData>();
    auto selected = std::make_shared<ostrel::Standards>();
    auto standard = limits->CreateStandard(Variant("ISO"), Variant("ISO 81060"));
    // Two items on one key: the smaller upper and the larger lower limit are the ones shown.
    for (auto [upper, lower] : {std::pair{320.0, 200.0}, std::pair{300.0, 250.0}}) {
        MLimitUtils::AddLimit(standard, "PEAK", "mmHg");
        const auto item = standard->LimitItems().back();
        item->SetLimit(0, upper);
        item->SetLimit(1, lower);
    }
    selected->Add(standard);

    auto result = std::make_shared<CResultOverPressure>();
    XResultView view;
    EXPECT_EQ(view.findChild<QTreeWidget*>()->headerItem()->text(XResultView::kValueColumn), "Value");
    EXPECT_EQ(view.findChild<QTreeWidget*>()->headerItem()->text(XResultView::kHighColumn), "High limit");
    EXPECT_EQ(view.findChild<QTreeWidget*>()->headerItem()->text(XResultView::kLowColumn), "Low limit");
    view.ShowLimits(limits, selected);
    result->TakeReply(overPressureReply(true, "0", "310", "1"));
    result->EvaluateStatus(limits, selected, false);
    view.ShowTestResult(result);
    view.ShowLimits(limits, selected);
    EXPECT_EQ(view.Row("PEAK")->text(XResultView::kHighColumn), "300 mmHg");
    EXPECT_EQ(view.Row("PEAK")->text(XResultView::kLowColumn), "250 mmHg");
    // 310 mmHg fails the 300 mmHg limit: the row stands out; the release row does not.
    EXPECT_EQ(result->Find("PEAK")->Status(), 2);
    EXPECT_TRUE(view.Row("PEAK")->font(0).bold());
    EXPECT_NE(view.Row("PEAK")->foreground(0).color(), view.Row("MREL")->foreground(0).color());
    EXPECT_FALSE(view.Row("MREL")->font(0).bold());

    // A value shown again as it was is not written again; a passing one loses the marking.
    view.Row("PEAK")->setText(XResultView::kValueColumn, "untouched");
    view.ShowTestResult(result);
    EXPECT_EQ(view.Row("PEAK")->text(XResultView::kValueColumn), "untouched");
    result->TakeReply(overPressureReply(true, "0", "280", "1"));
    result->EvaluateStatus(limits, selected, false);
    view.ShowTestResult(result);
    EXPECT_EQ(view.Row("PEAK")->text(XResultView::kValueColumn), "280 mmHg");
    EXPECT_FALSE(view.Row("PEAK")->font(0).bold());
}

} // namespace
