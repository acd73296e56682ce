// The leak configuration: what it hands the instrument and the window, and its stored form.
#include "host/core/ErrorService.h"
#include "host/results/Progress.h"
#include "host/storage/StorageElement.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "tests/support/TextLists.h"
#include "tests/support/plugin/StoredConfig.h"

#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::StorageDocument;

namespace {

using ostrel::testing::texts;
using namespace nb4410::testing;

TEST(ConfigLeak, NewObjectHoldsDefaultsAndTheirParameterSet)
{
    CConfigLeak config;
    EXPECT_EQ(config.StartPressure(), 250.0f);
    EXPECT_EQ(config.TestedEquipment(), 1);
    EXPECT_EQ(config.Duration(), 60);
    EXPECT_EQ(texts(config.TestParameters()), (QStringList{"300", "250", "1", "60"}));
    ASSERT_TRUE(config.TestGuideSettings());
    EXPECT_TRUE(config.TestGuideSettings()->SkipNAEnabled());
}

TEST(ConfigLeak, DisplayTexts)
{
    struct Case {
        std::int32_t duration;
        QString text;
    };
    for (const Case& c : {Case{0, "(continuous)"}, Case{-5, "(continuous)"}, Case{60, "01:00"}, Case{605, "10:05"},
                          Case{6000, "100:00"}}) {
        CConfigLeak config;
        config.SetDuration(c.duration);
        EXPECT_EQ(config.DurationText(), c.text) << c.duration;
    }
    struct Equipment {
        std::int32_t value;
        QString translated;
        QString raw;
    };
    for (const Equipment& e : {Equipment{1, "Cuff", "20450::Cuff"}, Equipment{2, "Monitor", "20451::Monitor"},
                               Equipment{3, "Cuff and Monitor", "20452::Cuff and Monitor"}, Equipment{4, "", ""}}) {
        CConfigLeak config;
        config.SetTestedEquipment(e.value);
        EXPECT_EQ(config.TestedEquipmentText(true), e.translated);
        EXPECT_EQ(config.TestedEquipmentText(false), e.raw);
    }
}

TEST(ConfigLeak, InformationTableShowsTheThreeSettings)
{
    CConfigLeak config;
    config.SetStartPressure(180.5f);
    config.SetTestedEquipment(3);
    config.SetDuration(0);
    const ostrel::VariantArray rows = config.ConfigurationInformation();
    ASSERT_EQ(rows.rows(), 3);
    EXPECT_EQ(rows.at(0, 0).text(), "Start Pressure");
    EXPECT_EQ(rows.at(0, 1).text(), "180.5 mmHg");
    EXPECT_EQ(rows.at(1, 1).text(), "Cuff and Monitor");
    EXPECT_EQ(rows.at(2, 0).text(), "Duration");
    EXPECT_EQ(rows.at(2, 1).text(), "(continuous)");
}

TEST(ConfigLeak, SaveThenLoadReproducesValuesAndSettings)
{
    CConfigLeak config;
    config.SetStartPressure(120.0f);
    config.SetTestedEquipment(2);
    config.SetDuration(0);
    config.TestGuideSettings()->SetOption(ostrel::TestGuideSettings::kSkipNA, false);
    auto document = StorageDocument::Create();
    CConfigLeak loaded;
    const ostrel::StorageElement stored = saveAndLoadInto(config, loaded, document);
    EXPECT_EQ(stored.FirstChild("StartPressure").Text(), "120");
    EXPECT_EQ(loaded.StartPressure(), 120.0f);
    EXPECT_EQ(loaded.TestedEquipment(), 2);
    EXPECT_EQ(loaded.Duration(), 0);
    EXPECT_FALSE(loaded.TestGuideSettings()->SkipNAEnabled());
}

TEST(ConfigLeak, MissingChildrenKeepDefaultsAndWarnOnce)
{
    auto document = StorageDocument::Create();
    ostrel::StorageElement element = document->CreateElement("PlugInData");
    element.AddChild("StartPressure", "200");
    element.AddChild("Duration", "30.6");
    element.AddChild("Unknown", "1");

    CConfigLeak config;
    config.SetTestedEquipment(3);
    config.TestGuideSettings()->SetOption(0, false);
    auto progress = std::make_shared<ostrel::Progress>();
    config.Load(element, progress);
    EXPECT_EQ(config.StartPressure(), 200.0f);
    EXPECT_EQ(config.Duration(), 31);
    EXPECT_EQ(config.TestedEquipment(), 1);
    EXPECT_TRUE(config.TestGuideSettings()->SkipNAEnabled()); // a fresh settings object
    expectOneMissingParameterWarning(*progress);

    // Without a progress object nothing is reported and the load still succeeds.
    CConfigLeak quiet;
    quiet.Load(element, nullptr);
    EXPECT_EQ(quiet.StartPressure(), 200.0f);
}

TEST(ConfigLeak, WrongRootFailsAfterClosingTheStep)
{
    CConfigLeak config;
    config.SetDuration(5);
    expectResultRootRefused(config, CConfigLeak::kLoadError, CConfigLeak::kSource);
    EXPECT_EQ(config.Duration(), 5); // nothing was reset
}

TEST(ConfigLeak, CloneIsIndependent)
{
    CConfigLeak config;
    config.SetStartPressure(99.0f);
    config.SetTestedEquipment(2);
    config.SetDuration(10);
    auto copy = std::dynamic_pointer_cast<CConfigLeak>(config.Clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->StartPressure(), 99.0f);
    EXPECT_EQ(copy->TestedEquipment(), 2);
    EXPECT_EQ(copy->Duration(), 10);
    expectOwnSettings(config, *copy);
}

} // namespace
