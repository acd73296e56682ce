// The leak result: the drop on every reply, the one-minute leak rate from the 5-second ring,
// evaluation, service records and the stored form.
#include "LeakReply.h"

#include "host/contract/IServiceRecord.h"
#include "host/run/Filter.h"
#include "host/storage/StorageElement.h"
#include "host/results/Report.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CResultLeak.h"
#include "tests/support/plugin/ReportCells.h"
#include "tests/support/plugin/StoredResult.h"

#include <QStringList>

#include <gtest/gtest.h>
#include <algorithm>

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
    EXPECT_EQ(result.Find("DROP")->Status(), 5); // no limits: not judged
}

TEST(ResultLeak, RateIsPerMinuteFromTheFirstSampleOn)
{
    struct Case {
        int untilS;
        float rate;
    };
    // A steady fall of 1 mmHg/s is 60 mmHg/min however long the test: within the first minute
    // the drop since the start is scaled to a minute; from 60 s on it is the drop of the last
    // twelve intervals, as it always was.
    for (const Case& c : {Case{5, 60.0f}, Case{30, 60.0f}, Case{55, 60.0f}, Case{60, 60.0f}, Case{65, 60.0f},
                          Case{100, 60.0f}}) {
        CResultLeak result;
        result.Clear();
        steadyFall(result, c.untilS);
        EXPECT_FLOAT_EQ(valueOf(result, "RATE"), c.rate) << c.untilS;
        EXPECT_EQ(valueOf(result, "DROP"), static_cast<float>(c.untilS));
    }
}

TEST(ResultLeak, AMinuteOfSamplesGivesTheRateOfThatMinute)
{
    // 2 mmHg/s for 30 s, then held: at 60 s the minute's drop is 60; at 90 s the last
    // minute holds only 30 s of falling.
    CResultLeak result;
    result.Clear();
    for (int s = 1; s <= 90; ++s)
        result.TakeReply(leakReply(s, static_cast<float>(2 * std::min(s, 30))), s);
    EXPECT_FLOAT_EQ(valueOf(result, "RATE"), 0.0f); // 30..90 s: no fall
}

TEST(ResultLeak, ScheduleAdvancesOneIntervalPerSample)
{
    CResultLeak result;
    result.Clear();
    result.TakeReply(leakReply(12, 12.0f), 12); // sample, schedule 5
    EXPECT_FLOAT_EQ(valueOf(result, "RATE"), 60.0f);
    result.TakeReply(leakReply(13, 20.0f), 13); // sample, schedule 10
    EXPECT_FLOAT_EQ(valueOf(result, "RATE"), 20.0f * 60.0f / 13.0f);
    result.TakeReply(leakReply(14, 30.0f), 14); // not due
    EXPECT_FLOAT_EQ(valueOf(result, "RATE"), 20.0f * 60.0f / 13.0f);
    EXPECT_EQ(valueOf(result, "DROP"), 30.0f);
    result.TakeReply(leakReply(15, 31.0f), 15); // sample, schedule 15
    EXPECT_FLOAT_EQ(valueOf(result, "RATE"), 124.0f);
}

TEST(ResultLeak, AReplyTooShortToHoldTheDropChangesNothing)
{
    CResultLeak result;
    result.Clear();
    steadyFall(result, 10);
    for (int length : {0, 2, 4}) {
        const ostrel::VariantArray full = leakReply(15, 0.0f);
        ostrel::VariantArray truncated;
        for (int i = 0; i < length; ++i)
            truncated.append(full[i]);
        result.TakeReply(truncated, 15);
        EXPECT_EQ(valueOf(result, "DROP"), 10.0f) << length;
        EXPECT_FLOAT_EQ(valueOf(result, "RATE"), 60.0f) << length;
    }
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
    EXPECT_FLOAT_EQ(valueOf(result, "RATE"), 36.0f);
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
    EXPECT_EQ(result.ServiceRecord()->Comment(), "/10/60"); // 10 mmHg in 10 s: 60 mmHg/min
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
    EXPECT_EQ(loaded.Status(), 5); // measured, but nothing judged it
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
    EXPECT_FLOAT_EQ(valueOf(loaded, "RATE"), 60.0f);
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

namespace {

using nb4410::testing::cellTexts;

TEST(ResultLeakReport, ConfigurationRowsAndResultHeadingsInTheirOrder)
{
    CConfigLeak config;
    config.SetStartPressure(240.0f);
    config.SetDuration(30);
    auto report = std::make_shared<ostrel::Report>();
    config.PrintReport(report);
    ASSERT_EQ(report->Tables().size(), 1u);
    const auto rows = cellTexts(report->Tables()[0].rows);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].value(1), "Start Pressure");
    EXPECT_EQ(rows[0].value(2), "240 mmHg");
    EXPECT_EQ(rows[1].value(1), "Duration");
    EXPECT_EQ(rows[2].value(1), "Tested Equipment");

    CResultLeak result;
    result.Clear();
    steadyFall(result, 10);
    result.EvaluateStatus(nullptr, nullptr, false);
    auto printed = std::make_shared<ostrel::Report>();
    result.PrintReport(printed);
    ASSERT_EQ(printed->Tables().size(), 1u);
    const auto heading = cellTexts(printed->Tables()[0].heading);
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_EQ(heading[0], (QStringList{"", "Result:", "", "Value", "Unit"}));
}

TEST(ResultLeakReport, AReopenedResultPrintsAsTheFreshOne)
{
    // 33.3 mmHg and 99.5 mmHg/min print whole under the measurements' "0" format, fresh and reopened.
    CResultLeak fresh;
    fresh.Clear();
    fresh.TakeReply(leakReply(60, 33.3f), 60);
    fresh.Find("RATE")->SetValue(Variant(99.5f));
    fresh.EvaluateStatus(nullptr, nullptr, false);
    CResultLeak reopened;
    reopened.Load(fresh.Save(ostrel::StorageDocument::Create()), nullptr);
    const auto rowsOf = [](CResultLeak& result) {
        auto report = std::make_shared<ostrel::Report>();
        result.PrintReport(report);
        return report->Tables().empty() ? std::vector<QStringList>{} : cellTexts(report->Tables()[0].rows);
    };
    const auto freshRows = rowsOf(fresh);
    ASSERT_EQ(freshRows.size(), 2u);
    EXPECT_EQ(freshRows[0].value(3), "33");
    EXPECT_EQ(freshRows[1].value(3), "100");
    EXPECT_EQ(rowsOf(reopened), freshRows);
}

} // namespace
