// The over-pressure result: peak and release from the replies, evaluation against limits,
// service records and the stored form.
#include "OverPressureReplies.h"

#include "host/contract/IServiceRecord.h"
#include "host/contract/IStandards.h"
#include "host/results/Report.h"
#include "host/results/Standards.h"
#include "host/run/Filter.h"
#include "host/storage/StorageElement.h"
#include "plugin/measure/CNB4410LimitData.h"
#include "plugin/measure/MLimitUtils.h"
#include "plugin/tests/overpressure/CResultOverPressure.h"
#include "tests/support/plugin/StoredResult.h"

#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::overPressureReply;
using ostrel::Variant;

namespace {

// Limit data with one standard "ISO" that allows a peak of at most upperMmHg, and the
// selection of that standard.
struct PeakLimit {
    explicit PeakLimit(float upperMmHg)
    {
        auto standard = limits->CreateStandard(Variant("ISO"), Variant("ISO 81060"));
        MLimitUtils::AddLimit(standard, "PEAK", "mmHg");
        for (const auto& item : standard->LimitItems())
            if (item->Key() == "PEAK")
                item->SetLimit(0, upperMmHg);
        selected->Add(standard);
    }
    std::shared_ptr<CNB4410LimitData> limits = std::make_shared<CNB4410LimitData>();
    std::shared_ptr<ostrel::Standards> selected = std::make_shared<ostrel::Standards>();
};

TEST(ResultOverPressure, ReleaseFollowsEveryReplyAndPeakKeepsTheFieldAsSent)
{
    CResultOverPressure result;
    EXPECT_EQ(result.MeasurementCount(), 2);
    result.TakeReply(overPressureReply(false, "120", "120", "0"));
    EXPECT_EQ(result.Find("MREL")->Value().type(), ostrel::VarType::Boolean);
    EXPECT_FALSE(result.Find("MREL")->Value().toBool());
    EXPECT_EQ(result.Find("MREL")->ReadableValue(), "Not released");
    result.TakeReply(overPressureReply(false, "80", "285.5", "1"));
    EXPECT_TRUE(result.Find("MREL")->Value().toBool());
    EXPECT_EQ(result.Find("MREL")->ReadableValue(), "Released");
    EXPECT_TRUE(result.Find("PEAK")->ReadableValue().isEmpty()) << "numbers speak for themselves";
    const Variant peak = result.Find("PEAK")->Value();
    EXPECT_TRUE(peak.isString());
    EXPECT_EQ(peak.text(), "285.5");

    // A reply too short to hold a field leaves that value as it was.
    result.TakeReply(ostrel::VariantArray::fromTexts({"400", "0"}));
    EXPECT_EQ(result.Find("PEAK")->Value().text(), "285.5");
    EXPECT_TRUE(result.Find("MREL")->Value().toBool());
    result.TakeReply(ostrel::VariantArray::fromTexts({"400", "0", "100", "290"}));
    EXPECT_EQ(result.Find("PEAK")->Value().text(), "290");
    EXPECT_TRUE(result.Find("MREL")->Value().toBool());
}

TEST(ResultOverPressure, PeakIsJudgedAgainstTheSelectedStandard)
{
    struct Case {
        const char* peak;
        std::int32_t status;
    };
    PeakLimit limit(300.0f);
    for (const Case& c : {Case{"290", 1}, Case{"300", 1}, Case{"310", 2}}) {
        CResultOverPressure result;
        result.TakeReply(overPressureReply(true, "0", c.peak, "1"));
        result.EvaluateStatus(limit.limits, limit.selected, false);
        EXPECT_EQ(result.Find("PEAK")->Status(), c.status) << c.peak;
        EXPECT_EQ(result.Status(), c.status) << c.peak;
    }
}

TEST(ResultOverPressure, ServiceRecordsCarryTheValuesAndTheirVerdict)
{
    PeakLimit limit(250.0f);
    CResultOverPressure result;
    result.TakeReply(overPressureReply(true, "0", "260", "1"));
    result.EvaluateStatus(limit.limits, limit.selected, false);
    result.BuildServiceRecord(std::make_shared<ostrel::Filter>(true));
    ASSERT_TRUE(result.ServiceRecord());
    EXPECT_EQ(result.ServiceRecord()->StatusText(), "F");
    EXPECT_EQ(result.ServiceRecord()->Comment(), "/260/True");

    result.EvaluateStatus(limit.limits, limit.selected, true);
    EXPECT_EQ(result.Status(), 3);
    result.BuildServiceRecord(std::make_shared<ostrel::Filter>(true));
    EXPECT_EQ(result.ServiceRecord()->StatusText(), "NA");

    CResultOverPressure unevaluated;
    unevaluated.BuildServiceRecord(std::make_shared<ostrel::Filter>(true));
    EXPECT_FALSE(unevaluated.ServiceRecord());
}

TEST(ResultOverPressure, ClearEmptiesTheValuesButKeepsTheComment)
{
    CResultOverPressure result;
    result.SetComment("valve sticks");
    result.TakeReply(overPressureReply(true, "0", "270", "1"));
    result.EvaluateStatus(nullptr, nullptr, false);
    result.SetMTIID(3);
    result.Clear();
    EXPECT_EQ(result.Status(), 0);
    EXPECT_EQ(result.MTIID(), 0);
    EXPECT_TRUE(result.Find("PEAK")->Value().isEmptyOrNull());
    EXPECT_TRUE(result.Find("MREL")->Value().isEmptyOrNull());
    EXPECT_EQ(result.Comment(), "valve sticks");
    EXPECT_TRUE(result.HasDialog());
}

TEST(ResultOverPressure, StoredFormRoundTrip)
{
    CResultOverPressure result;
    result.TakeReply(overPressureReply(true, "0", "240", "0"));
    result.EvaluateStatus(nullptr, nullptr, false);
    auto document = ostrel::StorageDocument::Create();
    ostrel::StorageElement stored = result.Save(document);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.Name(), "ResultItem");
    EXPECT_FALSE(stored.HasAttribute("MTI"));
    EXPECT_FALSE(stored.FirstChild("Comment"));

    result.SetMTIID(2);
    result.SetComment("ok");
    stored = result.Save(document);
    EXPECT_EQ(stored.Attribute("MTI"), "2");

    CResultOverPressure loaded;
    loaded.Load(stored, nullptr);
    EXPECT_EQ(loaded.Status(), 5); // measured without limits: not judged
    EXPECT_EQ(loaded.MTIID(), 2);
    EXPECT_EQ(loaded.Comment(), "ok");
    ASSERT_EQ(loaded.MeasurementCount(), 2);
    EXPECT_EQ(loaded.Measurement(Variant(1))->Key(), "PEAK");
    EXPECT_EQ(loaded.Measurement(Variant("PEAK"))->Value().val(), 240.0);
    EXPECT_FALSE(loaded.Measurement(Variant("MREL"))->Value().toBool());
    EXPECT_FALSE(loaded.Measurement(Variant(3)));
}

TEST(ResultOverPressure, ALoadedResultHoldsWhatWasStoredAndANewRunFillsBothAgain)
{
    // A run stopped before any reply was evaluated stores no measurement.
    CResultOverPressure stopped;
    stopped.Clear();
    auto document = ostrel::StorageDocument::Create();
    const ostrel::StorageElement stored = stopped.Save(document);
    CResultOverPressure loaded;
    loaded.Load(stored, nullptr);
    EXPECT_EQ(loaded.MeasurementCount(), 0);

    loaded.Clear();
    loaded.TakeReply(overPressureReply(true, "0", "230", "1"));
    loaded.EvaluateStatus(nullptr, nullptr, false);
    ASSERT_EQ(loaded.MeasurementCount(), 2);
    EXPECT_EQ(loaded.Measurement(Variant(1))->Key(), "PEAK");
    EXPECT_EQ(loaded.Measurement(Variant(2))->Key(), "MREL");
    EXPECT_EQ(loaded.Find("PEAK")->Unit(), "mmHg");
    EXPECT_TRUE(loaded.Find("MREL")->Value().toBool());
    const ostrel::StorageElement again = loaded.Save(document);
    int measurements = 0;
    for (int i = 0; i < again.ChildCount(); ++i)
        measurements += again.Child(i).Name() == "Measurement" ? 1 : 0;
    EXPECT_EQ(measurements, 2);
}

TEST(ResultOverPressure, WrongRootFailsWithItsNumberAndSource)
{
    CResultOverPressure result;
    nb4410::testing::expectConfigRootRefused(result, CResultOverPressure::kLoadError, CResultOverPressure::kSource);
}

TEST(ResultOverPressure, ReportListsBothMeasurements)
{
    CResultOverPressure result;
    auto report = std::make_shared<ostrel::Report>();
    result.PrintReport(report);
    ASSERT_EQ(report->Tables().size(), 1u);
    EXPECT_EQ(report->Tables()[0].rows.size(), 2u);

    // Printing failed measurements only leaves nothing to print for a passed result.
    result.TakeReply(overPressureReply(true, "0", "200", "1"));
    result.EvaluateStatus(nullptr, nullptr, false);
    auto failedOnly = std::make_shared<ostrel::Report>();
    failedOnly->SetPrintOptions(CMeasurement::kPrintFailedOnly);
    result.PrintReport(failedOnly);
    EXPECT_TRUE(failedOnly->Tables().empty());
}

} // namespace
