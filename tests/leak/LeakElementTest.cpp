// The leak element against a scripted driver: Perform, the run loop, the window's buttons and
// the finish steps.
#include "LeakReply.h"

#include "host/contract/IServiceRecord.h"
#include "host/contract/ResultStatus.h"
#include "host/run/Filter.h"
#include "host/run/RunContext.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/tests/common/MInstrumentNumber.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CResultLeak.h"
#include "plugin/tests/leak/CTestLeak.h"
#include "tests/support/plugin/ElementTest.h"
#include "tests/support/plugin/StoredElement.h"

#include <QAction>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::leakReply;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

class LeakElement : public nb4410::testing::ElementWithFakeDriver<CTestLeak> {
protected:
    void SetUp() override
    {
        create(CTestLeak::kTestId, 7);
        // Replies once a second of instrument time, the drop falling 1 mmHg per second.
        driver().replies = [](int call) { return leakReply(call + 1, static_cast<float>(call + 1)); };
    }

    CConfigLeak& config() { return configAs<CConfigLeak>(); }
    CResultLeak* result() { return resultAs<CResultLeak>(); }
    int count(const QString& call) { return driver().calls.count(call); }
};

TEST_F(LeakElement, RefusedByTheRunContextDoesNothing)
{
    context->SetMayPerform([](const auto&) { return false; });
    element->Perform(context);
    EXPECT_FALSE(element->Result());
    EXPECT_FALSE(element->Performed());
    EXPECT_EQ(context->NavigationCount(), 0);
}

TEST_F(LeakElement, RunEndsAtTheFirstReplyAtOrPastTheDuration)
{
    config().SetDuration(10);
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_FALSE(element->Running());
        EXPECT_TRUE(guide.Button("next")->isEnabled());
        press(guide, "next");
    });
    EXPECT_EQ(driver().polls, 10);
    EXPECT_EQ(driver().lastTestType, 300);
    EXPECT_EQ(driver().calls, (QStringList{"StartRemote", "StartTest", "GetTestResult", "StopTest", "EndRemote"}));
    // The parameter set arrives wrapped in a one-element array.
    const ostrel::VariantArray& wrapped = driver().startParameters.array();
    ASSERT_EQ(wrapped.count(), 1);
    EXPECT_EQ(wrapped[0].array()[0].text(), "300");
    EXPECT_EQ(wrapped[0].array()[3].text(), "10");

    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Find("DROP")->Value().val(), 10.0);
    EXPECT_EQ(result()->Find("RATE")->Value().val(), 60.0); // 10 mmHg in 10 s, per minute
    EXPECT_EQ(result()->Status(), ostrel::status::kNotJudged); // no standard selected
    EXPECT_EQ(result()->MTIID(), 1);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    EXPECT_EQ(context->FinishedElements().size(), 1u);
    EXPECT_FALSE(element->Guide());
}

TEST_F(LeakElement, AbortAndSkipGiveBackTheResultStoredBeforeTheWindow)
{
    config().SetDuration(10);
    selectStandardWithLimits("RATE", 100.0f);
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "next");
    });
    ASSERT_TRUE(result());
    ASSERT_EQ(result()->Status(), ostrel::status::kPassed);

    // The next visit aborts without a run, then another runs and aborts: the stored pass stays.
    for (bool run : {false, true}) {
        messages.sink->answers = {true};
        driver().replies = [](int call) { return leakReply(call + 1, static_cast<float>(10 * (call + 1))); };
        perform([&](FTestGuide& guide) {
            if (run)
                press(guide, "play");
            press(guide, "abort");
        });
        ASSERT_TRUE(result()) << run;
        EXPECT_EQ(result()->Status(), ostrel::status::kPassed) << run;
        EXPECT_EQ(result()->Find("DROP")->Value().val(), 10.0) << run;
    }
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "skip");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Find("DROP")->Value().val(), 10.0);
}

TEST_F(LeakElement, RepliesWithoutElapsedTimeChangeNothing)
{
    config().SetDuration(3);
    driver().replies = [](int call) { return call < 4 ? leakReply(0, 50.0f) : leakReply(call - 3, 1.0f); };
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "next");
    });
    EXPECT_EQ(driver().polls, 7);
    EXPECT_EQ(result()->Find("DROP")->Value().val(), 1.0);
}

TEST_F(LeakElement, ContinuousRunEndsOnlyOnStopOrTheInstrument)
{
    config().SetDuration(0);
    replyStoppingAt(400, [](int call) { return leakReply(call + 1, 1.0f); });
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_EQ(driver().polls, 401);
        EXPECT_TRUE(element->StopRequested());
        press(guide, "skip");
    });
    EXPECT_EQ(count("StopTest"), 1);
    EXPECT_FALSE(element->Result()); // skip discards
    EXPECT_TRUE(context->FinishedElements().empty());

    // The instrument's end indicator ends a continuous run too.
    driver().polls = 0;
    driver().replies = [](int call) { return leakReply(call + 1, 1.0f, 200, call == 6); };
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "next");
    });
    EXPECT_EQ(driver().polls, 7);
}

TEST_F(LeakElement, NavigationDuringAContinuousRunStopsTheInstrumentBeforePerformReturns)
{
    config().SetDuration(0);
    for (const char* key : {"next", "abort"}) {
        driver().calls.clear();
        driver().polls = 0;
        driver().replies = [this, key](int call) {
            if (call == 5)
                element->Guide()->Press(key);
            if (call > 50)
                throw ostrel::ComError(ostrel::kE_Fail, "test", "the run went on behind the hidden window");
            return leakReply(call + 1, 2.0f);
        };
        perform([&](FTestGuide& guide) { press(guide, "play"); });
        EXPECT_EQ(driver().polls, 6) << key;
        EXPECT_EQ(count("StopTest"), 1) << key;
        EXPECT_EQ(count("EndRemote"), 1) << key;
        EXPECT_FALSE(element->Running());
    }
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateAbort);
    EXPECT_TRUE(messages.sink->shown.empty());
}

TEST_F(LeakElement, SecondPlayWhilePollingIsIgnored)
{
    config().SetDuration(5);
    driver().replies = [this](int call) {
        if (call == 2)
            element->Guide()->Button("play")->trigger();
        return leakReply(call + 1, 1.0f);
    };
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "next");
    });
    EXPECT_EQ(count("StartRemote"), 1);
    EXPECT_EQ(driver().polls, 5);
}

TEST_F(LeakElement, DriverFailureShowsOneMessageUnlessTheDriverShowedIt)
{
    struct Case {
        ostrel::HResult number;
        size_t messages;
    };
    for (const Case& c : {Case{nb4410vti::eeVTI_ReceiveTimeout, 1u}, Case{nb4410vti::eeVTI_Error, 0u}}) {
        messages.sink->shown.clear();
        driver().calls.clear();
        driver().failOn = "GetTestResult";
        driver().failNumber = c.number;
        performFailingRunThenSkip();
        ASSERT_EQ(messages.sink->shown.size(), c.messages);
        if (c.messages) {
            EXPECT_TRUE(messages.sink->shown[0].text.startsWith(QString("Error #%1\r\n").arg(c.number)));
        }
        EXPECT_EQ(count("StopTest"), 1);
        EXPECT_EQ(count("EndRemote"), 1);
    }
}

// Status 3 with the status text "NA" the contract suite holds for every type.
TEST_F(LeakElement, NotApplicableAfterARunNumbersNoInstrument)
{
    element->Filter()->SetServiceRecordWanted(true);
    config().SetDuration(2);
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "na");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->MTIID(), 0);
}

TEST_F(LeakElement, NextWithoutAStartKeepsTheResultAndTellsNobody)
{
    perform([&](FTestGuide& guide) {
        guide.EnableNextButton(true);
        press(guide, "next");
    });
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), 0);
    EXPECT_TRUE(context->FinishedElements().empty());
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    EXPECT_TRUE(driver().calls.isEmpty());
}

TEST_F(LeakElement, ClosingTheWindowAsksLikeAbort)
{
    messages.sink->answers = {false, true};
    perform([&](FTestGuide& guide) {
        guide.close();
        EXPECT_TRUE(guide.isVisible()); // answered no
        guide.close();
    });
    EXPECT_EQ(messages.sink->confirmations.size(), 2u);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateAbort);
    EXPECT_FALSE(element->Result());
}

TEST(InstrumentNumber, ModelsAreNumberedInOrderOfFirstUse)
{
    auto list = std::make_shared<ostrel::InstrumentList>();
    auto identity = [](const char* serial) {
        auto mti = std::make_shared<ostrel::MtiData>();
        mti->SetValues(serial, "1.0", "NB-4410");
        return mti;
    };
    auto other = std::make_shared<ostrel::MtiData>();
    other->SetName("XY-1", 5);
    list->Add(other);
    EXPECT_EQ(MInstrumentNumber::Resolve(list, identity("A")), 1);
    EXPECT_EQ(MInstrumentNumber::Resolve(list, identity("B")), 2);
    EXPECT_EQ(MInstrumentNumber::Resolve(list, identity("A")), 1);
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(MInstrumentNumber::Resolve(nullptr, identity("A")), 0);
    EXPECT_EQ(MInstrumentNumber::Resolve(list, nullptr), 0);
    EXPECT_EQ(list->Count(), 3);
}

TEST(LeakElementStore, SaveLoadAndCloneKeepConfigurationAndResult)
{
    auto element = std::make_shared<CTestLeak>();
    element->Initialize("NB-4410", 300, 3);
    std::dynamic_pointer_cast<CConfigLeak>(element->Configuration())->SetDuration(42);
    element->Core()->SetResult(std::make_shared<CResultLeak>());
    auto* leak = dynamic_cast<CResultLeak*>(element->Result().get());
    leak->TakeReply(leakReply(5, 7.0f), 5);
    leak->EvaluateStatus(nullptr, nullptr, false);

    const auto loaded = nb4410::testing::reloaded(*element);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(std::dynamic_pointer_cast<CConfigLeak>(loaded->Configuration())->Duration(), 42);
    ASSERT_TRUE(loaded->Result());
    EXPECT_EQ(loaded->Result()->Status(), ostrel::status::kNotJudged);

    const auto copy = nb4410::testing::expectedClone(*element, 300);
    ASSERT_TRUE(copy);
    EXPECT_EQ(std::dynamic_pointer_cast<CConfigLeak>(copy->Configuration())->Duration(), 42);

    const Variant list = element->GetMeasurementList();
    EXPECT_EQ(list.array().at(1, 0).text(), "RATE");
    EXPECT_EQ(list.array().at(1, 1).text(), "Leak Rate");
}

} // namespace
