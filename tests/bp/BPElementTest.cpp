// The blood-pressure element against a scripted driver: configurations by test ID, the run
// of the simulation, the failed-result question, the window's buttons and the finish steps.
#include "BPRegistry.h"
#include "BPTestSupport.h"

#include "host/contract/IServiceRecord.h"
#include "host/run/Filter.h"
#include "host/run/RunContext.h"
#include "host/run/XTestWizard.h"
#include "host/contract/ResultStatus.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/XResultBP.h"
#include "plugin/guide/XTestDetails.h"
#include "plugin/tests/bp/CConfigIBP.h"
#include "plugin/tests/bp/CConfigPBP.h"
#include "plugin/tests/bp/CResultBP.h"
#include "tests/support/plugin/ElementTest.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::Variant;
using ostrel::VariantArray;

namespace {

// A "GRES" reply of the simulation: end indicator, manometer pressure, elapsed seconds.
VariantArray bpReply(std::int32_t elapsedS, std::int32_t pressure, bool end = false)
{
    return VariantArray{QStringLiteral("100"), QString::number(end ? 1 : 0), QString::number(pressure),
                        QStringLiteral("0"), QString::number(elapsedS), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("0"), QStringLiteral("0")};
}

class BPElement : public nb4410::testing::ElementWithFakeDriver<CTestBP> {
protected:
    void SetUp() override
    {
        make(CTestBP::kPresetTestId);
        // Three idle replies, a cycle of five seconds, then the end.
        driver().replies = [](int call) {
            if (call < 3)
                return bpReply(0, 5);
            return bpReply(call - 2, 150 - call, call == 8);
        };
    }
    void make(std::int32_t testId) { create(testId, testId, true); }
    CResultBP* result() { return element->ResultBP().get(); }
    std::vector<int> highlighted(FTestGuide& guide) { return guide.Details()->Instructions()->HighlightedSteps(); }

    nb4410::testing::BPRegistryGuard registry;
};

TEST_F(BPElement, TestIdChoosesTheConfiguration)
{
    struct Case {
        std::int32_t testId;
        std::int32_t type; // 0: no configuration
        int rows;
        QString information;
    };
    for (const Case& c : {Case{110, btIndependent, 3, "Arrhythmia Simulation: |Off"},
                          Case{120, btPreset, 4, "Selected Preset: |Adult One"},
                          Case{130, btArtifact, 4, "Selected Preset: |Artifact One"}, Case{140, 0, 0, ""}}) {
        make(c.testId);
        INB4410ConfigBP* config = element->ConfigBP();
        EXPECT_EQ(config ? config->TestType() : 0, c.type) << c.testId;
        const Variant list = element->GetMeasurementList();
        EXPECT_EQ(list.isArray() ? list.array().rows() : 0, c.rows) << c.testId;
        if (c.rows == 4) {
            EXPECT_EQ(list.array().at(3, 0).text(), "MAPR");
            EXPECT_EQ(list.array().at(3, 1).text(), "MAP");
        }
        if (config) {
            perform([&](FTestGuide& guide) {
                const QString shown = guide.Details()->ConfigText()->toPlainText();
                EXPECT_TRUE(shown.contains(c.information.section('|', 0, 0)) && shown.contains(c.information.section('|', 1)))
                    << qPrintable(shown);
                EXPECT_EQ(highlighted(guide), (std::vector<int>{1, 2}));
                press(guide, "skip");
            });
        }
    }
    // The preset test's result holds the simulated values.
    make(120);
    perform([&](FTestGuide& guide) { press(guide, "skip"); });
    EXPECT_FALSE(element->Result()); // skip discards
}

TEST_F(BPElement, PlayRunsTheSimulationUntilTheInstrumentEnds)
{
    std::vector<int> runningSteps;
    perform([&](FTestGuide& guide) {
        driver().replies = [&](int call) {
            if (call == 0)
                runningSteps = highlighted(guide);
            if (call < 3)
                return bpReply(0, 5);
            return bpReply(call - 2, 150 - call, call == 8);
        };
        press(guide, "play");
        EXPECT_FALSE(CTestBP::RunInProgress());
        EXPECT_EQ(highlighted(guide), (std::vector<int>{1, 2}));
        // The operator types the monitor's readings into the view, row by row.
        auto* view = dynamic_cast<XResultBP*>(guide.ResultView());
        ASSERT_TRUE(view);
        for (const char* reading : {"121", "79", "60"}) {
            QTest::keyClicks(view->EditBox(), QString::fromLatin1(reading));
            QTest::keyClick(view->EditBox(), Qt::Key_Return);
        }
        QTest::keyClicks(view->EditBox(), QStringLiteral("93"));
        // Ctrl+A in the reading box belongs to the box, as everywhere on the desktop: the test
        // is not marked N/A and the typed readings stay.
        QTest::keyClick(view->EditBox(), Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(view->EditBox()->text(), QStringLiteral("93"));
        EXPECT_TRUE(guide.isVisible());
        EXPECT_EQ(context->NavigationCount(), 0);
        press(guide, "next");
    });
    EXPECT_EQ(runningSteps, (std::vector<int>{3}));
    EXPECT_EQ(driver().polls, 9);
    EXPECT_EQ(driver().lastTestType, 100);
    EXPECT_EQ(driver().calls, (QStringList{"StartRemote", "StartTest", "GetTestResult", "StopTest", "EndRemote"}));
    const VariantArray& block = driver().startParameters.array()[0].array();
    ASSERT_EQ(block.count(), 9);
    EXPECT_EQ(block[1].text(), "2");
    EXPECT_EQ(block[4].text(), "120");

    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), ostrel::status::kNotJudged); // no standard selected
    for (const char* key : {"SYST", "DIAS", "HART", "MAPR"})
        EXPECT_EQ(result()->Find(key)->Flags(), QString()) << key << ": entered, so complete";
    EXPECT_EQ(result()->MTIID(), 1);
    ASSERT_TRUE(result()->ServiceRecord());
    EXPECT_EQ(result()->ServiceRecord()->Comment(), "/121/79/60/93");
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    EXPECT_EQ(context->FinishedElements().size(), 1u);
}

TEST_F(BPElement, ReadingsOnlyRecordsTheMonitorsReadingsWithoutTheInstrument)
{
    make(CTestBP::kReadingsOnlyTestId);
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        auto* view = dynamic_cast<XResultBP*>(guide.ResultView());
        ASSERT_TRUE(view);
        ASSERT_TRUE(view->EditBox()->isVisible());
        for (const char* reading : {"118", "77"}) {
            QTest::keyClicks(view->EditBox(), QString::fromLatin1(reading));
            QTest::keyClick(view->EditBox(), Qt::Key_Return);
        }
        QTest::keyClicks(view->EditBox(), QStringLiteral("64"));
        guide.EnableNextButton(true);
        press(guide, "next");
    });
    EXPECT_TRUE(driver().calls.isEmpty()) << "nothing is sent to the instrument";
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Find("SYST")->Value().val(), 118.0);
    EXPECT_EQ(result()->Find("HART")->Value().val(), 64.0);
    EXPECT_EQ(result()->Status(), ostrel::status::kNotJudged);
    EXPECT_EQ(context->FinishedElements().size(), 1u);
}

TEST_F(BPElement, ElapsedTimeWithoutTheEndKeepsPolling)
{
    replyStoppingAt(50, [](int call) { return bpReply(call + 1, 100); });
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_EQ(driver().polls, 51);
        // Stopped: no readings asked for, the steps stay as the run left them.
        EXPECT_EQ(highlighted(guide), (std::vector<int>{3}));
        EXPECT_TRUE(result()->Find("SYST")->Flags().isEmpty());
        press(guide, "prev");
    });
    EXPECT_EQ(driver().calls.count("StopTest"), 1);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigatePrevious);
    ASSERT_TRUE(result());
}

TEST_F(BPElement, AFailedResultIsStoredOnlyWhenTheOperatorConfirms)
{
    nb4410::testing::JudgedElement judged(CTestBP::kPresetTestId);
    element = judged.element;
    element->Filter()->SetServiceRecordWanted(true);
    judged.limit("SYST", 5.0f, -5.0f, "%");
    context->SetSelectedStandards(judged.selected);
    messages.sink->answers = {false, true};
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        // As the view takes typed readings: the value in, the entry's "I" flag gone.
        for (const char* key : {"DIAS", "HART", "MAPR"}) {
            result()->Find(key)->SetValue(Variant(70.0f));
            result()->Find(key)->RemoveFlag(QLatin1Char('I'));
        }
        result()->Find("SYST")->SetValue(Variant(140.0f));
        result()->Find("SYST")->RemoveFlag(QLatin1Char('I'));
        guide.EnableNextButton(true);
        press(guide, "next");
        EXPECT_TRUE(guide.isVisible());
        // The judged readings are shown, the failed one marked; next stays available.
        EXPECT_TRUE(guide.Button("next")->isEnabled());
        EXPECT_EQ(context->NavigationCount(), 0);
        press(guide, "next");
    });
    ASSERT_EQ(messages.sink->confirmations.size(), 2u);
    EXPECT_TRUE(messages.sink->confirmations[0].text.startsWith("The test failed."));
    EXPECT_EQ(messages.sink->confirmations[0].icon, ostrel::MessageIcon::Exclamation);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), 2);
    ASSERT_TRUE(result()->ServiceRecord());
    EXPECT_EQ(result()->ServiceRecord()->StatusText(), "F");
}

TEST_F(BPElement, RunFailuresAreShownOnceAndDiscardTheResult)
{
    struct Case {
        ostrel::HResult number;
        size_t boxes;
    };
    for (const Case& c : {Case{ostrel::hr(0x80004005u), 1u}, Case{nb4410vti::eeVTI_Error, 0u}}) {
        messages.sink->shown.clear();
        driver().calls.clear();
        driver().failOn = "GetTestResult";
        driver().failNumber = c.number;
        perform([&](FTestGuide& guide) {
            press(guide, "play");
            EXPECT_TRUE(guide.isVisible());
            EXPECT_FALSE(CTestBP::RunInProgress());
            EXPECT_EQ(highlighted(guide), (std::vector<int>{1, 2}));
            guide.EnableNextButton(true);
            press(guide, "next");
        });
        ASSERT_EQ(messages.sink->shown.size(), c.boxes);
        if (c.boxes) {
            EXPECT_TRUE(messages.sink->shown[0].text.startsWith("Error #"));
        }
        EXPECT_EQ(driver().calls.count("StopTest"), 1);
        EXPECT_EQ(driver().calls.count("EndRemote"), 1);
        EXPECT_FALSE(element->Result());
        EXPECT_TRUE(context->FinishedElements().empty());
    }
}

TEST_F(BPElement, NotApplicableKeepsAnEmptyResultAndAbortDiscards)
{
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        press(guide, "na");
    });
    // Status 3 with the status text "NA" the contract suite holds for every type.
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->MeasurementCount(), 0);
    EXPECT_EQ(result()->MTIID(), 1); // numbered like a performed result

    // The next Perform gives the result its rows again; abort without a run leaves the stored
    // N/A as it was (abort discards only what its own run measured).
    messages.sink->defaultAnswer = true;
    perform([&](FTestGuide& guide) {
        EXPECT_EQ(result()->MeasurementCount(), 4);
        press(guide, "abort");
    });
    ASSERT_TRUE(element->Result());
    EXPECT_EQ(element->Result()->Status(), 3);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateAbort);
}

TEST_F(BPElement, RefusedPerformAndClones)
{
    context->SetMayPerform([](const auto&) { return false; });
    element->Perform(context);
    EXPECT_FALSE(element->Result());
    EXPECT_TRUE(driver().calls.isEmpty());

    auto copy = std::dynamic_pointer_cast<CTestBP>(element->Clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->TestID(), 120);
    ASSERT_TRUE(copy->ConfigBP());
    EXPECT_NE(copy->Configuration(), element->Configuration());
    EXPECT_EQ(copy->ConfigBP()->SelectedPreset(), 1);
    EXPECT_EQ(copy->ConfigBP()->TestType(), btPreset);
    EXPECT_EQ(copy->Limits()->Owner(), copy);
}

} // namespace
