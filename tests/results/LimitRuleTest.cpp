// One rule judges and shows a limit: at the boundary a value equal to the shown limit passes and
// one past it fails, for absolute and percent limits; the printed limit keeps its own precision;
// a stored limit that is not a finite number, or a lower limit above the upper one, is refused.
#include "host/core/Variant.h"
#include "host/results/LimitItem.h"
#include "host/results/LimitRule.h"
#include "host/results/Progress.h"
#include "host/results/Standard.h"
#include "host/results/Standards.h"
#include "host/storage/StorageElement.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

std::shared_ptr<Standard> standardWith(const QString& unit, const QString& upper, const QString& lower)
{
    auto standard = std::make_shared<Standard>();
    standard->Initialize(Variant("S"), Variant("S full"), 1);
    auto item = std::make_shared<LimitItem>();
    item->Initialize(QStringLiteral("SYST"), unit, upper, lower);
    standard->AddLimitItem(item);
    return standard;
}

struct Boundary {
    const char* name;
    const char* unit;
    const char* upper;
    const char* lower;
    double preset;
    const char* shown;  // the calculated limit as shown
    Variant atLimit;    // equal to the shown limit: passes
    Variant pastLimit;  // one step past it: fails
};

class LimitBoundary : public ::testing::TestWithParam<Boundary> {};

TEST_P(LimitBoundary, AValueEqualToTheShownLimitPassesAndOnePastItFails)
{
    const Boundary& c = GetParam();
    auto standard = standardWith(QString::fromLatin1(c.unit), QString::fromLatin1(c.upper), QString::fromLatin1(c.lower));
    const auto item = standard->LimitItems()[0];
    const int index = QByteArray(c.upper).isEmpty() ? LimitItem::kLower : LimitItem::kUpper;
    const auto limit = LimitRule::Absolute(item, index, c.preset);
    ASSERT_TRUE(limit.has_value());
    EXPECT_EQ(LimitRule::Text(*limit), QString::fromLatin1(c.shown)) << c.name;
    EXPECT_EQ(standard->Evaluate(QStringLiteral("SYST"), LimitRule::ValueOf(c.atLimit), c.preset), Standard::kPassed) << c.name;
    EXPECT_EQ(standard->Evaluate(QStringLiteral("SYST"), LimitRule::ValueOf(c.pastLimit), c.preset), Standard::kFailed)
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    AbsoluteAndPercent, LimitBoundary,
    ::testing::Values(
        // +5 % of the presets: single precision made 125.99999 of 126 and failed a reading of 126.
        Boundary{"+5 % of 120", "%", "5", "-5", 120, "126", Variant(126.0f), Variant(127.0f)},
        Boundary{"-5 % of 120", "%", "", "-5", 120, "114", Variant(114.0f), Variant(113.0f)},
        Boundary{"+5 % of 150 shows its half", "%", "5", "", 150, "157.5", Variant(157.5f), Variant(158.0f)},
        Boundary{"+5 % of 100", "%", "5", "", 100, "105", Variant(105.0f), Variant(106.0f)},
        Boundary{"+5 % of 93", "%", "5", "", 93, "97.65", Variant(97.65f), Variant(97.66f)},
        Boundary{"-3 % of 80 BPM", "%", "", "-3", 80, "77.6", Variant(77.6f), Variant(77.5f)},
        Boundary{"absolute upper 0.1", "mmHg/min", "0.1", "", 0, "0.1", Variant(0.1f), Variant(0.11f)},
        Boundary{"absolute lower 0.3", "mmHg", "", "0.3", 0, "0.3", Variant(0.3), Variant(0.29)},
        Boundary{"absolute upper as typed text", "mmHg", "1.1", "", 0, "1.1", Variant(QStringLiteral("1.1")),
                 Variant(QStringLiteral("1.2"))}),
    [](const ::testing::TestParamInfo<Boundary>& info) { return "case" + std::to_string(info.index); });

TEST(LimitRule, OnlyStandardsOfTheSelectionThatSetALimitForTheKeyApply)
{
    Standards own;
    own.Add(standardWith(QStringLiteral("mmHg"), QStringLiteral("140"), QString()));
    auto unset = std::make_shared<Standard>();
    unset->Initialize(Variant("U"), Variant("U full"), 1);
    auto item = std::make_shared<LimitItem>();
    item->Initialize(QStringLiteral("SYST"), QStringLiteral("mmHg"), QString(), QString());
    unset->AddLimitItem(item);
    own.Add(unset);
    auto ownPtr = own.Clone();

    auto selected = std::make_shared<Standards>();
    EXPECT_TRUE(LimitRule::Applied(ownPtr, selected, QStringLiteral("SYST")).empty()) << "nothing selected";
    selected->Add(unset);
    EXPECT_TRUE(LimitRule::Applied(ownPtr, selected, QStringLiteral("SYST")).empty()) << "a standard without a limit";
    selected->Add(standardWith(QStringLiteral("mmHg"), QString(), QString())); // "S", found by its names in own
    EXPECT_EQ(LimitRule::Applied(ownPtr, selected, QStringLiteral("SYST")).size(), 1u);
    EXPECT_TRUE(LimitRule::Applied(ownPtr, selected, QStringLiteral("DIAS")).empty()) << "another key";
    EXPECT_TRUE(LimitRule::Applied(nullptr, selected, QStringLiteral("SYST")).empty());
}

TEST(LimitRule, ReportRowsPrintLimitsAtTheirOwnPrecision)
{
    auto standard = standardWith(QStringLiteral("mmHg/min"), QStringLiteral("0.5"), QStringLiteral("0.25"));
    VariantArray table(1, 3);
    table.at(0, 0) = QStringLiteral("SYST");
    table.at(0, 1) = QStringLiteral("Leak Rate");
    table.at(0, 2) = QStringLiteral("0"); // the value format does not round the limit away
    EXPECT_EQ(standard->ReportRows(Variant(table)), QStringLiteral("|SYST|Leak Rate|0.5|0.25|mmHg/min;"));
}

// Limits the limit editor does not store are refused at load, and named: a value that is not
// a finite number (judged as 0 or infinity), a lower limit above the upper one (fails every
// value). Only the refused limit is left unset; a reversed pair is refused whole.
TEST(LimitRule, AStoredLimitTheEditorWouldNotStoreIsRefusedAndNamed)
{
    struct Case {
        const char* upper;
        const char* lower;
        bool upperKept;
        bool lowerKept;
        const char* named; // empty: nothing refused
    };
    const Case cases[] = {
        {"nan", "0", false, true, "the limit RATE Upper=\"nan\" is not a finite number"},
        {"1e999", "0", false, true, "RATE Upper=\"1e999\""},
        {"-inf", "0", false, true, "RATE Upper=\"-inf\""},
        {"abc", "0", false, true, "RATE Upper=\"abc\""},
        {"5", "10", false, false, "the limit RATE Lower=\"10\" is above its Upper=\"5\""},
        {"5", "5", true, true, ""},
        {"-5", "-10", true, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.upper) + " / " + c.lower);
        auto document = StorageDocument::Create();
        StorageElement standards = document->CreateElement(QStringLiteral("ExpectedResult"));
        StorageElement standard = standards.AddChild(QStringLiteral("Standard"), QString());
        standard.SetAttribute(QStringLiteral("ShortName"), QStringLiteral("EX"));
        standard.SetAttribute(QStringLiteral("FullName"), QStringLiteral("EX full"));
        StorageElement limit = standard.AddChild(QStringLiteral("Limit"), QString());
        limit.SetAttribute(QStringLiteral("Key"), QStringLiteral("RATE"));
        limit.SetAttribute(QStringLiteral("Unit"), QStringLiteral("mmHg/min"));
        limit.SetAttribute(QStringLiteral("Upper"), QString::fromLatin1(c.upper));
        limit.SetAttribute(QStringLiteral("Lower"), QString::fromLatin1(c.lower));

        auto progress = std::make_shared<Progress>();
        Standards loaded;
        loaded.Load(standards, progress);
        ASSERT_EQ(loaded.Count(), 1);
        const auto item = loaded.Item(0)->LimitItems().at(0);
        EXPECT_EQ(item->IsLimitSet(LimitItem::kUpper), c.upperKept);
        EXPECT_EQ(item->IsLimitSet(LimitItem::kLower), c.lowerKept);
        if (*c.named == 0) {
            EXPECT_TRUE(progress->Lines().isEmpty()) << progress->Lines().join(QLatin1Char('\n')).toStdString();
            continue;
        }
        EXPECT_EQ(progress->WorstSeverity(), 3);
        ASSERT_EQ(progress->Lines().size(), 1);
        EXPECT_TRUE(progress->Lines()[0].contains(QString::fromLatin1(c.named))) << progress->Lines()[0].toStdString();
        EXPECT_TRUE(progress->Lines()[0].contains(QStringLiteral("and is refused."))) << progress->Lines()[0].toStdString();
    }
}

} // namespace
