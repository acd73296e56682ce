// The leak configuration: what it hands the instrument and the window, and its stored form.
#include "host/core/ErrorService.h"
#include "host/results/Progress.h"
#include "host/storage/StorageElement.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "tests/support/plugin/StoredConfig.h"

#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::StorageDocument;

namespace {

using namespace nb4410::testing;

// The default parameter block the contract suite holds for every type.
TEST(ConfigLeak, NewObjectHoldsTheDefaults)
{
    CConfigLeak config;
    EXPECT_EQ(config.StartPressure(), 250.0f);
    EXPECT_EQ(config.TestedEquipment(), 1);
    EXPECT_EQ(config.Duration(), 60);
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
    element.AddChild("Duration", "31");
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

TEST(ConfigLeak, ValuesNoEditorAcceptsAreRefusedAndTheDefaultsKept)
{
    struct Case {
        const char* field;
        const char* text;
        const char* range;
    };
    for (const Case& c : {Case{"StartPressure", "abc", "0 to 400"}, Case{"StartPressure", "1e308", "0 to 400"},
                          Case{"StartPressure", "nan", "0 to 400"}, Case{"StartPressure", "-5", "0 to 400"},
                          Case{"TestedEquipment", "9", "1 to 3"}, Case{"TestedEquipment", "1.5", "1 to 3"},
                          Case{"Duration", "-60", "0 to 300"}, Case{"Duration", "30.6", "0 to 300"},
                          Case{"Duration", "301", "0 to 300"}}) {
        auto document = StorageDocument::Create();
        ostrel::StorageElement element = document->CreateElement("PlugInData");
        for (const char* field : {"StartPressure", "TestedEquipment", "Duration"})
            element.AddChild(field, QLatin1String(field) == QLatin1String(c.field) ? c.text : "2");
        CConfigLeak config;
        auto progress = std::make_shared<ostrel::Progress>();
        config.Load(element, progress);
        const std::string what = std::string(c.field) + " " + c.text;
        EXPECT_EQ(config.StartPressure(), QLatin1String(c.field) == QLatin1String("StartPressure") ? 250.0f : 2.0f) << what;
        EXPECT_EQ(config.TestedEquipment(), QLatin1String(c.field) == QLatin1String("TestedEquipment") ? 1 : 2) << what;
        EXPECT_EQ(config.Duration(), QLatin1String(c.field) == QLatin1String("Duration") ? 60 : 2) << what;
        ASSERT_FALSE(progress->Log().empty()) << what;
        EXPECT_EQ(progress->Log()[0].severity, 3) << what;
        EXPECT_EQ(progress->Log()[0].text, QStringLiteral("%1 \"%2\" is refused: allowed are %3. The default value is kept.")
                                               .arg(QLatin1String(c.field), QLatin1String(c.text), QLatin1String(c.range)))
            << what;
    }
}

} // namespace
