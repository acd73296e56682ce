#pragma once
// The stored form all configurations of the plug-in share: "PlugInData" of the plug-in, loaded
// back without a warning, one warning for a restored default, and a result's root refused
// without leaving a step open.
#include "host/contract/IConfigData.h"
#include "host/results/Progress.h"
#include "host/storage/StorageElement.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>
#include <string>

namespace nb4410::testing {

// Saves config into document and loads what was stored into loaded; the stored form it returns
// is there for checks of the class's own children.
inline ostrel::StorageElement saveAndLoadInto(ostrel::IConfigData& config, ostrel::IConfigData& loaded,
                                              const ostrel::StorageDocumentPtr& document)
{
    const ostrel::StorageElement stored = config.Save(document);
    if (!stored) {
        ADD_FAILURE() << "nothing was stored";
        return stored;
    }
    EXPECT_EQ(stored.Name(), "PlugInData");
    EXPECT_EQ(stored.Attribute("PlugIn"), "NB-4410");
    auto progress = std::make_shared<ostrel::Progress>();
    loaded.Load(stored, progress);
    EXPECT_TRUE(progress->Log().empty());
    EXPECT_EQ(progress->OpenStepCount(), 0);
    return stored;
}

inline void expectOneMissingParameterWarning(const ostrel::Progress& progress, const std::string& what = {})
{
    ASSERT_EQ(progress.Log().size(), 1u) << what;
    EXPECT_EQ(progress.Log()[0].number, ostrel::hr(0x8004A3C2u)) << what;
    EXPECT_EQ(progress.Log()[0].text, "Configuration parameter missing. Default value restored.") << what;
    EXPECT_EQ(progress.OpenStepCount(), 0) << what;
}

inline void expectResultRootRefused(ostrel::IConfigData& config, ostrel::HResult number, const QString& source)
{
    auto document = ostrel::StorageDocument::Create();
    auto progress = std::make_shared<ostrel::Progress>();
    const auto error = ostrel::testing::errorOf([&] { config.Load(document->CreateElement("ResultItem"), progress); });
    EXPECT_EQ(progress->OpenStepCount(), 0);
    ASSERT_TRUE(error) << "loaded a result as a configuration";
    EXPECT_EQ(error->number(), number);
    EXPECT_EQ(error->source(), source);
}

// A clone's test-guide settings are its own: changing them leaves the original's.
template <class TConfig>
void expectOwnSettings(TConfig& original, TConfig& copy)
{
    ASSERT_NE(copy.TestGuideSettings(), original.TestGuideSettings());
    copy.TestGuideSettings()->SetOption(0, false);
    EXPECT_TRUE(original.TestGuideSettings()->SkipNAEnabled());
}

} // namespace nb4410::testing
