// The over-pressure test end to end: the element, its window and the real driver against the
// simulator on a pseudo-terminal, with simulated time running 100 times faster.
#include "host/contract/IServiceRecord.h"
#include "host/contract/ResultStatus.h"
#include "host/results/Standards.h"
#include "host/run/RunContext.h"
#include "host/run/XTestGuideStatusBar.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/tests/common/MVti.h"
#include "plugin/tests/overpressure/CConfigOverPressure.h"
#include "plugin/tests/overpressure/CResultOverPressure.h"
#include "plugin/tests/overpressure/CTestOverPressure.h"
#include "tests/support/plugin/ElementTest.h"

#include <QAction>
#include <QSet>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

using OverPressureOverSimulator =
    nb4410::testing::TypedElementOverSimulator<CTestOverPressure, CConfigOverPressure, CResultOverPressure>;

TEST_F(OverPressureOverSimulator, AReleasingUnitPassesAndNextStoresTheResult)
{
    start({{"ReleasePressure", "280"}});
    config().SetInflatePressure(320.0f);
    selectStandardWithLimits("PEAK", 300.0f);
    QString standardShown;
    std::int32_t statusShown = -1;
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        standardShown = guide.StatusBar()->StandardShortName();
        statusShown = guide.StatusBar()->Status();
        press(guide, "next");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Find("PEAK")->Value().val(), 280.0);
    EXPECT_TRUE(result()->Find("MREL")->Value().toBool());
    EXPECT_EQ(result()->Find("PEAK")->Status(), 1);
    EXPECT_EQ(result()->Status(), 1);
    EXPECT_EQ(statusShown, 1);
    EXPECT_EQ(standardShown, "ISO");
    EXPECT_EQ(result()->MTIID(), 1);
    ASSERT_TRUE(result()->ServiceRecord());
    EXPECT_EQ(result()->ServiceRecord()->StatusText(), "");
    // What follows next (the instrument numbered, the line closed, no message) the contract
    // suite holds for every type.
}

TEST_F(OverPressureOverSimulator, ALinkThatDiesWhileInflatingLeavesAnIncompleteResultNotAFailure)
{
    // The partial peak lies far below the lower limit: judged, it would blame the monitor.
    start({{"ReleasePressure", "390"}, {"HangUpAfter", "8"}});
    config().SetInflatePressure(400.0f);
    selectStandardWithLimits("PEAK", {}, 350.0f);
    performUntilTheLineDiesThenNext();
    expectCutShortByTheLine("PEAK");
    ASSERT_TRUE(result());
    EXPECT_LT(result()->Find("PEAK")->Value().val(), 350.0);
}

TEST_F(OverPressureOverSimulator, AUnitThatNeverReleasesFailsItsLimit)
{
    // The unit would release at 300 mmHg; the instrument gives up at the inflate pressure.
    start({{"ReleasePressure", "300"}});
    config().SetInflatePressure(260.0f);
    selectStandardWithLimits("PEAK", 250.0f);
    // What the window shows while the cuff inflates past the limit: running, never a verdict.
    QSet<std::int32_t> shownWhileRunning;
    perform([&](FTestGuide& guide) {
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (element->Running())
                shownWhileRunning.insert(guide.StatusBar()->Status());
        });
        watch.start(1);
        press(guide, "play");
        EXPECT_EQ(guide.StatusBar()->Status(), 2);
        press(guide, "next");
    });
    EXPECT_FALSE(shownWhileRunning.contains(ostrel::status::kFailed));
    EXPECT_FALSE(shownWhileRunning.contains(ostrel::status::kPassed));
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Find("PEAK")->Value().val(), 260.0);
    EXPECT_FALSE(result()->Find("MREL")->Value().toBool());
    EXPECT_EQ(result()->Status(), 2);
    EXPECT_EQ(result()->ServiceRecord()->StatusText(), "F");
    EXPECT_EQ(result()->MTIID(), 1);
}

} // namespace
