// The leak test end to end: the element, its window and the real driver against the
// simulator on a pseudo-terminal, with simulated time running 100 times faster.
#include "host/contract/IServiceRecord.h"
#include "host/contract/ResultStatus.h"
#include "host/storage/StorageElement.h"
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

class LeakOverSimulator : public nb4410::testing::TypedElementOverSimulator<CTestLeak, CConfigLeak, CResultLeak> {
protected:
    // Plays and presses the button as soon as the running test has measured a drop; then
    // (when given) goes on in the window once play has returned.
    void playPressingOnceMeasured(const char* key, const Script& then = {})
    {
        perform([&](FTestGuide& guide) {
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (element->Running() && result() && !result()->Find("DROP")->Value().isEmptyOrNull()) {
                    poll.stop();
                    guide.Press(key);
                }
            });
            poll.start(10);
            press(guide, "play");
            if (then)
                then(guide);
        });
    }
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
    // 2 mmHg/s for 10 s: the drop is the whole fall, the rate that fall per minute.
    EXPECT_NEAR(result()->Find("DROP")->Value().val(), 20.0, 1.0);
    EXPECT_NEAR(result()->Find("RATE")->Value().val(), 120.0, 6.0);
    EXPECT_EQ(result()->Find("RATE")->Status(), 2);
    EXPECT_EQ(result()->Find("DROP")->Status(), ostrel::status::kNotJudged); // the standard limits the rate only
    EXPECT_EQ(result()->Status(), 2);
    EXPECT_EQ(result()->MTIID(), 1);
    ASSERT_TRUE(result()->ServiceRecord());
    EXPECT_EQ(result()->ServiceRecord()->StatusText(), "F");
    EXPECT_EQ(standardShown, "ISO");
    // What follows next (the instrument numbered, the line closed, no message) the contract
    // suite holds for every type.
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
                guide.Press("stop");
        });
        poll.start(20);
        press(guide, "play");
        EXPECT_TRUE(element->StopRequested());
        EXPECT_FALSE(element->Running());
        // A continuous run ends by stop: complete, and not judged without a standard.
        EXPECT_EQ(result()->Find("DROP")->Status(), ostrel::status::kNotJudged);
        EXPECT_EQ(result()->Find("DROP")->Flags(), QString());
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
    playPressingOnceMeasured("next");
    EXPECT_FALSE(element->Running());
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->MTIID(), 1);
}

TEST_F(LeakOverSimulator, StopBeforeTheDurationLeavesAnIncompleteResultThatNeverPasses)
{
    start({{"LeakRate", "10"}});
    config().SetDuration(300);
    selectStandardWithLimits("DROP", 1000.0f); // the partial drop would pass
    playPressingOnceMeasured("stop", [&](FTestGuide& guide) {
        EXPECT_FALSE(element->Running());
        EXPECT_EQ(guide.StatusBar()->Status(), ostrel::status::kIncomplete);
        press(guide, "next");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), ostrel::status::kIncomplete);
    EXPECT_EQ(result()->Find("DROP")->Status(), ostrel::status::kIncomplete);
    EXPECT_EQ(result()->Find("DROP")->Flags(), QStringLiteral("I"));
    EXPECT_TRUE(result()->StatusText().isEmpty()); // the operator ended it, no failure
    EXPECT_EQ(result()->Find("DROP")->ToolTipText(), QStringLiteral("Incomplete test."));
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
}

TEST_F(LeakOverSimulator, NextDuringATimedTestStopsTheInstrumentAndStoresAnIncompleteResult)
{
    start();
    config().SetDuration(300);
    selectStandardWithLimits("DROP", 1000.0f);
    playPressingOnceMeasured("next");
    EXPECT_FALSE(element->Running());
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), ostrel::status::kIncomplete);
    EXPECT_EQ(result()->MTIID(), 1);
    EXPECT_TRUE(result()->Find("DROP")->HasFlag(QLatin1Char('I')));
}

TEST_F(LeakOverSimulator, ALinkThatDiesMidTestLeavesAnIncompleteResultWithItsError)
{
    // The monitor leaks 10 mmHg/min: a full run fails the 1 mmHg/min limit; the line goes dead
    // 150 s into the 300 s test, with values measured before.
    start({{"LeakRate", "10"}, {"HangUpInTest", "150"}});
    config().SetDuration(300);
    selectStandardWithLimits("RATE", 1.0f);
    performUntilTheLineDiesThenNext();
    expectCutShortByTheLine("DROP");
    ASSERT_TRUE(result());
    EXPECT_FALSE(result()->Find("DROP")->Value().isEmptyOrNull()) << "the values are kept for the record";

    // Stored and read back, it is still incomplete, with its error.
    auto document = ostrel::StorageDocument::Create();
    CResultLeak loaded;
    loaded.Load(result()->Save(document), nullptr);
    EXPECT_EQ(loaded.Status(), ostrel::status::kIncomplete);
    EXPECT_EQ(loaded.StatusText(), result()->StatusText());
    loaded.EvaluateStatus(element->Limits(), context->SelectedStandards(), false);
    EXPECT_EQ(loaded.Status(), ostrel::status::kIncomplete);
}

TEST_F(LeakOverSimulator, DriverFailureIsShownOnceByTheDriverAlone)
{
    start({{"ErrmCommand", "STST:6002"}});
    performFailingRunThenSkip();
    EXPECT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
}

} // namespace
