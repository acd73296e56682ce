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

} // namespace
