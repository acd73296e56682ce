// The live pressure curve of a leak run in its test-guide window, against the simulator: the
// chart beside the manometer fills while the instrument runs, and when the run ends its curve
// goes to the host's run context. With OSTREL_SCREENSHOTS set, the window is captured during
// the run (in real time, so that the chart and the elapsed time agree) as leak-guide-curve.png
// for the docs.
#include "host/run/XPressureChart.h"
#include "plugin/guide/XTestDetails.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CResultLeak.h"
#include "plugin/tests/leak/CTestLeak.h"
#include "tests/support/plugin/ElementTest.h"

#include <QDir>
#include <QLabel>
#include <QLineSeries>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::PressureCurve;

namespace {

class LeakCurve : public nb4410::testing::ElementTest<CTestLeak, nb4410::testing::SimulatedInstrument> {};

TEST_F(LeakCurve, TheGuideChartsTheRunAndHandsItsCurveToTheHost)
{
    const QString shotDir = qEnvironmentVariable("OSTREL_SCREENSHOTS");
    const bool shooting = !shotDir.isEmpty();
    rig.start({{QStringLiteral("TimeScale"), shooting ? QStringLiteral("1") : QStringLiteral("100")},
               {QStringLiteral("LeakRate"), QStringLiteral("40")}});
    create(CTestLeak::kTestId, 1);
    std::dynamic_pointer_cast<CConfigLeak>(element->Configuration())->SetDuration(shooting ? 30 : 10);
    std::vector<PressureCurve> handed;
    context->SetCurveHandler([&](const std::shared_ptr<ostrel::ITestElement>& from, const PressureCurve& curve) {
        EXPECT_EQ(from, std::static_pointer_cast<ostrel::ITestElement>(element));
        handed.push_back(curve);
    });
    int pointsShownWhileRunning = 0;
    bool shot = false;
    perform([&](FTestGuide& guide) {
        ostrel::XPressureChart* chart = guide.Details()->PressureChart();
        EXPECT_TRUE(chart->IsActive());
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!element->Running() || !chart->isVisible())
                return;
            pointsShownWhileRunning = std::max(pointsShownWhileRunning, static_cast<int>(chart->Series()->count()));
            if (shooting && !shot && guide.Details()->TimeResult()->text() >= QStringLiteral("00:20")) {
                shot = true;
                EXPECT_TRUE(guide.grab().save(QDir(shotDir).filePath(QStringLiteral("leak-guide-curve.png"))));
            }
        });
        poll.start(5);
        press(guide, "play");
        press(guide, "next");
    });
    EXPECT_GT(pointsShownWhileRunning, 1) << "the chart showed nothing while the instrument ran";
    EXPECT_EQ(shot, shooting);
    ASSERT_EQ(handed.size(), 1u);
    const PressureCurve& curve = handed.front();
    ASSERT_GT(curve.Count(), 2);
    // Pumped up to the start pressure, then held while it leaks: the peak is well above zero
    // and the last pressure below it.
    EXPECT_GT(curve.PeakMmHg(), 100.0);
    EXPECT_LT(curve.Points().back().mmHg, curve.PeakMmHg());
    for (int i = 1; i < curve.Count(); ++i)
        EXPECT_GT(curve.Points()[static_cast<size_t>(i)].ms, curve.Points()[static_cast<size_t>(i - 1)].ms);
}

} // namespace
