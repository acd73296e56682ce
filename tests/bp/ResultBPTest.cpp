// The blood-pressure result: measurements from the configuration, judging the operator's
// readings against limits (percent limits relative to the simulated value), not applicable,
// service record, stored form and report.
#include "BPTestSupport.h"

#include "host/contract/IServiceRecord.h"
#include "host/results/Progress.h"
#include "host/run/Filter.h"
#include "host/storage/StorageElement.h"
#include "plugin/tests/bp/CConfigIBP.h"
#include "plugin/tests/bp/CConfigPBP.h"
#include "plugin/tests/bp/CResultBP.h"
#include "tests/support/plugin/StoredResult.h"

#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::JudgedElement;
using ostrel::StorageDocument;
using ostrel::Variant;

namespace {

QStringList keys(CResultBP& result)
{
    QStringList out;
    for (int i = 1; i <= result.MeasurementCount(); ++i)
        out << result.Measurement(Variant(i))->Key();
    return out;
}

// A preset configuration simulating 120/80, MAP 93, 60 BPM.
std::shared_ptr<CConfigPBP> presetConfig()
{
    auto config = std::make_shared<CConfigPBP>();
    config->SetTestType(btPreset);
    config->StorePresetValue("120;80;93;60;2");
    return config;
}

void enter(CResultBP& result, const QString& key, const Variant& value) { result.Find(key)->SetValue(value); }

TEST(ResultBP, MeasurementsFollowTheConfiguration)
{
    CResultBP independent;
    CConfigIBP ibp;
    independent.InitMeasurements(&ibp);
    EXPECT_EQ(keys(independent), (QStringList{"SYST", "DIAS", "HART"}));
    EXPECT_EQ(independent.Find("HART")->Unit(), "BPM");
    EXPECT_EQ(independent.Find("HART")->PresetValue().text(), "80");

    CResultBP preset;
    auto pbp = presetConfig();
    preset.InitMeasurements(pbp.get());
    EXPECT_EQ(keys(preset), (QStringList{"SYST", "DIAS", "HART", "MAPR"}));
    EXPECT_EQ(preset.Find("MAPR")->ValueFormat(), "0.0");
    EXPECT_EQ(preset.Find("MAPR")->ValueType(), CMeasurement::kNumeric1);
    EXPECT_EQ(preset.Find("SYST")->ValueType(), CMeasurement::kNumeric2);
    EXPECT_EQ(preset.Find("MAPR")->Description(), "MAP");

    // A second call refreshes the simulated values and keeps the readings, one row per key.
    enter(preset, "SYST", Variant(118.0f));
    pbp->StorePresetValue("SYST", Variant(130));
    preset.InitMeasurements(pbp.get());
    EXPECT_EQ(preset.MeasurementCount(), 4);
    EXPECT_EQ(preset.Find("SYST")->PresetValue().text(), "130");
    EXPECT_EQ(preset.Find("SYST")->Value().val(), 118.0);

    // Without a configuration the rows exist, without simulated values.
    CResultBP bare;
    bare.InitMeasurements(nullptr);
    EXPECT_EQ(keys(bare), (QStringList{"SYST", "DIAS", "HART"}));
}

TEST(ResultBP, ReadingsAreJudgedAgainstAbsoluteAndPercentLimits)
{
    JudgedElement judged(CTestBP::kPresetTestId);
    judged.limit("SYST", 10.0f, -10.0f, "%"); // 108 .. 132 around the simulated 120
    judged.limit("HART", 65.0f, 55.0f);
    auto config = presetConfig();
    struct Case {
        float systolic;
        float heartRate;
        std::int32_t status;
    };
    for (const Case& c : {Case{131.0f, 60.0f, 1}, Case{133.0f, 60.0f, 2}, Case{107.0f, 60.0f, 2}, Case{120.0f, 66.0f, 2},
                          Case{108.0f, 55.0f, 1}}) {
        CResultBP result;
        result.InitMeasurements(config.get());
        enter(result, "SYST", Variant(c.systolic));
        enter(result, "HART", Variant(c.heartRate));
        result.EvaluateStatus(judged.element->Limits(), judged.selected, false);
        EXPECT_EQ(result.Status(), c.status) << c.systolic << " " << c.heartRate;
        EXPECT_EQ(result.Find("DIAS")->Status(), 0); // nothing entered
    }

    // Nothing entered is no failure, and no pass either; not applicable empties the result.
    CResultBP empty;
    empty.InitMeasurements(config.get());
    empty.EvaluateStatus(judged.element->Limits(), judged.selected, false);
    EXPECT_EQ(empty.Status(), 0);
    empty.EvaluateStatus(judged.element->Limits(), judged.selected, true);
    EXPECT_EQ(empty.Status(), 3);
    EXPECT_EQ(empty.MeasurementCount(), 0);
    EXPECT_FALSE(empty.Measurement(Variant(1)));
}

TEST(ResultBP, ServiceRecordListsTheReadings)
{
    JudgedElement judged(CTestBP::kPresetTestId);
    judged.limit("DIAS", 85.0f, std::nullopt);
    auto filter = std::make_shared<ostrel::Filter>();
    filter->SetServiceRecordWanted(true);

    CResultBP result;
    auto config = presetConfig();
    result.InitMeasurements(config.get());
    result.BuildServiceRecord(filter);
    EXPECT_FALSE(result.ServiceRecord()); // not evaluated yet

    enter(result, "SYST", Variant(121.0f));
    enter(result, "DIAS", Variant(90.0f));
    enter(result, "MAPR", Variant(93.5f));
    result.EvaluateStatus(judged.element->Limits(), judged.selected, false);
    result.BuildServiceRecord(filter);
    ASSERT_TRUE(result.ServiceRecord());
    EXPECT_EQ(result.ServiceRecord()->StatusText(), "F");
    EXPECT_EQ(result.ServiceRecord()->Comment(), "/121/90/93.5");

    result.EvaluateStatus(judged.element->Limits(), judged.selected, true);
    result.BuildServiceRecord(filter);
    EXPECT_EQ(result.ServiceRecord()->StatusText(), "NA");

    CResultBP unwanted;
    unwanted.InitMeasurements(config.get());
    unwanted.EvaluateStatus(nullptr, nullptr, false);
    unwanted.BuildServiceRecord(std::make_shared<ostrel::Filter>());
    EXPECT_FALSE(unwanted.ServiceRecord());
}

TEST(ResultBP, StoredFormRoundTrip)
{
    CResultBP result;
    auto config = presetConfig();
    result.InitMeasurements(config.get());
    enter(result, "SYST", Variant(119.0f));
    enter(result, "MAPR", Variant(92.5f));
    result.MarkMeasurements("I");
    result.EvaluateStatus(nullptr, nullptr, false);
    result.SetComment("cuff slipped once");
    result.SetMTIID(2);
    EXPECT_TRUE(result.HasDialog());

    auto document = StorageDocument::Create();
    const ostrel::StorageElement stored = result.Save(document);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.Name(), "ResultItem");
    EXPECT_EQ(stored.Attribute("MTI"), "2");
    EXPECT_EQ(stored.FirstChild("Comment").Text(), "cuff slipped once");

    CResultBP loaded;
    auto progress = std::make_shared<ostrel::Progress>();
    loaded.Load(stored, progress);
    EXPECT_EQ(loaded.Status(), 4); // readings flagged "I" are incomplete, and stay so when reopened
    EXPECT_EQ(loaded.MTIID(), 2);
    EXPECT_EQ(loaded.Comment(), "cuff slipped once");
    // Rows without a reading are not stored.
    EXPECT_EQ(keys(loaded), (QStringList{"SYST", "MAPR"}));
    EXPECT_EQ(loaded.Find("MAPR")->Value().val(), 92.5);
    EXPECT_EQ(loaded.Find("SYST")->PresetValue().val(), 120.0);
    EXPECT_EQ(loaded.Find("SYST")->Flags(), "I");
    EXPECT_EQ(progress->OpenStepCount(), 0);
}

TEST(ResultBP, LoadingEdgeCases)
{
    auto document = StorageDocument::Create();
    CResultBP result;
    auto config = presetConfig();
    result.InitMeasurements(config.get());
    result.SetComment("old");
    result.Load(document->CreateElement("ResultItem"), nullptr);
    EXPECT_EQ(result.Status(), 0);
    EXPECT_TRUE(result.Comment().isEmpty());
    EXPECT_FALSE(result.HasDialog());
    EXPECT_EQ(result.MeasurementCount(), 0);

    // A measurement without a key is left out; the next one still loads.
    ostrel::StorageElement item = document->CreateElement("ResultItem");
    item.AppendChild(document->CreateElement("Measurement"));
    ostrel::StorageElement good = document->CreateElement("Measurement");
    good.SetAttribute("Key", "DIAS");
    item.AppendChild(good);
    auto progress = std::make_shared<ostrel::Progress>();
    result.Load(item, progress);
    EXPECT_EQ(keys(result), (QStringList{"DIAS"}));
    EXPECT_EQ(progress->OpenStepCount(), 0);

    try {
        result.Load(document->CreateElement("PlugInData"), progress);
        ADD_FAILURE() << "loaded a configuration as a result";
    } catch (const ostrel::ComError& failure) {
        EXPECT_EQ(failure.number(), CResultBP::kLoadError);
        EXPECT_EQ(failure.source(), CResultBP::kSource);
    }
    EXPECT_EQ(progress->OpenStepCount(), 0);
    try {
        result.Save(nullptr);
        ADD_FAILURE() << "saved without a document";
    } catch (const ostrel::ComError& failure) {
        EXPECT_EQ(failure.number(), CResultBP::kSaveError);
    }
}

TEST(ResultBP, ReportTablesOfResultAndConfigurations)
{
    CResultBP result;
    auto config = presetConfig();
    config->SetSelectedPreset(3);
    result.InitMeasurements(config.get());
    enter(result, "SYST", Variant(119.0f));
    result.EvaluateStatus(nullptr, nullptr, false);

    auto report = std::make_shared<nb4410::testing::RecordingReport>();
    result.PrintReport(report);
    config->PrintReport(report);
    CConfigIBP independent;
    independent.SetArrhythmiaSim(3);
    independent.PrintReport(report);
    ASSERT_EQ(report->tables.size(), 3);
    // (9760 - 3360) / 4 = 1600 twips for each of the four middle columns.
    EXPECT_EQ(report->formats[0], "<+560|<2240|>+1600|>+1600|^+1600|<+!1600|<+560;");
    EXPECT_EQ(report->headings[0],
              "|{\\i\\b Result:}|{\\i\\b Preset value}|{\\i\\b Recorded value}|{\\i\\b Unit};");
    EXPECT_TRUE(report->tables[0].startsWith("|      Systolic|120|119|mmHg;")) << qPrintable(report->tables[0]);
    EXPECT_EQ(report->formats[1], "<+560|<2240|<+1600|<+1600|<+1600|<+!1600|<+560;");
    EXPECT_EQ(report->headings[1], "|{\\i\\b Configuration};");
    EXPECT_EQ(report->tables[1], "|Selected Preset      |3;|Pulse Pressure      |2.00 mmHg;");
    EXPECT_EQ(report->tables[2], "|Pulse Pressure      |2.0 mmHg;|Arrhythmia Simulation      |AFIB;");
    EXPECT_EQ(report->settings.mid(0, 3), (QStringList{"font 10", "space 0", "ruled 1"}));
}

TEST(ResultBP, AKeyStoredTwiceRefusesTheDocument)
{
    CResultBP result;
    nb4410::testing::expectDuplicateKeyRefused(result, "SYST", CResultBP::kSource);
}

} // namespace
