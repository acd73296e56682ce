// The cuff-volume test end to end: the element, its window and the real driver against the
// simulator on a pseudo-terminal, with simulated time running 100 times faster.
#include "host/contract/IServiceRecord.h"
#include "host/core/ClassTable.h"
#include "host/core/Steps.h"
#include "host/datalink/DataLinkRoot.h"
#include "host/results/Standards.h"
#include "host/run/RunContext.h"
#include "host/run/XTestGuideStatusBar.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/tests/common/MVti.h"
#include "plugin/tests/cuffvolume/CResultCuffVolume.h"
#include "plugin/tests/cuffvolume/CTestCuffVolume.h"
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

class CuffVolumeOverSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ostrel::ClassRegistry::instance().RegisterLocal(
            kProgId, ostrel::ClassFactory{&ostrel::createObject<nb4410vti::GNB4410VTI>, nullptr});
        MVti::Reset();
        element = std::make_shared<CTestCuffVolume>();
        element->Initialize("NB-4410", CTestCuffVolume::kTestId, 1);
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
    void start(QHash<QString, QString> values)
    {
        values.insert("StateFile", dir.filePath("operator.ini"));
        values.insert("Pacing", "0");
        values.insert("TimeScale", "100");
        const QString path = simulator.Start(values);
        ports()->SetPorts({{1, ostrel::PortEntry{QStringLiteral("NB-4410"), path, {}}}});
    }
    static ostrel::PortRegistryPtr ports() { return ostrel::DataLinkRoot::instance()->PortRegistry(); }

    CResultCuffVolume* result() { return dynamic_cast<CResultCuffVolume*>(element->Result().get()); }

    // A standard the run selects that allows cuff volumes from lowerCcm to upperCcm.
    void selectStandardWithVolumeLimits(float lowerCcm, float upperCcm)
    {
        auto standard = element->Limits()->CreateStandard(Variant("ISO"), Variant("ISO 81060"));
        for (const auto& item : standard->LimitItems())
            if (item->Key() == "CVOL") {
                item->SetLimit(0, upperCcm);
                item->SetLimit(1, lowerCcm);
            }
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
    std::shared_ptr<CTestCuffVolume> element;
    std::shared_ptr<RunContext> context;
};

TEST_F(CuffVolumeOverSimulator, PlayMeasuresTheCuffAndNextStoresTheJudgedResult)
{
    start({{"CuffVolume", "152"}});
    selectStandardWithVolumeLimits(100.0f, 200.0f);
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
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    ASSERT_EQ(context->Instruments()->Count(), 1);
    EXPECT_EQ(context->Instruments()->Item(0)->SerialNo(), "44100815");
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    EXPECT_TRUE(messages.sink->shown.empty());
}

TEST_F(CuffVolumeOverSimulator, ACuffTooSmallForTheStandardFails)
{
    start({{"CuffVolume", "60"}});
    selectStandardWithVolumeLimits(100.0f, 200.0f);
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
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_FALSE(element->Running());
        EXPECT_TRUE(guide.isVisible());
        press(guide, "skip");
    });
    EXPECT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_FALSE(element->Result());
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
}

} // namespace
