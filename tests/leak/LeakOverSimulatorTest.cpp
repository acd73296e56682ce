// The leak test end to end: the element, its window and the real driver against the
// simulator on a pseudo-terminal, with simulated time running 100 times faster.
#include "host/contract/IServiceRecord.h"
#include "host/core/ClassTable.h"
#include "host/core/Steps.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/results/Standards.h"
#include "host/run/RunContext.h"
#include "host/run/XTestGuideStatusBar.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/measure/CNB4410LimitData.h"
#include "plugin/tests/common/MVti.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CResultLeak.h"
#include "plugin/tests/leak/CTestLeak.h"
#include "sim/Simulator.h"
#include "tests/support/ScriptedMessages.h"
#include "vti/GNB4410VTI.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

const QString kProgId = QString::fromLatin1(nb4410vti::kGNB4410VTIProgId);

class LeakOverSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ostrel::ClassRegistry::instance().RegisterLocal(
            kProgId, ostrel::ClassFactory{&ostrel::createObject<nb4410vti::GNB4410VTI>, nullptr});
        MVti::Reset();
        element = std::make_shared<CTestLeak>();
        element->Initialize("NB-4410", CTestLeak::kTestId, 1);
        element->Filter()->SetServiceRecordWanted(true);
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
    void start(QHash<QString, QString> values = {})
    {
        values.insert("StateFile", dir.filePath("operator.ini"));
        values.insert("Pacing", "0");
        values.insert("TimeScale", "100");
        const QString path = simulator.Start(values);
        ports()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), path, {}}}});
    }
    static ostrel::PortRegistryPtr ports() { return ostrel::DataLinkRoot::instance()->PortRegistry(); }

    CConfigLeak& config() { return *std::dynamic_pointer_cast<CConfigLeak>(element->Configuration()); }
    CResultLeak* result() { return dynamic_cast<CResultLeak*>(element->Result().get()); }

    // An upper limit on the leak rate in a standard the run selects.
    void selectStandardWithRateLimit(float upperMmHgPerMin)
    {
        auto standard = element->Limits()->CreateStandard(Variant("ISO"), Variant("ISO 81060"));
        for (const auto& item : standard->LimitItems())
            if (item->Key() == "RATE")
                item->SetLimit(0, upperMmHgPerMin);
        auto selected = std::make_shared<ostrel::Standards>();
        selected->Add(standard);
        context->SetSelectedStandards(selected);
    }

    void perform(const std::function<void(FTestGuide&)>& script)
    {
        QTimer::singleShot(0, [this, script] {
            script(*element->Guide());
            if (element->Guide() && element->Guide()->isVisible()) {
                ADD_FAILURE() << "the window was left open";
                messages.sink->defaultAnswer = true;
                element->Guide()->PressButton("abort");
            }
        });
        element->Perform(context);
    }
    static void press(FTestGuide& guide, const char* key) { guide.Button(key)->trigger(); }

    QTemporaryDir dir;
    ostrel::testing::MessageGuard messages;
    nb4410sim::Simulator simulator;
    std::shared_ptr<CTestLeak> element;
    std::shared_ptr<RunContext> context;
};

TEST_F(LeakOverSimulator, PlayRunsTheTestAndNextStoresAJudgedResult)
{
    start({{"LeakRate", "120"}});
    config().SetDuration(10);
    selectStandardWithRateLimit(10.0f);
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
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_FALSE(element->Running());
        EXPECT_TRUE(guide.isVisible());
        press(guide, "skip");
    });
    EXPECT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
}

} // namespace
