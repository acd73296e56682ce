// What every test type of the plug-in promises, held for all of them at once: the stored
// configuration, its clone, the instrument's parameter block and test type, the window's play,
// stop, next, N/A and skip, the stored status text, the report's result table and the progress
// figure on replies that carry no time. A new test type gets these by one line in kTypes.
#include "host/contract/IServiceRecord.h"
#include "host/contract/ResultStatus.h"
#include "host/core/MtiData.h"
#include "host/results/Report.h"
#include "host/run/RunContext.h"
#include "plugin/guide/FTestGuide.h"
#include "plugin/guide/INB4410TestGuideConfig.h"
#include "plugin/guide/XTestDetails.h"
#include "plugin/measure/XResultBP.h"
#include "plugin/tests/bp/CConfigIBP.h"
#include "plugin/tests/bp/CConfigPBP.h"
#include "plugin/tests/bp/CTestBP.h"
#include "plugin/tests/bp/INB4410ConfigBP.h"
#include "plugin/tests/common/MVti.h"
#include "plugin/tests/cuffvolume/CConfigCuffVolume.h"
#include "plugin/tests/cuffvolume/CTestCuffVolume.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CTestLeak.h"
#include "plugin/tests/overpressure/CConfigOverPressure.h"
#include "plugin/tests/overpressure/CTestOverPressure.h"
#include "tests/bp/BPRegistry.h"
#include "tests/support/plugin/ElementTest.h"
#include "tests/support/plugin/ReportCells.h"
#include "tests/support/plugin/StoredConfig.h"
#include "tests/support/plugin/StoredElement.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::RunContext;
using ostrel::VariantArray;

namespace {

struct TestType {
    const char* name;
    std::int32_t testId;         // in the catalogue
    std::int32_t instrumentType; // what the instrument polls with
    std::int32_t aliasTestId;    // another catalogue ID of the same type
    const char* configSource;    // of the configuration's errors
    std::shared_ptr<CInstrumentTest> (*make)();
    // A reply that ends the run with a result, or one without time that keeps it going; the
    // pressure is the manometer's (a type without one ignores it).
    VariantArray (*reply)(bool end, int pressure);
    bool showsPressure;
    QStringList parameters;      // the parameter block of a new element
    void (*change)(ostrel::IConfigData&); // a field away from its default
    QStringList measurements;    // "key: description"
    const char* heading;         // of the report's result table, cells joined by "|"
    void (*afterRun)(FTestGuide&) = nullptr; // what the operator does before next
    void (*shorten)(ostrel::IConfigData&) = nullptr; // a run of a few simulated seconds
};

template <class T>
std::shared_ptr<CInstrumentTest> make()
{
    return std::make_shared<T>();
}

// The operator types the monitor's readings, one a row, as a BP view asks for them.
void typeReadings(FTestGuide& guide)
{
    auto* view = dynamic_cast<XResultBP*>(guide.ResultView());
    ASSERT_TRUE(view);
    for (const char* reading : {"121", "79", "60", "93"}) {
        if (!view->EditBox()->isEnabled())
            break;
        QTest::keyClicks(view->EditBox(), QString::fromLatin1(reading));
        QTest::keyClick(view->EditBox(), Qt::Key_Return);
    }
}

VariantArray texts(std::initializer_list<QString> items)
{
    VariantArray array;
    for (const QString& item : items)
        array.append(ostrel::Variant(item));
    return array;
}

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// A blood-pressure reply: the end flag, the manometer, and the elapsed time once it ends.
VariantArray bpReply(bool end, int pressure)
{
    return texts({"100", flag(end), QString::number(pressure), "0", end ? "5" : "0", "0", "0", "0", "0"});
}

// The BP result shows what was simulated beside what the monitor read.
constexpr char kBPHeading[] = "|Result:|Preset value|Recorded value|Unit";
constexpr char kHeading[] = "|Result:||Value|Unit";

void PrintTo(const TestType& type, std::ostream* out) { *out << type.name; }

const TestType kTypes[] = {
    {"BloodPressurePreset", CTestBP::kPresetTestId, 100, CTestBP::kPresetTestId, CConfigPBP::kSource, &make<CTestBP>,
     &bpReply,
     true, {"100", "2", "1", "0", "120", "80", "60", "2", "1"},
     [](ostrel::IConfigData& c) {
         auto& bp = dynamic_cast<INB4410ConfigBP&>(c);
         bp.SetSelectedPreset(9);
         bp.SetPatientType(1);
         bp.StorePresetValue("101;61;74;121;1.5");
     },
     {"SYST: Systolic", "DIAS: Diastolic", "HART: Heart Rate", "MAPR: MAP"}, kBPHeading, &typeReadings},
    {"BloodPressureIndependent", CTestBP::kIndependentTestId, 100, CTestBP::kIndependentTestId, CConfigIBP::kSource, &make<CTestBP>,
     &bpReply,
     true, {"100", "1", "0", "0", "120", "80", "80", "2", "1"},
     [](ostrel::IConfigData& c) {
         auto& bp = dynamic_cast<INB4410ConfigBP&>(c);
         bp.SetArrhythmiaSim(3);
         for (const char* key : {"SYST", "DIAS", "HART", "PULS"})
             bp.StorePresetValue(key, ostrel::Variant(bp.RetrievePresetValue(key).toSingle() + 1.0f));
     },
     {"SYST: Systolic", "DIAS: Diastolic", "HART: Heart Rate"}, kBPHeading, &typeReadings},
    {"Leak", CTestLeak::kTestId, 300, 301, CConfigLeak::kSource, &make<CTestLeak>,
     [](bool end, int p) { return texts({"300", "0", QString::number(p), "0", "2", end ? "60" : "0"}); }, true, {"300", "250", "1", "60"},
     [](ostrel::IConfigData& c) {
         auto& leak = dynamic_cast<CConfigLeak&>(c);
         leak.SetStartPressure(99.0f);
         leak.SetTestedEquipment(CConfigLeak::kCuffAndMonitor);
         leak.SetDuration(42);
     },
     {"DROP: Pressure Drop", "RATE: Leak Rate"}, kHeading, nullptr,
     [](ostrel::IConfigData& c) { dynamic_cast<CConfigLeak&>(c).SetDuration(2); }},
    {"OverPressure", CTestOverPressure::kTestId, 400, 401, CConfigOverPressure::kSource, &make<CTestOverPressure>,
     [](bool end, int p) { return texts({"400", flag(end), QString::number(p), "300", flag(end)}); }, true, {"400", "250"},
     [](ostrel::IConfigData& c) { dynamic_cast<CConfigOverPressure&>(c).SetInflatePressure(180.0f); },
     {"PEAK: Monitor Release Pressure", "MREL: Monitor Release"}, kHeading},
    {"CuffVolume", CTestCuffVolume::kTestId, 200, 201, CConfigCuffVolume::kSource, &make<CTestCuffVolume>,
     [](bool end, int) { return texts({"200", flag(end), end ? "141.5" : "0"}); }, false, {"200"}, nullptr,
     {"CVOL: Cuff Volume"}, kHeading},
};

class Contract : public nb4410::testing::ElementWithFakeDriver<CInstrumentTest>,
                 public ::testing::WithParamInterface<TestType> {
protected:
    void SetUp() override
    {
        make(GetParam().testId);
        element->Filter()->SetServiceRecordWanted(true);
        // Two replies without time, then the end.
        driver().replies = [](int call) { return GetParam().reply(call >= 2, 100 + call); };
    }

    void make(std::int32_t testId)
    {
        element = GetParam().make();
        element->Initialize(QStringLiteral("NB-4410"), testId, 9);
    }

    static QByteArray stored(ostrel::IConfigData& config)
    {
        auto document = ostrel::StorageDocument::Create();
        document->SetRoot(config.Save(document));
        return document->ToText();
    }

    void playThen(const char* button)
    {
        perform([&](FTestGuide& guide) {
            press(guide, "play");
            if (GetParam().afterRun && QByteArray(button) == "next")
                GetParam().afterRun(guide);
            press(guide, button);
        });
    }

    nb4410::testing::BPRegistryGuard registry;
};

TEST_P(Contract, ConfigurationComesBackFromItsStoredFormAndItsClone)
{
    const auto config = element->Configuration();
    ASSERT_TRUE(config);
    if (GetParam().change)
        GetParam().change(*config);
    dynamic_cast<INB4410TestGuideConfig&>(*config).TestGuideConfig()->SetOption(0, false);
    const QByteArray original = stored(*config);
    {
        const auto untouched = GetParam().make();
        untouched->Initialize(QStringLiteral("NB-4410"), GetParam().testId, 9);
        EXPECT_NE(stored(*untouched->Configuration()), original) << "the change left the defaults";
    }

    const auto fresh = GetParam().make();
    fresh->Initialize(QStringLiteral("NB-4410"), GetParam().testId, 9);
    auto document = ostrel::StorageDocument::Create();
    nb4410::testing::saveAndLoadInto(*config, *fresh->Configuration(), document);
    EXPECT_EQ(stored(*fresh->Configuration()), original);

    const auto copy = config->Clone();
    ASSERT_TRUE(copy);
    EXPECT_EQ(stored(*copy), original);
    // The clone's settings are its own.
    dynamic_cast<INB4410TestGuideConfig&>(*copy).TestGuideConfig()->SetOption(0, true);
    EXPECT_EQ(stored(*config), original);
}

TEST_P(Contract, AResultRootIsRefusedAsAConfigurationAndChangesNothing)
{
    const auto config = element->Configuration();
    if (GetParam().change)
        GetParam().change(*config);
    const QByteArray before = stored(*config);
    nb4410::testing::expectResultRootRefused(*config, ostrel::hr(0x8004A3C2u), QString::fromLatin1(GetParam().configSource));
    EXPECT_EQ(stored(*config), before);
}

TEST_P(Contract, ElementComesBackFromItsStoredFormAndItsClone)
{
    EXPECT_EQ(nb4410::testing::measurementRows(*element), GetParam().measurements);
    auto document = ostrel::StorageDocument::Create();
    const ostrel::StorageElement saved = element->Save(document);
    ASSERT_TRUE(saved);
    const auto loaded = GetParam().make();
    loaded->Initialize(QStringLiteral("NB-4410"), GetParam().testId, 9);
    loaded->Load(saved, nullptr);
    EXPECT_EQ(stored(*loaded->Configuration()), stored(*element->Configuration()));
    EXPECT_TRUE(nb4410::testing::expectedClone(*element, GetParam().testId));
}

// The parameter block and the polled test type are the instrument's, whatever the catalogue's ID.
TEST_P(Contract, PlayStartsTheInstrumentWithTheParameterBlockThenNextStoresAJudgedResult)
{
    playThen("next");
    const VariantArray& wrapped = driver().startParameters.array();
    ASSERT_EQ(wrapped.count(), 1);
    QStringList block;
    for (int i = 0; i < wrapped[0].array().count(); ++i)
        block << wrapped[0].array()[i].text();
    EXPECT_EQ(block, GetParam().parameters);
    EXPECT_EQ(driver().lastTestType, GetParam().instrumentType);
    EXPECT_EQ(driver().polls, 3);
    EXPECT_EQ(driver().calls.count("StopTest"), 1);
    EXPECT_EQ(driver().calls.count("EndRemote"), 1);
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    ASSERT_TRUE(element->Result());
    EXPECT_EQ(context->FinishedElements().size(), 1u);
}

TEST_P(Contract, PollsWithTheInstrumentsTestTypeWhateverTheCatalogueId)
{
    make(GetParam().aliasTestId);
    playThen("next");
    EXPECT_EQ(driver().lastTestType, GetParam().instrumentType);
}

TEST_P(Contract, StopWhilePollingEndsTheInstrumentsTest)
{
    driver().replies = [this](int call) {
        if (call == 1 && element->Guide())
            press(*element->Guide(), "stop");
        return GetParam().reply(false, 100 + call);
    };
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_FALSE(element->Running());
        press(guide, "skip");
    });
    EXPECT_EQ(driver().polls, 2);
    EXPECT_EQ(driver().calls.count("StopTest"), 1);
    EXPECT_EQ(driver().calls.count("EndRemote"), 1);
}

TEST_P(Contract, NotApplicableStoresStatusThreeWithTheStatusTextNAWhichASkippedRunKeeps)
{
    playThen("na");
    ASSERT_TRUE(element->Result());
    EXPECT_EQ(element->Result()->Status(), ostrel::status::kNotApplicable);
    ASSERT_TRUE(element->Result()->ServiceRecord());
    EXPECT_EQ(element->Result()->ServiceRecord()->StatusText(), "NA");
    EXPECT_EQ(context->FinishedElements().size(), 1u);

    // Skip discards what its own run measured: the N/A stored before stays.
    playThen("skip");
    ASSERT_TRUE(element->Result());
    EXPECT_EQ(element->Result()->Status(), ostrel::status::kNotApplicable);
}

TEST_P(Contract, SkipDiscardsTheRunAndTellsNobody)
{
    playThen("skip");
    EXPECT_FALSE(element->Result());
    EXPECT_TRUE(context->FinishedElements().empty());
}

TEST_P(Contract, AFailingStartLeavesTheWindowForSkip)
{
    driver().failOn = QStringLiteral("StartTest");
    performFailingRunThenSkip();
    EXPECT_EQ(driver().calls.count("EndRemote"), 1);
    EXPECT_FALSE(element->Result());
}

TEST_P(Contract, TheReportHasTheResultTableWithItsHeadings)
{
    playThen("next");
    ASSERT_TRUE(element->Result());
    auto report = std::make_shared<ostrel::Report>();
    element->Result()->PrintReport(report);
    ASSERT_FALSE(report->Tables().empty());
    const auto& table = report->Tables().back();
    ASSERT_EQ(table.heading.size(), 1u);
    EXPECT_EQ(nb4410::testing::cellTexts(table.heading)[0].join('|'), GetParam().heading);
    EXPECT_EQ(table.rows.size(), static_cast<size_t>(GetParam().measurements.size()));
}

// Replies that carry no elapsed time keep the run going and still show the manometer.
TEST_P(Contract, RepliesWithoutTimeKeepTheRunGoingAndTheManometerUpToDate)
{
    QStringList manometer;
    driver().replies = [&](int call) {
        if (call > 0)
            manometer << element->Guide()->Details()->ManometerResult()->text();
        return GetParam().reply(call >= 4, 100 + call);
    };
    playThen("next");
    EXPECT_EQ(driver().polls, 5);
    if (!GetParam().showsPressure)
        return;
    ASSERT_EQ(manometer.size(), 4);
    for (int i = 0; i < manometer.size(); ++i)
        EXPECT_TRUE(manometer[i].startsWith(QString::number(100 + i))) << manometer[i].toStdString();
}

// The same against the simulator over a pseudo-terminal: play then next stores a result of the
// instrument the run found, and leaves the line closed.
class ContractOverSimulator : public nb4410::testing::ElementOverSimulator<CInstrumentTest>,
                              public ::testing::WithParamInterface<TestType> {
protected:
    void SetUp() override
    {
        element = GetParam().make();
        element->Initialize(QStringLiteral("NB-4410"), GetParam().testId, 1);
        element->Filter()->SetServiceRecordWanted(true);
        if (GetParam().shorten)
            GetParam().shorten(*element->Configuration());
    }

    nb4410::testing::BPRegistryGuard registry;
};

TEST_P(ContractOverSimulator, PlayThenNextStoresAResultOfTheInstrumentAndClosesTheLine)
{
    start();
    perform([&](FTestGuide& guide) {
        press(guide, "play");
        EXPECT_FALSE(element->Running());
        if (GetParam().afterRun)
            GetParam().afterRun(guide);
        press(guide, "next");
    });
    ASSERT_TRUE(element->Result());
    EXPECT_EQ(element->Result()->Status(), ostrel::status::kNotJudged); // no standard selected
    EXPECT_EQ(element->Result()->MTIID(), 1);
    EXPECT_TRUE(element->Result()->ServiceRecord());
    EXPECT_EQ(context->LastNavigation(), RunContext::kNavigateNext);
    EXPECT_EQ(context->FinishedElements().size(), 1u);
    ASSERT_EQ(context->Instruments()->Count(), 1);
    EXPECT_EQ(context->Instruments()->Item(0)->SerialNo(), "44100815");
    EXPECT_EQ(MVti::Driver()->VtiState(), nb4410vti::evtiNotConnected);
    EXPECT_TRUE(messages.sink->shown.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryTestType, ContractOverSimulator, ::testing::ValuesIn(kTypes),
                         [](const ::testing::TestParamInfo<TestType>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(EveryTestType, Contract, ::testing::ValuesIn(kTypes),
                         [](const ::testing::TestParamInfo<TestType>& info) { return std::string(info.param.name); });

} // namespace
