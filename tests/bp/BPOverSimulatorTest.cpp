// The blood-pressure test end to end: the element, its window with the result view and the
// real driver against the simulator on a pseudo-terminal, simulated time running 100 times
// faster. The readings are typed into the result view as the operator does.
#include "BPRegistry.h"
#include "BPTestSupport.h"

#include "host/contract/IServiceRecord.h"
#include "host/storage/StorageElement.h"
#include "host/run/RunContext.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/XResultBP.h"
#include "plugin/tests/bp/CResultBP.h"
#include "plugin/tests/common/MVti.h"
#include "tests/support/plugin/ElementTest.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
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
            // "no reading": the operator presses the button, as the monitor showed nothing.
            if (reading == QLatin1String("none")) {
                QTest::mouseClick(view->NoReadingButton(), Qt::LeftButton);
                continue;
            }
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

TEST_F(BPOverSimulator, NoReadingFailsThatMeasurementKeepsTheOthersAndIsStoredAsSuch)
{
    start();
    judge(CTestBP::kPresetTestId);
    judged->limit("SYST", 5.0f, -5.0f, "%");
    judged->limit("DIAS", 5.0f, -5.0f, "%");
    context->SetSelectedStandards(judged->selected);
    messages.sink->answers = {true}; // store the failed result
    QString shown;
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        typeReadings(guide, {"121", "none", "60", "93"});
        shown = dynamic_cast<XResultBP*>(guide.ResultControl())->Row("DIAS")->text(XResultBP::kValueColumn);
        EXPECT_TRUE(guide.Button("next")->isEnabled());
        guide.Button("next")->trigger();
    });
    EXPECT_EQ(shown, "No reading");
    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Status(), 2);
    EXPECT_EQ(result()->Find("DIAS")->Status(), 2);
    EXPECT_TRUE(result()->Find("DIAS")->Value().isEmptyOrNull());
    // The other readings were kept and judged.
    EXPECT_EQ(result()->Find("SYST")->Status(), 1);
    EXPECT_EQ(result()->Find("HART")->Value().val(), 60.0);

    // Stored and loaded again: still "no reading", still failed, also when judged anew.
    auto document = ostrel::StorageDocument::Create();
    const ostrel::StorageElement stored = result()->Save(document);
    auto reloaded = std::make_shared<CResultBP>();
    reloaded->Load(stored, nullptr);
    EXPECT_EQ(reloaded->Status(), 2);
    EXPECT_EQ(reloaded->Find("DIAS")->Status(), 2);
    EXPECT_EQ(reloaded->Find("DIAS")->ToolTipText(), "No reading");
    reloaded->EvaluateStatus(element->Limits(), judged->selected, false);
    EXPECT_EQ(reloaded->Find("DIAS")->Status(), 2);
    EXPECT_EQ(reloaded->Status(), 2);
    XResultBP view;
    view.ShowTestResult(reloaded);
    EXPECT_EQ(view.Row("DIAS")->text(XResultBP::kValueColumn), "No reading");
    EXPECT_TRUE(view.Row("DIAS")->font(XResultBP::kValueColumn).bold());
}

} // namespace
