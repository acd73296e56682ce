// The blood-pressure test end to end: the element, its window with the result view and the
// real driver against the simulator on a pseudo-terminal, simulated time running 100 times
// faster. The readings are typed into the result view as the operator does.
#include "BPRegistry.h"
#include "BPTestSupport.h"

#include "host/contract/IServiceRecord.h"
#include "host/run/RunContext.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/XResultBP.h"
#include "plugin/tests/bp/CResultBP.h"
#include "plugin/tests/common/MVti.h"
#include "tests/support/plugin/ElementTest.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

class BPOverSimulator : public nb4410::testing::ElementOverSimulator<CTestBP> {
protected:
    void judge(std::int32_t testId)
    {
        judged = std::make_unique<nb4410::testing::JudgedElement>(testId);
        element = judged->element;
    }
    // Types the readings into the result view, row by row, as the operator does.
    static void typeReadings(FTestGuide& guide, const QStringList& readings)
    {
        auto* view = dynamic_cast<XResultBP*>(guide.ResultControl());
        ASSERT_TRUE(view);
        for (const QString& reading : readings) {
            QTest::keyClicks(view->EditBox(), reading);
            QTest::keyClick(view->EditBox(), Qt::Key_Return);
        }
    }
    CResultBP* result() { return element->ResultBP().get(); }

    nb4410::testing::BPRegistryGuard registry;
    std::unique_ptr<nb4410::testing::JudgedElement> judged;
};

TEST_F(BPOverSimulator, PlayRunsTheSimulationAndNextStoresTheTypedReadings)
{
    start();
    judge(CTestBP::kPresetTestId);
    element->Filter()->SetServiceRecordWanted(true);
    judged->limit("SYST", 5.0f, -5.0f, "%");
    context->SetSelectedStandards(judged->selected);
    bool nextBeforeReadings = true;
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_FALSE(CTestBP::RunInProgress());
        nextBeforeReadings = guide.Button("next")->isEnabled();
        typeReadings(guide, {"122", "79", "61", "93,5"});
        EXPECT_TRUE(guide.Button("next")->isEnabled());
        guide.Button("next")->trigger();
    });
    EXPECT_FALSE(nextBeforeReadings);
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), 1);
    EXPECT_EQ(result()->Find("SYST")->Value().val(), 122.0);
    EXPECT_EQ(result()->Find("MAPR")->Value().val(), 93.5);
    EXPECT_EQ(result()->Find("SYST")->PresetValue().val(), 120.0);
    EXPECT_EQ(result()->MTIID(), 1);
    ASSERT_TRUE(result()->ServiceRecord());
    EXPECT_EQ(result()->ServiceRecord()->Comment(), "/122/79/61/93.5");
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    EXPECT_EQ(context->FinishedElements().size(), 1u);
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    EXPECT_TRUE(messages.sink->shown.empty());
}

TEST_F(BPOverSimulator, AReadingOutsideThePercentLimitIsAskedAboutAndStoredFailed)
{
    start();
    judge(CTestBP::kIndependentTestId);
    judged->limit("SYST", 5.0f, -5.0f, "%");
    context->SetSelectedStandards(judged->selected);
    messages.sink->answers = {true};
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        typeReadings(guide, {"140", "80", "80"});
        guide.Button("next")->trigger();
    });
    ASSERT_EQ(messages.sink->confirmations.size(), 1u);
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), 2);
    EXPECT_EQ(result()->Find("SYST")->Status(), 2);
    EXPECT_EQ(result()->MeasurementCount(), 3);
}

} // namespace
