// The cuff-volume configuration and result: stored forms, the missing-settings warning, the
// one measurement and its evaluation.
#include "host/contract/IServiceRecord.h"
#include "host/contract/IStandards.h"
#include "host/core/ClassRegistry.h"
#include "host/core/ErrorService.h"
#include "host/results/Progress.h"
#include "host/results/Report.h"
#include "host/results/Standards.h"
#include "host/run/Filter.h"
#include "host/storage/StorageElement.h"
#include "plugin/measure/CNB4410LimitData.h"
#include "plugin/measure/MLimitUtils.h"
#include "plugin/tests/cuffvolume/CConfigCuffVolume.h"
#include "plugin/tests/cuffvolume/CResultCuffVolume.h"
#include "tests/support/plugin/StoredConfig.h"

#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::StorageDocument;
using ostrel::Variant;
using namespace nb4410::testing;

namespace {

int countChildren(const ostrel::StorageElement& element, const char* name)
{
    int count = 0;
    for (int i = 0; i < element.ChildCount(); ++i)
        count += element.Child(i).Name() == name ? 1 : 0;
    return count;
}

TEST(ConfigCuffVolume, IsCreatableAndKeepsItsSettingsThroughSaveLoadAndClone)
{
    auto created = ostrel::ClassRegistry::instance().CreateAs<ostrel::IConfigData>("OstrelNB4410.CConfigCuffVolume");
    auto config = std::dynamic_pointer_cast<CConfigCuffVolume>(created);
    ASSERT_TRUE(config);
    EXPECT_TRUE(config->HasDialog());
    config->TestGuideSettings()->SetOption(ostrel::TestGuideSettings::kSkipNA, false);

    auto document = StorageDocument::Create();
    CConfigCuffVolume loaded;
    const ostrel::StorageElement stored = saveAndLoadInto(*config, loaded, document);
    EXPECT_EQ(stored.ChildCount(), 1);
    EXPECT_FALSE(loaded.TestGuideConfig()->SkipNAEnabled());

    auto copy = std::dynamic_pointer_cast<CConfigCuffVolume>(config->Clone());
    ASSERT_NE(copy->TestGuideSettings(), config->TestGuideSettings());
    EXPECT_FALSE(copy->TestGuideSettings()->SkipNAEnabled());
}

TEST(ConfigCuffVolume, WithoutSettingsLoadsFreshOnesAndWarnsOnce)
{
    auto document = StorageDocument::Create();
    CConfigCuffVolume config;
    config.TestGuideSettings()->SetOption(0, false);
    auto progress = std::make_shared<ostrel::Progress>();
    config.Load(document->CreateElement("PlugInData"), progress);
    EXPECT_TRUE(config.TestGuideSettings()->SkipNAEnabled());
    expectOneMissingParameterWarning(*progress);
    expectResultRootRefused(config, CConfigCuffVolume::kLoadError, "NB4410Tests.CConfigCuffVolume");
}

TEST(ConfigCuffVolume, PrintsNothing)
{
    auto report = std::make_shared<ostrel::Report>();
    CConfigCuffVolume().PrintReport(report);
    EXPECT_TRUE(report->Tables().empty());
}

TEST(ResultCuffVolume, OneMeasurementWhateverTheIndex)
{
    CResultCuffVolume result;
    EXPECT_EQ(result.MeasurementCount(), 1);
    for (const Variant& index : {Variant(1), Variant(7), Variant("DROP"), Variant()}) {
        ASSERT_TRUE(result.Measurement(index));
        EXPECT_EQ(result.Measurement(index)->Key(), "CVOL");
    }
    EXPECT_EQ(result.CuffVolume()->Unit(), "ccm");
    EXPECT_EQ(result.CuffVolume()->ValueType(), 2);
}

TEST(ResultCuffVolume, VolumeIsJudgedAgainstTheSelectedStandard)
{
    auto limits = std::make_shared<CNB4410LimitData>();
    auto standard = limits->CreateStandard(Variant("ISO"), Variant("ISO 81060"));
    MLimitUtils::AddLimit(standard, "CVOL", "ccm");
    for (const auto& item : standard->LimitItems()) {
        item->SetLimit(0, 200.0f);
        item->SetLimit(1, 100.0f);
    }
    auto selected = std::make_shared<ostrel::Standards>();
    selected->Add(standard);
    struct Case {
        float volume;
        std::int32_t status;
    };
    for (const Case& c : {Case{140.0f, 1}, Case{90.0f, 2}, Case{210.0f, 2}}) {
        CResultCuffVolume result;
        result.SetCuffVolume(c.volume);
        result.EvaluateStatus(limits, selected, false);
        EXPECT_EQ(result.Status(), c.status) << c.volume;
    }
    // Without a value there is no verdict; not applicable wins over everything.
    CResultCuffVolume empty;
    empty.EvaluateStatus(limits, selected, false);
    EXPECT_EQ(empty.Status(), 0);
    empty.EvaluateStatus(limits, selected, true);
    EXPECT_EQ(empty.Status(), 3);
}

TEST(ResultCuffVolume, ServiceRecordHoldsTheVolume)
{
    CResultCuffVolume result;
    result.SetCuffVolume(143.0f);
    result.EvaluateStatus(nullptr, nullptr, false);
    result.BuildServiceRecord(std::make_shared<ostrel::Filter>(true));
    ASSERT_TRUE(result.ServiceRecord());
    EXPECT_EQ(result.ServiceRecord()->StatusText(), "");
    EXPECT_EQ(result.ServiceRecord()->Comment(), "/143");

    CResultCuffVolume notApplicable;
    notApplicable.EvaluateStatus(nullptr, nullptr, true);
    notApplicable.BuildServiceRecord(std::make_shared<ostrel::Filter>(true));
    ASSERT_TRUE(notApplicable.ServiceRecord());
    EXPECT_EQ(notApplicable.ServiceRecord()->StatusText(), "NA");
    EXPECT_EQ(notApplicable.ServiceRecord()->Comment(), "");
}

TEST(ResultCuffVolume, StoredFormRoundTripKeepsVolumeAndFormat)
{
    CResultCuffVolume result;
    result.SetCuffVolume(139.6f);
    result.EvaluateStatus(nullptr, nullptr, false);
    result.SetMTIID(1);
    result.SetComment("new cuff");
    auto document = StorageDocument::Create();
    const ostrel::StorageElement stored = result.Save(document);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.Attribute("MTI"), "1");
    EXPECT_EQ(countChildren(stored, "Measurement"), 1);

    CResultCuffVolume loaded;
    loaded.Load(stored, std::make_shared<ostrel::Progress>());
    EXPECT_EQ(loaded.Status(), 5); // measured without limits: not judged
    EXPECT_EQ(loaded.MTIID(), 1);
    EXPECT_EQ(loaded.Comment(), "new cuff");
    EXPECT_NEAR(loaded.CuffVolume()->Value().val(), 139.6, 1e-4);
    EXPECT_EQ(loaded.CuffVolume()->ValueFormat(), "0");
}

TEST(ResultCuffVolume, AStoppedRunStoresNoMeasurementAndARunAfterLoadingStoresItsVolume)
{
    CResultCuffVolume stopped;
    stopped.Clear();
    auto document = StorageDocument::Create();
    const ostrel::StorageElement stored = stopped.Save(document);
    EXPECT_EQ(countChildren(stored, "Measurement"), 0);

    CResultCuffVolume loaded;
    loaded.Load(stored, nullptr);
    EXPECT_EQ(loaded.MeasurementCount(), 1);
    EXPECT_EQ(loaded.Status(), 0);
    EXPECT_EQ(loaded.CuffVolume()->Key(), "CVOL");
    EXPECT_TRUE(loaded.CuffVolume()->Value().isEmptyOrNull());

    loaded.Clear();
    loaded.SetCuffVolume(150.0f);
    loaded.EvaluateStatus(nullptr, nullptr, false);
    EXPECT_EQ(countChildren(loaded.Save(document), "Measurement"), 1);
}

TEST(ResultCuffVolume, AForeignStoredMeasurementIsReplacedAtTheNextRun)
{
    auto document = StorageDocument::Create();
    ostrel::StorageElement stored = document->CreateElement("ResultItem");
    ostrel::StorageElement measurement = stored.AddChild("Measurement", "");
    measurement.SetAttribute("Key", "XVOL");
    CResultCuffVolume result;
    result.Load(stored, nullptr);
    EXPECT_EQ(result.CuffVolume()->Key(), "XVOL");
    result.Clear();
    EXPECT_EQ(result.CuffVolume()->Key(), "CVOL");
    EXPECT_EQ(result.MeasurementCount(), 1);
}

TEST(ResultCuffVolume, WrongRootFailsWithItsNumberAndSource)
{
    auto document = StorageDocument::Create();
    CResultCuffVolume result;
    try {
        result.Load(document->CreateElement("PlugInData"), nullptr);
        FAIL();
    } catch (const ostrel::ComError& failure) {
        EXPECT_EQ(failure.number(), CResultCuffVolume::kLoadError);
        EXPECT_EQ(failure.source(), "VessorNB4410.CResultCuffVolume");
    }
}

} // namespace
