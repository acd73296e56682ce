// The cuff-volume element against a scripted driver: only the instrument's final reply counts,
// the parameter set is the test type alone, and a stopped run leaves no volume.
#include "host/run/RunContext.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/tests/cuffvolume/CConfigCuffVolume.h"
#include "plugin/tests/cuffvolume/CResultCuffVolume.h"
#include "plugin/tests/cuffvolume/CTestCuffVolume.h"
#include "tests/support/plugin/ElementTest.h"
#include "tests/support/plugin/StoredElement.h"

#include <QAction>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

ostrel::VariantArray cuffReply(bool end, const char* volume)
{
    return ostrel::VariantArray::fromTexts({"200", end ? "1" : "0", volume});
}

class CuffVolumeElement : public nb4410::testing::ElementWithFakeDriver<CTestCuffVolume> {
protected:
    void SetUp() override
    {
        create(CTestCuffVolume::kTestId, 5);
        // The instrument reports "0" while measuring and the volume with its end indicator.
        driver().replies = [](int call) { return call < 5 ? cuffReply(false, "999") : cuffReply(true, "141.5"); };
    }

    CResultCuffVolume* result() { return resultAs<CResultCuffVolume>(); }
};

TEST_F(CuffVolumeElement, OnlyTheFinalReplyStoresAndJudgesTheVolume)
{
    std::vector<bool> emptyWhileMeasuring;
    driver().replies = [&](int call) {
        emptyWhileMeasuring.push_back(result()->CuffVolume()->Value().isEmptyOrNull() && result()->Status() == 0);
        return call < 5 ? cuffReply(false, "999") : cuffReply(true, "141.5");
    };
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_FALSE(element->Running());
        EXPECT_EQ(guide.ResultView() != nullptr, true);
        press(guide, "next");
    });
    EXPECT_EQ(driver().polls, 6);
    EXPECT_EQ(emptyWhileMeasuring, std::vector<bool>(6, true));
    EXPECT_EQ(driver().lastTestType, 200);
    const ostrel::VariantArray& wrapped = driver().startParameters.array();
    ASSERT_EQ(wrapped.count(), 1);
    ASSERT_EQ(wrapped[0].array().count(), 1);
    EXPECT_EQ(wrapped[0].array()[0].text(), "200");

    ASSERT_TRUE(result());
    EXPECT_EQ(result()->CuffVolume()->Value().type(), ostrel::VarType::Single);
    EXPECT_EQ(result()->CuffVolume()->Value().toSingle(), 141.5f);
    EXPECT_EQ(result()->Status(), 5); // no standard selected: not judged
    EXPECT_EQ(result()->MTIID(), 1);
    EXPECT_EQ(context->FinishedElements().size(), 1u);
}

TEST_F(CuffVolumeElement, StopBeforeTheEndLeavesNoVolume)
{
    replyStoppingAt(3, [](int) { return cuffReply(false, "0"); });
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_EQ(driver().polls, 4);
        ASSERT_TRUE(result());
        EXPECT_TRUE(result()->CuffVolume()->Value().isEmptyOrNull());
        // Stopped before the instrument ended it: incomplete, which may be stored for the
        // record; the operator leaves by N/A instead.
        EXPECT_EQ(result()->Status(), 4);
        EXPECT_TRUE(guide.Button("next")->isEnabled());
        press(guide, "na");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), 3);
    EXPECT_EQ(result()->MTIID(), 0);
    EXPECT_EQ(context->FinishedElements().size(), 1u);
}

TEST_F(CuffVolumeElement, TheConfigurationPlaysNoPartInTheRun)
{
    auto bare = std::make_shared<CTestCuffVolume>(); // never initialised: no configuration
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(bare->Guide());
        bare->Guide()->Button("play")->trigger();
        bare->Guide()->Press("next");
    });
    bare->Perform(context);
    EXPECT_EQ(driver().startParameters.array()[0].array()[0].text(), "200");
    auto* cuff = dynamic_cast<CResultCuffVolume*>(bare->Result().get());
    ASSERT_TRUE(cuff);
    EXPECT_EQ(cuff->CuffVolume()->Value().toSingle(), 141.5f);
}

TEST_F(CuffVolumeElement, AVolumeThatIsNoNumberFailsTheRunWithOneMessage)
{
    driver().replies = [](int) { return cuffReply(true, "n/a"); };
    performFailingRunThenSkip();
    EXPECT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_EQ(driver().calls.count("StopTest"), 1);
    EXPECT_EQ(driver().calls.count("EndRemote"), 1);
}

TEST(CuffVolumeElementStore, MeasurementListSaveLoadAndClone)
{
    auto element = std::make_shared<CTestCuffVolume>();
    element->Initialize("NB-4410", 200, 2);
    element->Core()->SetResult(std::make_shared<CResultCuffVolume>());
    auto* cuff = dynamic_cast<CResultCuffVolume*>(element->Result().get());
    cuff->SetCuffVolume(120.0f);
    cuff->EvaluateStatus(nullptr, nullptr, false);

    const auto loaded = nb4410::testing::reloaded(*element);
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(dynamic_cast<CResultCuffVolume*>(loaded->Result().get()));
    EXPECT_EQ(loaded->Result()->Measurement(Variant(1))->Value().val(), 120.0);
    EXPECT_TRUE(std::dynamic_pointer_cast<CConfigCuffVolume>(loaded->Configuration()));

    EXPECT_TRUE(nb4410::testing::expectedClone(*element, 200));
    EXPECT_EQ(nb4410::testing::measurementRows(*element), QStringList{"CVOL: Cuff Volume"});
}

} // namespace
