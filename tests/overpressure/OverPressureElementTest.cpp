// The over-pressure element against a scripted driver: the run ends on the instrument's end
// indicator, every reply reaches the result, and Perform goes on past failing steps.
#include "OverPressureReplies.h"

#include "host/contract/IServiceRecord.h"
#include "host/contract/ResultStatus.h"
#include "host/run/RunContext.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/guide/XTestDetails.h"
#include "plugin/tests/overpressure/CConfigOverPressure.h"
#include "plugin/tests/overpressure/CResultOverPressure.h"
#include "plugin/tests/overpressure/CTestOverPressure.h"
#include "tests/support/plugin/ElementTest.h"
#include "tests/support/plugin/StoredElement.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::overPressureReply;
using ostrel::RunContext;
using ostrel::Variant;

namespace {

class OverPressureElement : public nb4410::testing::ElementWithFakeDriver<CTestOverPressure> {
protected:
    void SetUp() override
    {
        create(CTestOverPressure::kTestId, 4);
        // Inflating 10 mmHg per reply; the unit releases at 200 mmHg on the 20th reply, the
        // instrument ends its test on the 25th.
        driver().replies = [](int call) {
            const int pressure = call < 20 ? (call + 1) * 10 : std::max(0, 200 - (call - 19) * 40);
            const QByteArray peak = QByteArray::number(std::min(call + 1, 20) * 10);
            return overPressureReply(call == 24, QByteArray::number(pressure).constData(), peak.constData(),
                                     call >= 19 ? "1" : "0");
        };
    }

    CResultOverPressure* result() { return resultAs<CResultOverPressure>(); }
};

TEST_F(OverPressureElement, RunPollsUntilTheInstrumentEndsAndTakesTheLastReply)
{
    element->Filter()->SetServiceRecordWanted(true);
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_FALSE(element->Running());
        press(guide, "next");
    });
    // The parameter block and the polled test type the contract suite holds for every type.
    EXPECT_EQ(driver().polls, 25);
    EXPECT_EQ(driver().calls, (QStringList{"StartRemote", "StartTest", "GetTestResult", "StopTest", "EndRemote"}));

    ASSERT_TRUE(result());
    EXPECT_EQ(result()->Find("PEAK")->Value().text(), "200");
    EXPECT_TRUE(result()->Find("MREL")->Value().toBool());
    EXPECT_EQ(result()->Status(), ostrel::status::kNotJudged); // no standard selected
    EXPECT_EQ(result()->MTIID(), 1);
    ASSERT_TRUE(result()->ServiceRecord());
    EXPECT_EQ(result()->ServiceRecord()->Comment(), "/200/True");
    EXPECT_EQ(context->FinishedElements().size(), 1u);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
}

TEST_F(OverPressureElement, StopKeepsTheLastPeakAndRelease)
{
    replyStoppingAt(11, [](int call) {
        return overPressureReply(false, "0", QByteArray::number((call + 1) * 10).constData(), "0");
    });
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_TRUE(element->StopRequested());
        EXPECT_EQ(result()->Find("PEAK")->Value().text(), "120");
        EXPECT_FALSE(result()->Find("MREL")->Value().toBool());
        // Stopped before the instrument ended the test: the values stay, as no verdict.
        EXPECT_EQ(result()->Status(), ostrel::status::kIncomplete);
        EXPECT_EQ(result()->Find("PEAK")->Flags(), QStringLiteral("I"));
        press(guide, "next");
    });
    EXPECT_EQ(driver().polls, 12);
    EXPECT_EQ(driver().calls.count("StopTest"), 1);
    EXPECT_EQ(result()->Find("PEAK")->Value().text(), "120");
}

TEST_F(OverPressureElement, ThePerformFigureIsTheCurrentPressureWithoutATime)
{
    QStringList manometer;
    driver().replies = [this, &manometer](int call) {
        if (call > 0)
            manometer << element->Guide()->Details()->ManometerResult()->text();
        return overPressureReply(call == 2, QByteArray::number(100.4 + call).constData(), "100", "0");
    };
    bool timeHidden = false;
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        manometer << guide.Details()->ManometerResult()->text();
        timeHidden = guide.Details()->TimeResult()->isHidden();
        press(guide, "next");
    });
    EXPECT_EQ(driver().polls, 3);
    ASSERT_EQ(manometer.size(), 3);
    EXPECT_TRUE(manometer[0].startsWith("100")) << manometer[0].toStdString();
    EXPECT_TRUE(manometer[2].startsWith("102")) << manometer[2].toStdString();
    EXPECT_TRUE(timeHidden);
}

TEST_F(OverPressureElement, PerformWithoutAConfigurationStillShowsTheWindow)
{
    // Not initialised: the element has no configuration and no limit data.
    auto bare = std::make_shared<CTestOverPressure>();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(bare->Guide());
        shown = bare->Guide()->isVisible();
        bare->Guide()->Button("play")->trigger();
        bare->Guide()->Press("next");
    });
    bare->Perform(context);
    EXPECT_TRUE(shown);
    // The instrument got an empty parameter set.
    EXPECT_EQ(driver().startParameters.array()[0].array().count(), 0);
    ASSERT_TRUE(bare->Result());
}

TEST_F(OverPressureElement, DriverFailureIsShownOnceAndTheWindowStays)
{
    driver().failOn = "StartTest";
    driver().failNumber = nb4410vti::eeVTI_InvalidParametersReceived;
    performFailingRunThenSkip();
    ASSERT_EQ(messages.sink->shown.size(), 1u);
    EXPECT_TRUE(messages.sink->shown[0].text.startsWith(QString("Error #%1\r\n").arg(nb4410vti::eeVTI_InvalidParametersReceived)));
    EXPECT_EQ(driver().calls.count("EndRemote"), 1);
    EXPECT_FALSE(element->Result());
}

TEST(OverPressureElementStore, MeasurementListSaveLoadAndClone)
{
    auto element = std::make_shared<CTestOverPressure>();
    element->Initialize("NB-4410", 400, 2);
    std::dynamic_pointer_cast<CConfigOverPressure>(element->Configuration())->SetInflatePressure(180.0f);
    element->Core()->SetResult(std::make_shared<CResultOverPressure>());
    auto* op = dynamic_cast<CResultOverPressure*>(element->Result().get());
    op->TakeReply(overPressureReply(true, "0", "180", "0"));
    op->EvaluateStatus(nullptr, nullptr, false);

    const auto loaded = nb4410::testing::reloaded(*element);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(std::dynamic_pointer_cast<CConfigOverPressure>(loaded->Configuration())->InflatePressure(), 180.0f);
    ASSERT_TRUE(dynamic_cast<CResultOverPressure*>(loaded->Result().get()));
    EXPECT_EQ(loaded->Result()->Measurement(Variant("PEAK"))->Value().val(), 180.0);

    EXPECT_TRUE(nb4410::testing::expectedClone(*element, 400));
    EXPECT_EQ(nb4410::testing::measurementRows(*element),
              (QStringList{"PEAK: Monitor Release Pressure", "MREL: Monitor Release"}));
}

} // namespace
