// The simulated monitor's display: cleared when a blood-pressure simulation starts, showing the
// readings of the "gres" reply once it has ended, and kept until the next simulation; offered
// to an automatic operator as "OstrelSim.MonitorDisplay".
#include "sim/InstrumentModel.h"
#include "sim/MonitorDisplay.h"

#include "host/core/ClassRegistry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace nb4410sim;

namespace {

const QStringList kBpStart{"100", "1", "0", "0", "120", "80", "70", "40", "1"};
constexpr double kBpEndedS = 200; // long after the monitor's cycle of 120/80

class Display : public ::testing::Test {
protected:
    Display() { model.Handle(QStringLiteral("IREM"), {QStringLiteral("0")}, 0); }
    static SimulatorOptions monitorWithOffsets(const QTemporaryDir& dir)
    {
        SimulatorOptions options;
        options.stateFile = dir.filePath(QStringLiteral("operator.ini"));
        options.monitor.offsetSysMmHg = 4;
        options.monitor.offsetHeartRate = -2;
        return options;
    }
    QStringList result(double nowS) { return model.Handle(QStringLiteral("GRES"), {QStringLiteral("100")}, nowS).fields; }

    QTemporaryDir dir;
    SimulatorOptions options = monitorWithOffsets(dir);
    MonitorScreen screen;
    InstrumentModel model{options, screen};
};

TEST_F(Display, ShowsTheReadingsOfTheReplyOnceTheSimulationHasEnded)
{
    EXPECT_EQ(screen.State().measurementNumber, 0);
    model.Handle(QStringLiteral("STST"), kBpStart, 0);
    EXPECT_EQ(screen.State().measurementNumber, 1);
    result(2);
    EXPECT_FALSE(screen.State().complete);

    const QStringList ended = result(kBpEndedS);
    const nb4410sim::MonitorDisplayState state = screen.State();
    ASSERT_TRUE(state.complete);
    EXPECT_EQ(state.measurementNumber, 1);
    // The display and the reply agree, offsets of the monitor included.
    EXPECT_EQ(ended.mid(5), (QStringList{"124", "80", "93", "68"}));
    EXPECT_EQ(state.systolicMmHg, 124);
    EXPECT_EQ(state.diastolicMmHg, 80);
    EXPECT_EQ(state.mapMmHg, 93);
    EXPECT_EQ(state.heartRateBpm, 68);
}

TEST_F(Display, KeepsItsReadingsUntilTheNextSimulation)
{
    model.Handle(QStringLiteral("STST"), kBpStart, 0);
    // Nobody asked for the result at the end: stopping the test still finds the monitor done.
    model.Handle(QStringLiteral("ATST"), {QStringLiteral("0")}, kBpEndedS);
    model.Handle(QStringLiteral("EREM"), {QStringLiteral("0")}, kBpEndedS + 1);
    EXPECT_TRUE(screen.State().complete);
    EXPECT_EQ(screen.State().systolicMmHg, 124);

    // Other tests leave the monitor's display alone.
    model.Handle(QStringLiteral("IREM"), {QStringLiteral("0")}, kBpEndedS + 2);
    model.Handle(QStringLiteral("STST"), {QStringLiteral("300"), QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("60")},
                 kBpEndedS + 3);
    EXPECT_TRUE(screen.State().complete);
    EXPECT_EQ(screen.State().measurementNumber, 1);
    model.Handle(QStringLiteral("ATST"), {QStringLiteral("0")}, kBpEndedS + 4);

    // A new simulation clears it, and one stopped early never shows readings.
    model.Handle(QStringLiteral("STST"), kBpStart, kBpEndedS + 5);
    EXPECT_FALSE(screen.State().complete);
    EXPECT_EQ(screen.State().measurementNumber, 2);
    EXPECT_EQ(screen.State().systolicMmHg, 0);
    model.Handle(QStringLiteral("ATST"), {QStringLiteral("0")}, kBpEndedS + 6);
    result(2 * kBpEndedS);
    EXPECT_FALSE(screen.State().complete);
}

TEST_F(Display, ARefusedStartLeavesTheDisplayAsItWas)
{
    model.Handle(QStringLiteral("STST"), kBpStart, 0);
    result(kBpEndedS);
    QStringList badStart = kBpStart;
    badStart[8] = QStringLiteral("9"); // no such arrhythmia
    EXPECT_EQ(model.Handle(QStringLiteral("STST"), badStart, kBpEndedS + 1).name, QStringLiteral("ERRM"));
    EXPECT_TRUE(screen.State().complete);
    EXPECT_EQ(screen.State().measurementNumber, 1);
}

TEST(MonitorDisplayClass, IsCreatedByItsProgramIdentifierAndReadsTheSharedDisplay)
{
    auto display = ostrel::query<nb4410sim::IMonitorDisplay>(
        ostrel::ClassRegistry::instance().Create(QString::fromLatin1(nb4410sim::IMonitorDisplay::kProgId)));
    ASSERT_TRUE(display);
    const std::int32_t before = display->State().measurementNumber;
    MonitorScreen::Shared().BeginMeasurement();
    MonitorScreen::Shared().Show(DisplayedReadings{111, 71, 84, 66});
    const nb4410sim::MonitorDisplayState state = display->State();
    EXPECT_EQ(state.measurementNumber, before + 1);
    EXPECT_TRUE(state.complete);
    EXPECT_EQ(state.heartRateBpm, 66);
}

} // namespace
