// The element core and the host's run objects: what they keep, copy and store.
#include "host/core/ErrorService.h"
#include "host/run/ElementCore.h"
#include "host/run/Filter.h"
#include "host/run/RunContext.h"
#include "host/run/ServiceRecord.h"
#include "host/run/TestGuideSettings.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CResultLeak.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

std::shared_ptr<ElementCore> leakCore()
{
    auto core = std::make_shared<ElementCore>();
    core->Initialize("NB-4410", 300, 9);
    core->SetConfiguration(std::make_shared<nb4410::CConfigLeak>());
    core->SetResultFactory([] { return std::make_shared<nb4410::CResultLeak>(); });
    return core;
}

TEST(ElementCore, CloneCopiesDeeplyAndLeavesTheResultBehind)
{
    auto core = leakCore();
    core->Info()->SetName("Leak");
    core->Filter()->SetServiceRecordWanted(true);
    core->SetResult(std::make_shared<nb4410::CResultLeak>());
    auto copy = core->Clone();
    EXPECT_EQ(copy->TestID(), 300);
    EXPECT_EQ(copy->ID(), 9);
    EXPECT_EQ(copy->Info()->Name(), "Leak");
    EXPECT_NE(copy->Info(), core->Info());
    EXPECT_TRUE(copy->Filter()->ServiceRecordWanted());
    EXPECT_NE(copy->Configuration(), core->Configuration());
    EXPECT_TRUE(copy->Configuration());
    EXPECT_FALSE(copy->Result());
}

TEST(ElementCore, SaveAndLoadDispatchThePartsByName)
{
    auto core = leakCore();
    std::dynamic_pointer_cast<nb4410::CConfigLeak>(core->Configuration())->SetDuration(17);
    auto result = std::make_shared<nb4410::CResultLeak>();
    result->EvaluateStatus(nullptr, nullptr, true);
    core->SetResult(result);
    auto document = StorageDocument::Create();
    const StorageElement stored = core->Save(document);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.Name(), "ElementData");

    auto loaded = leakCore();
    loaded->Load(stored, nullptr);
    EXPECT_EQ(std::dynamic_pointer_cast<nb4410::CConfigLeak>(loaded->Configuration())->Duration(), 17);
    ASSERT_TRUE(loaded->Result()); // made by the factory
    EXPECT_EQ(loaded->Result()->Status(), 3);

    // A single part on its own goes to its object too.
    auto single = leakCore();
    single->Load(stored.FirstChild("PlugInData"), nullptr);
    EXPECT_EQ(std::dynamic_pointer_cast<nb4410::CConfigLeak>(single->Configuration())->Duration(), 17);
}

TEST(ElementCore, LoadFailsClearlyForWhatItCannotTake)
{
    auto document = StorageDocument::Create();
    struct Case {
        const char* element;
        HResult number;
    };
    for (const Case& c : {Case{"Unknown", ElementCore::kUnknownElement}, Case{"ExpectedResult", ElementCore::kNoLimits}}) {
        auto core = leakCore();
        try {
            core->Load(document->CreateElement(c.element), nullptr);
            ADD_FAILURE() << c.element;
        } catch (const ComError& failure) {
            EXPECT_EQ(failure.number(), c.number) << c.element;
        }
    }
    ElementCore bare;
    try {
        bare.Load(document->CreateElement("ResultItem"), nullptr);
        ADD_FAILURE();
    } catch (const ComError& failure) {
        EXPECT_EQ(failure.number(), ElementCore::kNoResult);
    }
}

TEST(TestGuideSettings, StoreCloneAndLoad)
{
    TestGuideSettings settings;
    EXPECT_TRUE(settings.SkipNAEnabled());
    settings.SetOption(TestGuideSettings::kSkipNA, false);
    auto copy = settings.Clone();
    EXPECT_FALSE(copy->SkipNAEnabled());
    copy->SetOption(0, true);
    EXPECT_FALSE(settings.SkipNAEnabled());

    auto document = StorageDocument::Create();
    TestGuideSettings loaded;
    loaded.Load(settings.Save(document), nullptr);
    EXPECT_FALSE(loaded.SkipNAEnabled());
    EXPECT_THROW(loaded.Load(document->CreateElement("Other"), nullptr), ComError);
}

TEST(ServiceRecord, RoundTrip)
{
    ServiceRecord record;
    record.Build(std::make_shared<Filter>(true), "F", "/12/3");
    auto document = StorageDocument::Create();
    ServiceRecord loaded;
    loaded.Load(record.Save(document), nullptr);
    EXPECT_EQ(loaded.StatusText(), "F");
    EXPECT_EQ(loaded.Comment(), "/12/3");
    EXPECT_TRUE(loaded.Date().isValid());
}

TEST(RunContext, RecordsNavigationAndFinishedElements)
{
    RunContext context;
    std::vector<std::int32_t> heard;
    context.SetNavigationHandler([&](std::int32_t code) { heard.push_back(code); });
    EXPECT_TRUE(context.MayPerform(nullptr));
    EXPECT_EQ(context.LastNavigation(), RunContext::kNoNavigation);
    context.Navigate(RunContext::kNavigatePrevious);
    context.Navigate(RunContext::kNavigateAbort);
    EXPECT_EQ(heard, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(context.LastNavigation(), 2);
    ASSERT_TRUE(context.Instruments());
    context.SetMayPerform([](const auto&) { return false; });
    EXPECT_FALSE(context.MayPerform(nullptr));
}

} // namespace
