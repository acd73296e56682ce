// The over-pressure configuration: what it hands the instrument and the window, its stored
// form and when loading it warns.
#include "host/core/ErrorService.h"
#include "host/results/Progress.h"
#include "host/results/Report.h"
#include "host/storage/StorageElement.h"
#include "plugin/tests/overpressure/CConfigOverPressure.h"
#include "tests/support/TextLists.h"
#include "tests/support/plugin/StoredConfig.h"

#include "tests/support/plugin/ReportCells.h"

#include <gtest/gtest.h>

using namespace nb4410;
using ostrel::StorageDocument;

namespace {

using ostrel::testing::texts;
using namespace nb4410::testing;

// The default parameter block the contract suite holds for every type.
TEST(ConfigOverPressure, NewObjectHoldsTheDefaultsAndGivesItsInformation)
{
    CConfigOverPressure config;
    EXPECT_EQ(config.InflatePressure(), 250.0f);
    ASSERT_TRUE(config.TestGuideConfig());
    EXPECT_TRUE(config.TestGuideConfig()->SkipNAEnabled());

    config.SetInflatePressure(182.5f);
    EXPECT_EQ(texts(config.TestParameters()), (QStringList{"400", "182.5"}));
    const ostrel::VariantArray rows = config.ConfigurationInformation();
    ASSERT_EQ(rows.rows(), 1);
    EXPECT_EQ(rows.at(0, 0).text(), "Inflate Pressure");
    EXPECT_EQ(rows.at(0, 1).text(), "182.5 mmHg");
}

TEST(ConfigOverPressure, SaveThenLoadReproducesPressureAndSettings)
{
    CConfigOverPressure config;
    config.SetInflatePressure(320.0f);
    config.TestGuideSettings()->SetOption(ostrel::TestGuideSettings::kSkipNA, false);
    auto document = StorageDocument::Create();
    CConfigOverPressure loaded;
    const ostrel::StorageElement stored = saveAndLoadInto(config, loaded, document);
    EXPECT_EQ(stored.FirstChild("InflatePressure").Text(), "320");
    EXPECT_TRUE(stored.FirstChild("TestGuideSettings"));
    EXPECT_EQ(loaded.InflatePressure(), 320.0f);
    EXPECT_FALSE(loaded.TestGuideSettings()->SkipNAEnabled());
}

TEST(ConfigOverPressure, OnlyAConfigurationWithNeitherValueWarns)
{
    struct Case {
        const char* what;
        const char* pressureText; // nullptr: no "InflatePressure" child
        bool settings;
        float pressure;
        size_t warnings;
    };
    for (const Case& c : {Case{"settings alone", nullptr, true, 250.0f, 0u}, Case{"empty pressure", "", false, 250.0f, 1u},
                          Case{"nothing", nullptr, false, 250.0f, 1u}, Case{"pressure alone", "150", false, 150.0f, 0u}}) {
        auto document = StorageDocument::Create();
        ostrel::StorageElement element = document->CreateElement("PlugInData");
        if (c.pressureText)
            element.AddChild("InflatePressure", c.pressureText);
        if (c.settings)
            element.AppendChild(ostrel::TestGuideSettings().Save(document));

        CConfigOverPressure config;
        config.SetInflatePressure(99.0f);
        config.TestGuideSettings()->SetOption(0, false);
        auto progress = std::make_shared<ostrel::Progress>();
        config.Load(element, progress);
        EXPECT_EQ(config.InflatePressure(), c.pressure) << c.what;
        EXPECT_TRUE(config.TestGuideSettings()->SkipNAEnabled()) << c.what; // a fresh settings object
        if (c.warnings)
            expectOneMissingParameterWarning(*progress, c.what);
        else
            EXPECT_TRUE(progress->Log().empty()) << c.what;
        EXPECT_EQ(progress->OpenStepCount(), 0) << c.what;
    }
}

TEST(ConfigOverPressure, APressureNoEditorAcceptsIsRefusedAndTheDefaultKept)
{
    for (const char* text : {"150abc", "abc", "1e308", "-1", "401", "nan"}) {
        auto document = StorageDocument::Create();
        ostrel::StorageElement element = document->CreateElement("PlugInData");
        element.AddChild("InflatePressure", text);
        CConfigOverPressure config;
        auto progress = std::make_shared<ostrel::Progress>();
        config.Load(element, progress);
        EXPECT_EQ(config.InflatePressure(), 250.0f) << text;
        EXPECT_EQ(progress->WorstSeverity(), 3) << text;
        ASSERT_FALSE(progress->Log().empty()) << text;
        EXPECT_TRUE(progress->Log()[0].text.startsWith(QStringLiteral("InflatePressure \"%1\" is refused: allowed are 0 to 400")
                                                          .arg(QString::fromLatin1(text))))
            << progress->Log()[0].text.toStdString();
    }
}

TEST(ConfigOverPressure, ReportHasOneRowWithThePressureInWholeMmHg)
{
    CConfigOverPressure config;
    config.SetInflatePressure(249.6f);
    auto report = std::make_shared<ostrel::Report>();
    config.PrintReport(report);
    ASSERT_EQ(report->Tables().size(), 1u);
    const auto& table = report->Tables()[0];
    EXPECT_EQ(table.columns.size(), 7u);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(cellTexts(table.rows)[0], (QStringList{"", "Inflate Pressure", "250 mmHg"}));
}

} // namespace
