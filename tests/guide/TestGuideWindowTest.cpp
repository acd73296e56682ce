// The test-guide window: which presses and keys raise which events, and when.
#include "host/core/ClassTable.h"
#include "host/run/RunContext.h"
#include "host/run/TestGuideService.h"
#include "host/run/XProgressSphere.h"
#include "host/run/XTestGuideStatusBar.h"
#include "host/storage/StatusCodec.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/guide/XTestDetails.h"
#include "plugin/measure/INB4410ResultView.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CResultLeak.h"
#include "plugin/tests/leak/CTestLeak.h"
#include "tests/support/ScriptedMessages.h"

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace nb4410;

namespace {

class StubResultView : public QWidget, public INB4410ResultView {
public:
    explicit StubResultView(QWidget* parent) : QWidget(parent) {}
    void Clear() override {}
    void ShowTestResult(std::shared_ptr<ostrel::IResultData>) override {}
    void ShowLimits(std::shared_ptr<ostrel::ILimitData>, std::shared_ptr<ostrel::IStandards>) override {}
    void StartEditing() override {}
    void StoreConfiguration(std::shared_ptr<ostrel::IConfigData>) override {}
    void SetEventHandler(EventHandler handler) override { raise = std::move(handler); }
    EventHandler raise;
};

struct Events {
    QStringList raised;
    void watch(FTestGuide& guide)
    {
        QObject::connect(&guide, &FTestGuide::StartTest, [this] { raised << "StartTest"; });
        QObject::connect(&guide, &FTestGuide::StopTest, [this] { raised << "StopTest"; });
        QObject::connect(&guide, &FTestGuide::Abort, [this] { raised << "Abort"; });
        QObject::connect(&guide, &FTestGuide::PrevTest, [this] { raised << "PrevTest"; });
        QObject::connect(&guide, &FTestGuide::NextTest, [this] { raised << "NextTest"; });
        QObject::connect(&guide, &FTestGuide::NA, [this] { raised << "NA"; });
        QObject::connect(&guide, &FTestGuide::SkipTest, [this] { raised << "SkipTest"; });
    }
};

class TestGuideWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        element = std::make_shared<CTestLeak>();
        element->Initialize("NB-4410", 300, 1);
        events.watch(guide);
    }
    void prepare()
    {
        guide.InitGuide(element, context, ostrel::Variant(ostrel::VariantArray{"one", "two"}),
                        ostrel::Variant(std::dynamic_pointer_cast<CConfigLeak>(element->Configuration())->ConfigurationInformation()));
        guide.show();
    }
    bool enabled(const char* key) { return guide.Button(key)->isEnabled(); }

    ostrel::testing::MessageGuard messages;
    std::shared_ptr<CTestLeak> element;
    std::shared_ptr<ostrel::RunContext> context = std::make_shared<ostrel::RunContext>();
    FTestGuide guide;
    Events events;
};

TEST_F(TestGuideWindow, ToolbarHoldsTheTenButtonsInOrderWithTheirToolTips)
{
    prepare();
    QStringList keys;
    for (QAction* action : guide.Toolbar()->actions())
        keys << action->objectName();
    EXPECT_EQ(keys, (QStringList{"abort", "prev", "next", "play", "stop", "na", "skip", "calibrate", "motion", "info"}));
    EXPECT_EQ(guide.Button("play")->toolTip(), "Start test (Enter).");
    EXPECT_EQ(guide.Button("next")->toolTip(), "Go to next test (Ctrl+N). ");
    EXPECT_EQ(guide.Toolbar()->objectName(), "tbrPerform");
    // The two buttons no NB-4410 test uses keep their places, greyed out.
    for (const char* unused : {"calibrate", "motion"}) {
        EXPECT_TRUE(guide.Button(unused)->isVisible()) << unused;
        EXPECT_FALSE(enabled(unused)) << unused;
    }
    // Idle: nothing to stop, no result to go on with yet.
    EXPECT_FALSE(enabled("stop"));
    EXPECT_FALSE(enabled("next"));
    EXPECT_TRUE(enabled("prev"));
    EXPECT_FALSE(guide.HasRun());
}

TEST_F(TestGuideWindow, PlayWhilePerformingStaysPressedAndRaisesNothing)
{
    prepare();
    int starts = 0;
    QObject::connect(&guide, &FTestGuide::StartTest, [&] {
        ++starts;
        EXPECT_TRUE(guide.Performing());
        EXPECT_TRUE(enabled("stop"));
        EXPECT_FALSE(enabled("prev"));
        guide.Button("play")->trigger(); // a second press during the run
        EXPECT_TRUE(guide.Button("play")->isChecked());
        QTest::keyClick(&guide, Qt::Key_F9);
    });
    guide.Button("play")->trigger();
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(guide.Performing());
    EXPECT_TRUE(guide.HasRun());
    EXPECT_FALSE(enabled("stop"));
}

TEST_F(TestGuideWindow, DisabledButtonsRaiseNothing)
{
    prepare();
    guide.SetNavigation(false);
    for (const char* key : {"prev", "na", "skip", "next"})
        guide.Press(key);
    QTest::keyClick(&guide, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(events.raised.isEmpty());
    guide.SetNavigation(true);
    guide.Press("prev");
    EXPECT_EQ(events.raised, (QStringList{"PrevTest"}));
}

TEST_F(TestGuideWindow, TellsTheTestGuideServiceWhenItOpensChangesAndCloses)
{
    // What an operator without hands learns of the window, and how it presses "play".
    struct Recorder : ostrel::ITestGuideObserver {
        QStringList seen;
        bool runningSeen = false;
        void GuideOpened(ostrel::ITestGuide&) override { seen << "opened"; }
        void GuideChanged(ostrel::ITestGuide& guide) override
        {
            seen << "changed";
            runningSeen = runningSeen || guide.IsRunning();
        }
        void GuideClosed(ostrel::ITestGuide&) override { seen << "closed"; }
    } recorder;
    auto& service = ostrel::TestGuideService::instance();
    service.AddObserver(&recorder);
    prepare();
    EXPECT_EQ(service.OpenGuide(), static_cast<ostrel::ITestGuide*>(&guide));
    ostrel::ITestGuide& operated = guide;
    EXPECT_FALSE(operated.IsEnabled("next"));
    operated.Press("play");
    EXPECT_EQ(events.raised, (QStringList{"StartTest"}));
    EXPECT_TRUE(recorder.runningSeen);
    // "play" stays down until the element says its run has ended.
    EXPECT_TRUE(operated.IsRunning());
    guide.SetRunning(false, ostrel::Variant());
    EXPECT_FALSE(operated.IsRunning());
    guide.hide();
    EXPECT_EQ(service.OpenGuide(), nullptr);
    service.RemoveObserver(&recorder);
    ASSERT_GE(recorder.seen.size(), 3);
    EXPECT_EQ(recorder.seen.first(), "opened");
    EXPECT_TRUE(recorder.seen.contains("changed"));
    EXPECT_EQ(recorder.seen.last(), "closed");
}

TEST_F(TestGuideWindow, KeyTable)
{
    prepare();
    guide.EnableNextButton(true);
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString raised; // empty: nothing
    };
    for (const Case& c : {Case{Qt::Key_N, Qt::ControlModifier, "NextTest"}, Case{Qt::Key_B, Qt::ControlModifier, "PrevTest"},
                          Case{Qt::Key_K, Qt::ControlModifier, "SkipTest"}, Case{Qt::Key_A, Qt::ControlModifier, "NA"},
                          Case{Qt::Key_E, Qt::ControlModifier, ""}, Case{Qt::Key_Return, Qt::NoModifier, ""}}) {
        events.raised.clear();
        QTest::keyClick(&guide, c.key, c.modifiers);
        EXPECT_EQ(events.raised, c.raised.isEmpty() ? QStringList{} : QStringList{c.raised}) << c.key;
    }
    messages.sink->answers = {true};
    events.raised.clear();
    QTest::keyClick(&guide, Qt::Key_Escape);
    EXPECT_EQ(events.raised, (QStringList{"Abort"}));
    EXPECT_EQ(messages.sink->confirmations.size(), 1u);
}

TEST_F(TestGuideWindow, CtrlEDoesNotStopARun)
{
    prepare();
    QObject::connect(&guide, &FTestGuide::StartTest, [&] { QTest::keyClick(&guide, Qt::Key_E, Qt::ControlModifier); });
    guide.Press("play");
    EXPECT_EQ(events.raised, (QStringList{"StartTest"}));
}

TEST_F(TestGuideWindow, F9StartsBeforeARunAndGoesOnAfterIt)
{
    prepare();
    QTest::keyClick(&guide, Qt::Key_F9);
    EXPECT_EQ(events.raised, (QStringList{"StartTest"}));
    // After the run, "next" only while enabled.
    events.raised.clear();
    guide.EnableNextButton(false);
    QTest::keyClick(&guide, Qt::Key_F9);
    EXPECT_TRUE(events.raised.isEmpty());
    guide.EnableNextButton(true);
    QTest::keyClick(&guide, Qt::Key_F9);
    EXPECT_EQ(events.raised, (QStringList{"NextTest"}));
}

TEST_F(TestGuideWindow, SkipAndNASettingOffKeepsBothDisabledAfterARun)
{
    std::dynamic_pointer_cast<CConfigLeak>(element->Configuration())->TestGuideSettings()->SetOption(0, false);
    prepare();
    EXPECT_FALSE(enabled("skip"));
    EXPECT_FALSE(enabled("na"));
    guide.Press("play");
    EXPECT_FALSE(enabled("skip"));
    EXPECT_FALSE(enabled("na"));
    QTest::keyClick(&guide, Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(events.raised == QStringList{"StartTest"});
}

TEST_F(TestGuideWindow, AbortAndClosingAskFirst)
{
    prepare();
    messages.sink->answers = {false, false, true};
    guide.Press("abort");
    guide.close();
    EXPECT_TRUE(guide.isVisible());
    EXPECT_TRUE(events.raised.isEmpty());
    guide.close();
    EXPECT_EQ(events.raised, (QStringList{"Abort"}));
    EXPECT_EQ(messages.sink->confirmations.size(), 3u);
}

TEST_F(TestGuideWindow, ResultViewIsChosenByTestId)
{
    for (std::int32_t id : {110, 120, 130, 140})
        EXPECT_EQ(FTestGuide::ResultViewProgId(id), "OstrelNB4410.XResultBP");
    for (std::int32_t id : {200, 300, 400, 0})
        EXPECT_EQ(FTestGuide::ResultViewProgId(id), "OstrelNB4410.XResultView");

    prepare();
    EXPECT_EQ(guide.ResultControlProgId(), "OstrelNB4410.XResultView");
    ASSERT_TRUE(guide.ResultView());
    EXPECT_EQ(guide.ResultControl()->objectName(), "xrvResult");
}

TEST_F(TestGuideWindow, ResultViewEventsReachTheButtonsAndTheStatusBar)
{
    ostrel::ClassRegistry::instance().RegisterLocal(
        "OstrelNB4410.XResultBP", ostrel::ClassFactory{nullptr, [](QWidget* parent) -> QWidget* { return new StubResultView(parent); }});
    auto bp = std::make_shared<CTestLeak>();
    bp->Core()->Initialize("NB-4410", 120, 1);
    guide.InitGuide(bp, context, ostrel::Variant());
    ostrel::ClassRegistry::instance().UnregisterLocal("OstrelNB4410.XResultBP");
    auto* view = dynamic_cast<StubResultView*>(guide.ResultControl());
    ASSERT_TRUE(view);
    view->raise("EnableNextButton", ostrel::VariantArray{true});
    EXPECT_TRUE(enabled("next"));
    view->raise("StandardSelected", ostrel::VariantArray{"ISO", "ISO 81060-2"});
    EXPECT_EQ(guide.StatusBar()->StandardShortName(), "ISO");
}

TEST_F(TestGuideWindow, RunningLookAndTheFirstLiveData)
{
    prepare();
    EXPECT_FALSE(guide.Details()->ShowProgress());
    guide.SetRunning(true, ostrel::Variant(ostrel::VariantArray{0}));
    EXPECT_TRUE(guide.ProgressSphere()->Running());
    EXPECT_TRUE(enabled("stop"));
    guide.UpdatePerformData(120, ostrel::Variant(5));
    EXPECT_TRUE(guide.Details()->ShowProgress());
    EXPECT_FALSE(guide.Button("info")->isChecked());
    // "info" toggles between the configuration and the live data.
    guide.Button("info")->trigger();
    EXPECT_FALSE(guide.Details()->ShowProgress());
    guide.SetRunning(false, ostrel::Variant(ostrel::VariantArray{0}));
    EXPECT_FALSE(guide.ProgressSphere()->Running());
    EXPECT_FALSE(enabled("stop"));
    EXPECT_FALSE(guide.Button("play")->isChecked());
}

TEST_F(TestGuideWindow, StatusBarShowsTheStatusTextTheResultKeeps)
{
    auto document = ostrel::StorageDocument::Create();
    ostrel::StorageElement stored = document->CreateElement("ResultItem");
    stored.AppendChild(ostrel::StatusCodec::StatusToElement(document, 2, "F"));
    element->Core()->SetResult(std::make_shared<CResultLeak>());
    element->Result()->Load(stored, nullptr);
    prepare();
    EXPECT_EQ(guide.StatusBar()->Status(), 2);
    EXPECT_EQ(guide.StatusBar()->StatusText(), "Failed - F");

    guide.ShowResult(std::make_shared<CResultLeak>());
    EXPECT_EQ(guide.StatusBar()->StatusText(), "Not evaluated");
}

} // namespace
