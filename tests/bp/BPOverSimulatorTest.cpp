// The blood-pressure test end to end: the element, its window with the result view and the
// real driver against the simulator on a pseudo-terminal, simulated time running 100 times
// faster. The readings are typed into the result view as the operator does.
#include "BPRegistry.h"
#include "BPTestSupport.h"

#include "host/contract/IServiceRecord.h"
#include "host/core/ClassTable.h"
#include "host/core/Steps.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/run/RunContext.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/XResultBP.h"
#include "plugin/tests/bp/CResultBP.h"
#include "plugin/tests/common/MVti.h"
#include "sim/Simulator.h"
#include "tests/support/ScriptedMessages.h"
#include "vti/GNB4410VTI.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

const QString kProgId = QString::fromLatin1(nb4410vti::kGNB4410VTIProgId);

class BPOverSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ostrel::ClassRegistry::instance().RegisterLocal(
            kProgId, ostrel::ClassFactory{&ostrel::createObject<nb4410vti::GNB4410VTI>, nullptr});
        MVti::Reset();
        context = std::make_shared<RunContext>();
    }
    void TearDown() override
    {
        ostrel::runStep("end remote", [] { MVti::Driver()->EndRemote(); });
        ports()->ResetPorts();
        simulator.Stop();
        MVti::Reset();
        ostrel::ClassRegistry::instance().UnregisterLocal(kProgId);
    }
    void start()
    {
        const QString path = simulator.Start({{"StateFile", dir.filePath("operator.ini")},
                                              {"Pacing", "0"},
                                              {"TimeScale", "100"}});
        ports()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), path, {}}}});
    }
    static ostrel::PortRegistryPtr ports() { return ostrel::DataLinkRoot::instance()->PortRegistry(); }

    void perform(const std::function<void(FTestGuide&)>& script)
    {
        QTimer::singleShot(0, [this, script] {
            script(*judged->element->Guide());
            if (judged->element->Guide() && judged->element->Guide()->isVisible()) {
                ADD_FAILURE() << "the window was left open";
                messages.sink->defaultAnswer = true;
                judged->element->Guide()->PressButton("abort");
            }
        });
        judged->element->Perform(context);
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
    CResultBP* result() { return judged->element->ResultBP().get(); }
    static void press(FTestGuide& guide) { guide.Button("play")->trigger(); }

    QTemporaryDir dir;
    nb4410::testing::BPRegistryGuard registry;
    ostrel::testing::MessageGuard messages;
    nb4410sim::Simulator simulator;
    std::unique_ptr<nb4410::testing::JudgedElement> judged;
    std::shared_ptr<RunContext> context;
};

TEST_F(BPOverSimulator, PlayRunsTheSimulationAndNextStoresTheTypedReadings)
{
    start();
    judged = std::make_unique<nb4410::testing::JudgedElement>(CTestBP::kPresetTestId);
    judged->element->Filter()->SetServiceRecordWanted(true);
    judged->limit("SYST", 5.0f, -5.0f, "%");
    context->SetSelectedStandards(judged->selected);
    bool nextBeforeReadings = true;
    perform([&](FTestGuide& guide) {
        press(guide);
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
    judged = std::make_unique<nb4410::testing::JudgedElement>(CTestBP::kIndependentTestId);
    judged->limit("SYST", 5.0f, -5.0f, "%");
    context->SetSelectedStandards(judged->selected);
    messages.sink->answers = {true};
    perform([&](FTestGuide& guide) {
        press(guide);
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
