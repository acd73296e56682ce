#pragma once
// The stored form all results of the plug-in share: a configuration's root is refused.
#include "host/contract/IResultData.h"
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

} // namespace nb4410::testing
