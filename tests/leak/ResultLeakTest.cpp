// The leak result: the drop on every reply, the one-minute leak rate from the 5-second ring,
// evaluation, service records and the stored form.
#include "LeakReply.h"

#include "host/contract/IServiceRecord.h"
#include "host/run/Filter.h"
#include "host/storage/StorageElement.h"
#include "plugin/tests/leak/CResultLeak.h"
#include "tests/support/plugin/StoredResult.h"

#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::leakReply;
using ostrel::Variant;

namespace {

float valueOf(CResultLeak& result, const char* key) { return static_cast<float>(result.Find(key)->Value().val()); }
bool hasValue(CResultLeak& result, const char* key) { return !result.Find(key)->Value().isEmptyOrNull(); }

// Replies every second with a steady fall of 1 mmHg/s, up to and including the given second.
void steadyFall(CResultLeak& result, int untilS)
{
    for (int s = 1; s <= untilS; ++s)
        result.TakeReply(leakReply(s, static_cast<float>(s)), s);
}

TEST(ResultLeak, RepliesBeforeTheFirstSampleSetOnlyTheDrop)
{
    CResultLeak result;
    result.Clear();
    steadyFall(result, 4);
    EXPECT_EQ(valueOf(result, "DROP"), 4.0f);
    EXPECT_FALSE(hasValue(result, "RATE"));
    result.EvaluateStatus(nullptr, nullptr, false);
    EXPECT_EQ(result.Find("RATE")->Status(), 0);
    EXPECT_EQ(result.Find("DROP")->Status(), 1);
}

TEST(ResultLeak, RateIsTheDropGainedOverTheLastMinute)
{
    struct Case {
        int untilS;
        float rate;
    };
    // At 5 s the rate is the drop itself; at 60 s the whole drop; from 65 s on the drop of the
    // last twelve intervals.
    for (const Case& c : {Case{5, 5.0f}, Case{60, 60.0f}, Case{65, 60.0f}, Case{100, 60.0f}}) {
        CResultLeak result;
        result.Clear();
        steadyFall(result, c.untilS);
        EXPECT_EQ(valueOf(result, "RATE"), c.rate) << c.untilS;
        EXPECT_EQ(valueOf(result, "DROP"), static_cast<float>(c.untilS));
    }
}

TEST(ResultLeak, ScheduleAdvancesOneIntervalPerSample)
{
    CResultLeak result;
    result.Clear();
    result.TakeReply(leakReply(12, 12.0f), 12); // sample, schedule 5
    EXPECT_EQ(valueOf(result, "RATE"), 12.0f);
    result.TakeReply(leakReply(13, 20.0f), 13); // sample, schedule 10
    EXPECT_EQ(valueOf(result, "RATE"), 20.0f);
    result.TakeReply(leakReply(14, 30.0f), 14); // not due
    EXPECT_EQ(valueOf(result, "RATE"), 20.0f);
    EXPECT_EQ(valueOf(result, "DROP"), 30.0f);
    result.TakeReply(leakReply(15, 31.0f), 15); // sample, schedule 15
    EXPECT_EQ(valueOf(result, "RATE"), 31.0f);
}

TEST(ResultLeak, ClearStartsSamplingAgainButKeepsTheComment)
{
    CResultLeak result;
    result.SetComment("checked");
    steadyFall(result, 70);
    result.SetMTIID(4);
    result.Clear();
    EXPECT_FALSE(hasValue(result, "DROP"));
    EXPECT_EQ(result.Status(), 0);
    EXPECT_EQ(result.MTIID(), 0);
    EXPECT_EQ(result.Comment(), "checked");
    result.TakeReply(leakReply(5, 3.0f), 5);
    EXPECT_EQ(valueOf(result, "RATE"), 3.0f);
}

TEST(ResultLeak, NotApplicableGivesStatusThreeAndAnNARecord)
{
    CResultLeak result;
    result.Clear();
    steadyFall(result, 10);
    result.EvaluateStatus(nullptr, nullptr, false);
    result.EvaluateStatus(nullptr, nullptr, true);
    EXPECT_EQ(result.Status(), 3);

    result.BuildServiceRecord(std::make_shared<ostrel::Filter>(false));
    EXPECT_FALSE(result.ServiceRecord());
    result.BuildServiceRecord(std::make_shared<ostrel::Filter>(true));
    ASSERT_TRUE(result.ServiceRecord());
    EXPECT_EQ(result.ServiceRecord()->StatusText(), "NA");
    EXPECT_EQ(result.ServiceRecord()->Comment(), "/10/10");
}

TEST(ResultLeak, UnevaluatedResultGetsNoServiceRecord)
{
    CResultLeak result;
    result.BuildServiceRecord(std::make_shared<ostrel::Filter>(true));
    EXPECT_FALSE(result.ServiceRecord());
}

TEST(ResultLeak, MeasurementsByPositionAndKey)
{
    CResultLeak result;
    EXPECT_EQ(result.MeasurementCount(), 2);
    EXPECT_EQ(result.Measurement(Variant(1))->Key(), "DROP");
    EXPECT_EQ(result.Measurement(Variant(2))->Key(), "RATE");
    EXPECT_EQ(result.Measurement(Variant("RATE"))->Unit(), "mmHg/min");
    EXPECT_FALSE(result.Measurement(Variant(3)));
    EXPECT_FALSE(result.Measurement(Variant("PEAK")));
    EXPECT_FALSE(result.HasDialog());
    result.SetComment("x");
    EXPECT_TRUE(result.HasDialog());
}

TEST(ResultLeak, StoredFormHoldsOnlyWhatWasMeasured)
{
    CResultLeak result;
    result.Clear();
    steadyFall(result, 3); // a drop, no rate
    result.EvaluateStatus(nullptr, nullptr, false);
    result.SetComment("leaky valve");
    auto document = ostrel::StorageDocument::Create();
    ostrel::StorageElement stored = result.Save(document);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.Name(), "ResultItem");
    EXPECT_FALSE(stored.HasAttribute("MTI"));

    CResultLeak loaded;
    loaded.Load(stored, nullptr);
    EXPECT_EQ(loaded.Status(), 1);
    EXPECT_EQ(loaded.Comment(), "leaky valve");
    EXPECT_EQ(loaded.MTIID(), 0);
    ASSERT_EQ(loaded.MeasurementCount(), 1);
    EXPECT_EQ(loaded.Measurement(Variant(1))->Key(), "DROP");
    EXPECT_EQ(loaded.Measurement(Variant(1))->Value().val(), 3.0);

    result.SetMTIID(2);
    result.BuildServiceRecord(std::make_shared<ostrel::Filter>(true));
    stored = result.Save(document);
    EXPECT_EQ(stored.Attribute("MTI"), "2");
    CResultLeak again;
    again.Load(stored, nullptr);
    EXPECT_EQ(again.MTIID(), 2);
    ASSERT_TRUE(again.ServiceRecord());
    EXPECT_EQ(again.ServiceRecord()->Comment(), "/3");
}

TEST(ResultLeak, ALoadedResultRunAgainFillsBothMeasurements)
{
    CResultLeak result;
    result.Clear();
    steadyFall(result, 3); // stored with a drop and no rate
    result.EvaluateStatus(nullptr, nullptr, false);
    CResultLeak loaded;
    loaded.Load(result.Save(ostrel::StorageDocument::Create()), nullptr);
    ASSERT_EQ(loaded.MeasurementCount(), 1);

    loaded.Clear();
    steadyFall(loaded, 10);
    ASSERT_EQ(loaded.MeasurementCount(), 2);
    EXPECT_EQ(loaded.Measurement(Variant(1))->Key(), "DROP");
    EXPECT_EQ(loaded.Measurement(Variant(2))->Key(), "RATE");
    EXPECT_EQ(valueOf(loaded, "RATE"), 10.0f);
}

TEST(ResultLeak, WrongRootFailsWithItsNumber)
{
    CResultLeak result;
    nb4410::testing::expectConfigRootRefused(result, CResultLeak::kLoadError, CResultLeak::kSource);
}

TEST(ResultLeak, AKeyStoredTwiceRefusesTheDocument)
{
    CResultLeak result;
    nb4410::testing::expectDuplicateKeyRefused(result, "DROP", CResultLeak::kSource);
}

} // namespace
