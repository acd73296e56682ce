// The cuff-volume test end to end: the element, its window and the real driver against the
// simulator on a pseudo-terminal, with simulated time running 100 times faster.
#include "host/contract/IServiceRecord.h"
#include "host/results/Standards.h"
#include "host/run/RunContext.h"
#include "host/run/XTestGuideStatusBar.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/tests/common/MVti.h"
#include "plugin/tests/cuffvolume/CResultCuffVolume.h"
#include "plugin/tests/cuffvolume/CTestCuffVolume.h"
#include "tests/support/plugin/ElementTest.h"

#include <QAction>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

using CuffVolumeOverSimulator =
    nb4410::testing::TypedElementOverSimulator<CTestCuffVolume, CConfigCuffVolume, CResultCuffVolume>;

TEST_F(CuffVolumeOverSimulator, PlayMeasuresTheCuffAndNextStoresTheJudgedResult)
{
    start({{"CuffVolume", "152"}});
    selectStandardWithLimits("CVOL", 200.0f, 100.0f);
    std::int32_t statusShown = -1;
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        statusShown = guide.StatusBar()->Status();
        EXPECT_EQ(guide.StatusBar()->StandardShortName(), "ISO");
        press(guide, "next");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->CuffVolume()->Value().toSingle(), 152.0f);
    EXPECT_EQ(result()->CuffVolume()->Status(), 1);
    EXPECT_EQ(result()->Status(), 1);
    EXPECT_EQ(statusShown, 1);
    EXPECT_EQ(result()->MTIID(), 1);
    ASSERT_TRUE(result()->ServiceRecord());
    EXPECT_EQ(result()->ServiceRecord()->Comment(), "/152");
    // What follows next (the instrument numbered, the line closed, no message) the contract
    // suite holds for every type.
}

TEST_F(CuffVolumeOverSimulator, ACuffTooSmallForTheStandardFails)
{
    start({{"CuffVolume", "60"}});
    selectStandardWithLimits("CVOL", 200.0f, 100.0f);
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_EQ(guide.StatusBar()->Status(), 2);
        press(guide, "next");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), 2);
    EXPECT_EQ(result()->ServiceRecord()->StatusText(), "F");
    EXPECT_EQ(result()->MTIID(), 1);
}

TEST_F(CuffVolumeOverSimulator, AnInstrumentErrorIsShownOnceByTheDriver)
{
    start({{"ErrmCommand", "STST:6002"}});
    performFailingRunThenSkip();
    EXPECT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_FALSE(element->Result());
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
}

} // namespace
