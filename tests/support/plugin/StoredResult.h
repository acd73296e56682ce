#pragma once
// The stored form all results of the plug-in share: a configuration's root is refused.
#include "host/contract/IResultData.h"
#include "host/results/Progress.h"
#include "host/storage/StorageElement.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>

namespace nb4410::testing {

inline void expectConfigRootRefused(ostrel::IResultData& result, ostrel::HResult number, const QString& source)
{
    auto document = ostrel::StorageDocument::Create();
    const auto error = ostrel::testing::errorOf([&] { result.Load(document->CreateElement("PlugInData"), nullptr); });
    ASSERT_TRUE(error) << "loaded a configuration as a result";
    EXPECT_EQ(error->number(), number);
    EXPECT_EQ(error->source(), source);
}

// A result holding one key twice is refused with the key named, and the progress step is closed.
inline void expectDuplicateKeyRefused(ostrel::IResultData& result, const QString& key, const QString& source)
{
    auto document = ostrel::StorageDocument::Create();
    ostrel::StorageElement item = document->CreateElement("ResultItem");
    for (const char* value : {"1", "2"}) {
        ostrel::StorageElement measurement = document->CreateElement("Measurement");
        measurement.SetAttribute("Key", key);
        measurement.AddChild("Value", value);
        item.AppendChild(measurement);
    }
    auto progress = std::make_shared<ostrel::Progress>();
    const auto error = ostrel::testing::errorOf([&] { result.Load(item, progress); });
    ASSERT_TRUE(error) << "a key stored twice was taken";
    EXPECT_EQ(error->number(), 457);
    EXPECT_EQ(error->source(), source);
    EXPECT_TRUE(error->description().contains(key)) << qPrintable(error->description());
    EXPECT_EQ(progress->OpenStepCount(), 0);
}

} // namespace nb4410::testing
