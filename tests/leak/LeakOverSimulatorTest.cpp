// The leak test end to end: the element, its window and the real driver against the
// simulator on a pseudo-terminal, with simulated time running 100 times faster.
#include "host/contract/IServiceRecord.h"
#include "host/results/Standards.h"
#include "host/run/RunContext.h"
#include "host/run/XTestGuideStatusBar.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/CNB4410LimitData.h"
#include "plugin/tests/common/MVti.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CResultLeak.h"
#include "plugin/tests/leak/CTestLeak.h"
#include "tests/support/plugin/ElementTest.h"

#include <QAction>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

class LeakOverSimulator : public nb4410::testing::ElementOverSimulator<CTestLeak> {
protected:
    void SetUp() override { create(CTestLeak::kTestId, 1, true); }

    CConfigLeak& config() { return configAs<CConfigLeak>(); }
    CResultLeak* result() { return resultAs<CResultLeak>(); }
};

TEST_F(LeakOverSimulator, PlayRunsTheTestAndNextStoresAJudgedResult)
{
    start({{"LeakRate", "120"}});
    config().SetDuration(10);
    selectStandardWithLimits("RATE", 10.0f);
    QString standardShown;
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        standardShown = guide.StatusBar()->StandardShortName();
        EXPECT_EQ(guide.StatusBar()->Status(), 2);
        press(guide, "next");
    });
    ASSERT_TRUE(result());
    // 2 mmHg/s for 10 s: the drop and, within the first minute, the rate are the whole fall.
    EXPECT_NEAR(result()->Find("DROP")->Value().val(), 20.0, 1.0);
    EXPECT_NEAR(result()->Find("RATE")->Value().val(), 20.0, 1.0);
    EXPECT_EQ(result()->Find("RATE")->Status(), 2);
    EXPECT_EQ(result()->Find("DROP")->Status(), 1);
    EXPECT_EQ(result()->Status(), 2);
    EXPECT_EQ(result()->MTIID(), 1);
    ASSERT_TRUE(result()->ServiceRecord());
    EXPECT_EQ(result()->ServiceRecord()->StatusText(), "F");
    EXPECT_EQ(standardShown, "ISO");
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    ASSERT_EQ(context->Instruments()->Count(), 1);
    EXPECT_EQ(context->Instruments()->Item(0)->SerialNo(), "44100815");
    EXPECT_TRUE(messages.sink->shown.empty());
}

TEST_F(LeakOverSimulator, ContinuousRunGoesOnUntilStopThenAbortDiscards)
{
    start();
    config().SetDuration(0);
    perform([&](FTestGuide& guide) {
        // Stop once the instrument has held the pressure for a few simulated seconds.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (result() && result()->Find("DROP")->Status() != 0 && element->Running())
                guide.PressButton("stop");
        });
        poll.start(20);
        press(guide, "play");
        EXPECT_TRUE(element->StopRequested());
        EXPECT_FALSE(element->Running());
        EXPECT_EQ(result()->Find("DROP")->Status(), 1);
        messages.sink->answers = {true};
        press(guide, "abort");
    });
    EXPECT_FALSE(element->Result());
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateAbort);
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
}

TEST_F(LeakOverSimulator, NextDuringAContinuousRunEndsTheRunBeforePerformReturns)
{
    start();
    config().SetDuration(0);
    perform([&](FTestGuide& guide) {
        QTimer::singleShot(300, &guide, [&] { guide.PressButton("next"); });
        press(guide, "play");
    });
    EXPECT_FALSE(element->Running());
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->MTIID(), 1);
}

TEST_F(LeakOverSimulator, NotApplicableAndSkip)
{
    start();
    config().SetDuration(2);
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "na");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), 3);
    EXPECT_EQ(result()->MTIID(), 0);

    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "skip");
    });
    EXPECT_FALSE(element->Result());
}

TEST_F(LeakOverSimulator, DriverFailureIsShownOnceByTheDriverAlone)
{
    start({{"ErrmCommand", "STST:6002"}});
    performFailingRunThenSkip();
    EXPECT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
}

} // namespace
