// The simulated instrument's answers, without a line: commands, parameter checks and the
// physics of each test type.
#include "sim/InstrumentModel.h"
#include "sim/TestRun.h"
#include "tests/support/TextLists.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace nb4410sim;

namespace {

using ostrel::testing::texts;

class Model : public ::testing::Test {
protected:
    Model()
    {
        options.stateFile = dir.filePath(QStringLiteral("operator.ini"));
        options.monitor.leakRateMmHgPerMin = 6.0;
        options.monitor.releasePressureMmHg = 280;
        options.monitor.cuffVolumeCcm = 155;
        options.monitor.offsetSysMmHg = 3;
    }
    InstrumentModel remote()
    {
        InstrumentModel model(options);
        model.Handle(QStringLiteral("IREM"), texts({"0"}), 0);
        return model;
    }
    static QString errCode(const Reply& r) { return r.name == QLatin1String("ERRM") ? r.fields.value(1) : QString(); }

    QTemporaryDir dir;
    SimulatorOptions options;
};

TEST_F(Model, IdentifiesAndRefusesWorkOutsideRemoteMode)
{
    InstrumentModel model(options);
    EXPECT_EQ(errCode(model.Handle(QStringLiteral("GMTD"), texts({"0"}), 0)), QStringLiteral("6003"));
    const Reply irem = model.Handle(QStringLiteral("IREM"), texts({"0"}), 0);
    EXPECT_EQ(irem.name, QStringLiteral("irem"));
    EXPECT_EQ(irem.fields, (QStringList{options.serialNo, options.firmware, options.model}));
    const Reply unknown = model.Handle(QStringLiteral("XYZW"), {}, 0);
    EXPECT_EQ(unknown.fields, (QStringList{QStringLiteral("XYZW"), QStringLiteral("6000"), QStringLiteral("Unknown command")}));
    EXPECT_EQ(model.Handle(QStringLiteral("EREM"), texts({"0"}), 0).name, QStringLiteral("erem"));
    EXPECT_EQ(errCode(model.Handle(QStringLiteral("STST"), texts({"200"}), 0)), QStringLiteral("6003"));
}

TEST_F(Model, ChecksTheParameterSetOfEachTestType)
{
    struct Case {
        QStringList params;
        const char* code; // "" for accepted
    };
    const std::vector<Case> cases{
        {texts({"300", "250", "1", "60"}), ""},
        {texts({"300", "250", "3", "0"}), ""},
        {texts({"300", "250", "1"}), "1001"},
        {texts({"300", "250", "1", "60", "9"}), "1002"},
        {texts({"300", "abc", "1", "60"}), "1003"},
        {texts({"300", "250", "4", "60"}), "1003"},
        {texts({"300", "401", "1", "60"}), "1003"},
        {texts({"300", "250", "1", "-5"}), "1003"},
        {texts({"300", "250", "1.5", "60"}), "1003"},
        {texts({"400", "250"}), ""},
        {texts({"400"}), "1001"},
        {texts({"400", "600"}), "1003"},
        {texts({"200"}), ""},
        {texts({"200", "1"}), "1002"},
        {texts({"100", "1", "0", "0", "120", "80", "60", "40", "1"}), ""},
        {texts({"100", "2", "3", "0", "120", "80", "60", "40", "7"}), "1003"},
        {texts({"100", "4", "0", "0", "120", "80", "60", "40", "1"}), "1003"},
        {texts({"100", "1", "0", "0", "120", "80", "60", "40"}), "1001"},
        {{}, "1001"},
        {texts({"x"}), "1003"},
        {texts({"500"}), "6002"},
    };
    for (const Case& c : cases) {
        InstrumentModel model = remote();
        const Reply reply = model.Handle(QStringLiteral("STST"), c.params, 0);
        if (*c.code == 0) {
            EXPECT_EQ(reply.name, QStringLiteral("stst")) << qPrintable(c.params.join(QLatin1Char(',')));
        } else {
            EXPECT_EQ(errCode(reply), QString::fromLatin1(c.code)) << qPrintable(c.params.join(QLatin1Char(',')));
            EXPECT_EQ(reply.fields.value(0), QStringLiteral("STST"));
            EXPECT_FALSE(reply.fields.value(2).isEmpty());
        }
    }
}

TEST_F(Model, OneTestAtATime)
{
    InstrumentModel model = remote();
    EXPECT_EQ(errCode(model.Handle(QStringLiteral("GRES"), texts({"200"}), 0)), QStringLiteral("6004"));
    model.Handle(QStringLiteral("STST"), texts({"200"}), 0);
    EXPECT_EQ(errCode(model.Handle(QStringLiteral("STST"), texts({"200"}), 1)), QStringLiteral("6001"));
    EXPECT_EQ(errCode(model.Handle(QStringLiteral("GRES"), texts({"300"}), 1)), QStringLiteral("1003"));
    EXPECT_EQ(errCode(model.Handle(QStringLiteral("GRES"), {}, 1)), QStringLiteral("1001"));
    // Once ended, a new test may start; ATST ends one at once.
    EXPECT_EQ(model.Handle(QStringLiteral("STST"), texts({"400", "250"}), 10).name, QStringLiteral("stst"));
    EXPECT_EQ(model.Handle(QStringLiteral("ATST"), texts({"0"}), 11).name, QStringLiteral("atst"));
    EXPECT_EQ(model.Handle(QStringLiteral("STST"), texts({"200"}), 11).name, QStringLiteral("stst"));
}

TEST_F(Model, LeakTestInflatesThenLosesPressureAtTheLeakRate)
{
    InstrumentModel model = remote();
    model.Handle(QStringLiteral("STST"), texts({"300", "250", "1", "60"}), 100);
    const auto at = [&](double s) { return model.Handle(QStringLiteral("GRES"), texts({"300"}), 100 + s).fields; };
    EXPECT_EQ(at(5), texts({"300", "0", "125", "0", "0", "0"}));  // inflating at 25 mmHg/s
    EXPECT_EQ(at(40), texts({"300", "0", "247", "0", "3", "30"})); // 30 s at 6 mmHg/min
    EXPECT_EQ(at(70), texts({"300", "1", "244", "0", "6", "60"}));
    EXPECT_EQ(at(500), texts({"300", "1", "244", "0", "6", "60"})); // stays where it ended
}

TEST_F(Model, ContinuousLeakTestEndsWhenThePressureIsGone)
{
    options.monitor.leakRateMmHgPerMin = 600;
    InstrumentModel model = remote();
    model.Handle(QStringLiteral("STST"), texts({"300", "100", "2", "0"}), 0);
    EXPECT_EQ(model.Handle(QStringLiteral("GRES"), texts({"300"}), 10).fields.value(1), QStringLiteral("0"));
    EXPECT_EQ(model.Handle(QStringLiteral("GRES"), texts({"300"}), 15).fields, texts({"300", "1", "0", "0", "100", "11"}));
}

TEST_F(Model, OverPressureReleasesOrGivesUp)
{
    InstrumentModel model = remote();
    model.Handle(QStringLiteral("STST"), texts({"400", "300"}), 0);
    const auto at = [&](double s) { return model.Handle(QStringLiteral("GRES"), texts({"400"}), s).fields; };
    EXPECT_EQ(at(10), texts({"400", "0", "100", "100", "0"}));
    EXPECT_EQ(at(28.5), texts({"400", "0", "255", "280", "1"})); // released at 280, deflating
    EXPECT_EQ(at(40), texts({"400", "1", "0", "280", "1"}));

    InstrumentModel strong = remote();
    strong.Handle(QStringLiteral("STST"), texts({"400", "200"}), 0);
    EXPECT_EQ(strong.Handle(QStringLiteral("GRES"), texts({"400"}), 60).fields, texts({"400", "1", "0", "200", "0"}));
}

TEST_F(Model, CuffVolumeAfterMeasuring)
{
    InstrumentModel model = remote();
    model.Handle(QStringLiteral("STST"), texts({"200"}), 0);
    EXPECT_EQ(model.Handle(QStringLiteral("GRES"), texts({"200"}), 2).fields, texts({"200", "0", "0"}));
    EXPECT_EQ(model.Handle(QStringLiteral("GRES"), texts({"200"}), 6).fields, texts({"200", "1", "155"}));
}

TEST_F(Model, BloodPressureCycleEndsWithTheMonitorsReadings)
{
    InstrumentModel model = remote();
    model.Handle(QStringLiteral("STST"), texts({"100", "1", "0", "0", "120", "80", "60", "40", "1"}), 0);
    const auto at = [&](double s) { return model.Handle(QStringLiteral("GRES"), texts({"100"}), s).fields; };
    const QStringList inflating = at(2);
    EXPECT_EQ(inflating.mid(0, 5), texts({"100", "0", "40", "0", "2"}));
    EXPECT_EQ(inflating.mid(5), texts({"0", "0", "0", "0"}));
    const QStringList done = at(200);
    EXPECT_EQ(done.value(1), QStringLiteral("1"));
    EXPECT_EQ(done.value(2), QStringLiteral("0"));
    EXPECT_GT(done.value(4).toInt(), 0);
    EXPECT_EQ(done.mid(5), texts({"123", "80", "93", "60"}));
}

TEST_F(Model, OperatorRecordSurvivesARestart)
{
    {
        InstrumentModel model = remote();
        EXPECT_EQ(model.Handle(QStringLiteral("GMTD"), texts({"0"}), 0).fields, texts({"", "", ""}));
        EXPECT_EQ(errCode(model.Handle(QStringLiteral("PMTD"), texts({"a", "b"}), 0)), QStringLiteral("1001"));
        EXPECT_EQ(errCode(model.Handle(QStringLiteral("PMTD"), texts({"a", "b", "c", "d"}), 0)), QStringLiteral("1002"));
        EXPECT_EQ(model.Handle(QStringLiteral("PMTD"), texts({"Åsa", "Ward 3", "SN 9"}), 0).name, QStringLiteral("pmtd"));
    }
    InstrumentModel restarted = remote();
    EXPECT_EQ(restarted.Handle(QStringLiteral("GMTD"), texts({"0"}), 0).fields, texts({"Åsa", "Ward 3", "SN 9"}));
}

TEST_F(Model, ConfiguredErrorReply)
{
    options.faults.errmCommand = QStringLiteral("GMTD");
    options.faults.errmCode = 7001;
    InstrumentModel model = remote();
    EXPECT_EQ(errCode(model.Handle(QStringLiteral("GMTD"), texts({"0"}), 0)), QStringLiteral("7001"));
}

TEST(SimulatorOptions, FromPortValues)
{
    QHash<QString, QString> values{{QStringLiteral("timescale"), QStringLiteral("60")},
                                   {QStringLiteral("Pacing"), QStringLiteral("off")},
                                   {QStringLiteral("ErrmCommand"), QStringLiteral("stst:6002")},
                                   {QStringLiteral("Device"), QStringLiteral("simulator")}};
    const SimulatorOptions options = SimulatorOptions::fromMap(values);
    EXPECT_EQ(options.timeScale, 60.0);
    EXPECT_FALSE(options.pacing);
    EXPECT_EQ(options.faults.errmCommand, QStringLiteral("STST"));
    EXPECT_EQ(options.faults.errmCode, 6002);
    EXPECT_THROW(SimulatorOptions::fromMap({{QStringLiteral("TimeScale"), QStringLiteral("0")}}), std::invalid_argument);
    EXPECT_THROW(SimulatorOptions::fromMap({{QStringLiteral("DropReply"), QStringLiteral("x")}}), std::invalid_argument);
}

} // namespace

namespace {

// How long a test lasts is where its end indicator turns, for every test type.
TEST(TestRunDuration, IsWhereTheRunEnds)
{
    const QStringList starts[] = {
        texts({"300", "250", "1", "20"}),
        texts({"400", "320"}),
        texts({"200"}),
        texts({"100", "1", "0", "0", "120", "80", "70", "2", "1"}),
    };
    for (const QStringList& start : starts) {
        auto created = nb4410sim::TestRun::Create(start, nb4410sim::MonitorProperties{});
        auto* run = std::get_if<std::unique_ptr<nb4410sim::TestRun>>(&created);
        ASSERT_NE(run, nullptr) << qPrintable(start[0]);
        const double duration = (*run)->DurationS();
        EXPECT_GT(duration, 0.5) << qPrintable(start[0]);
        EXPECT_TRUE((*run)->Ended(duration)) << qPrintable(start[0]);
        EXPECT_FALSE((*run)->Ended(duration - 0.002)) << qPrintable(start[0]);
    }
}

} // namespace
