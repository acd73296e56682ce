// Limit data: standards per test, failed standards, storing, printing and the limit editor.
#include "plugin/measure/CNB4410LimitData.h"

#include "Fakes.h"
#include "host/contract/ResultStatus.h"
#include "host/core/ComError.h"
#include "host/results/LimitItem.h"
#include "host/results/Progress.h"
#include "host/results/Standard.h"
#include "host/results/Report.h"
#include "host/results/Standards.h"
#include "host/results/XLimitView.h"
#include "host/storage/StorageElement.h"
#include "plugin/guide/FDialogWrapper.h"
#include "plugin/measure/CMeasurement.h"
#include "plugin/measure/MLimitUtils.h"
#include "tests/support/Failures.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace nb4410;
using nb4410::testing::FakeRunContext;
using nb4410::testing::FakeTestElement;
using ostrel::Variant;

namespace {

struct Owned {
    std::shared_ptr<FakeTestElement> owner;
    std::shared_ptr<CNB4410LimitData> limits;
};

Owned limitsOf(std::int32_t testId)
{
    Owned owned{std::make_shared<FakeTestElement>(testId), std::make_shared<CNB4410LimitData>()};
    owned.owner->limits = owned.limits;
    owned.limits->SetOwner(owned.owner);
    return owned;
}

void setLimit(const std::shared_ptr<ostrel::IStandard>& standard, const QString& key, int index, float value,
              const QString& unit = QString())
{
    for (const auto& item : standard->LimitItems()) {
        if (item->Key() == key) {
            item->SetLimit(index, value);
            if (!unit.isEmpty())
                item->SetUnit(unit);
        }
    }
}

std::shared_ptr<ostrel::Standards> selection(std::initializer_list<std::pair<const char*, const char*>> names)
{
    auto selected = std::make_shared<ostrel::Standards>();
    for (const auto& [shortName, fullName] : names) {
        auto standard = std::make_shared<ostrel::Standard>();
        standard->Initialize(QString::fromLatin1(shortName), QString::fromLatin1(fullName), 1);
        selected->Add(standard);
    }
    return selected;
}

MeasurementPtr systolic(Variant value, Variant preset)
{
    auto measurement = std::make_shared<CMeasurement>();
    measurement->Define(QStringLiteral("SYST"), QStringLiteral("mmHg"), QStringLiteral("20350::Systolic"), 1);
    measurement->SetValue(value);
    measurement->SetPresetValue(preset);
    return measurement;
}

} // namespace

TEST(LimitUtils, TablesPerTestId)
{
    struct Case {
        std::int32_t testId;
        QStringList keys;
        QString firstArgument;
        QString firstChoices;
    };
    const std::vector<Case> cases = {
        {110, {"SYST", "DIAS", "HART"}, "mmHg;%", "mmHg;%"},
        {140, {"SYST", "DIAS", "HART", "MAPR"}, "mmHg;%", "mmHg;%"},
        {200, {"CVOL"}, "ccm", "ccm;%"},
        {300, {"DROP", "RATE"}, "mmHg", "mmHg;%"},
        {400, {"PEAK"}, "mmHg", "mmHg;%"},
        {999, {}, "", ""},
    };
    for (const Case& c : cases) {
        const auto rows = MLimitUtils::RowsOfTest(c.testId);
        QStringList keys;
        for (const auto& row : rows)
            keys << row.key;
        EXPECT_EQ(keys, c.keys) << c.testId;
        if (!rows.empty()) {
            EXPECT_EQ(rows[0].unitArgument, c.firstArgument) << c.testId;
            EXPECT_EQ(rows[0].unitChoices, c.firstChoices) << c.testId;
        }
    }
    auto report = std::make_shared<ostrel::Report>();
    const Variant table = MLimitUtils::ReportKeyTable(report, 120);
    ASSERT_TRUE(table.isArray());
    EXPECT_EQ(table.array().rows(), 4);
    EXPECT_EQ(table.array().at(3, 0), Variant(QStringLiteral("MAPR")));
    EXPECT_EQ(table.array().at(3, 1), Variant(QStringLiteral("MAP")));
    EXPECT_EQ(table.array().at(3, 2), Variant(QStringLiteral("0.0")));
    EXPECT_TRUE(MLimitUtils::ReportKeyTable(report, 400).isEmpty());
}

TEST(LimitData, NewStandardForTheLeakTestHoldsDropAndRateWithoutLimits)
{
    auto [owner, limits] = limitsOf(300);
    const auto standard = limits->CreateStandard(QStringLiteral("S"), QStringLiteral("Standard S"));
    ASSERT_EQ(limits->Standards()->Count(), 1);
    EXPECT_EQ(standard->ShortName(), QStringLiteral("S"));
    const auto items = standard->LimitItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->Key(), QStringLiteral("DROP"));
    EXPECT_EQ(items[0]->Unit(), QStringLiteral("mmHg"));
    EXPECT_EQ(items[1]->Key(), QStringLiteral("RATE"));
    EXPECT_EQ(items[1]->Unit(), QStringLiteral("mmHg/min"));
    for (const auto& item : items)
        EXPECT_FALSE(item->IsLimitSet(0) || item->IsLimitSet(1));
}

TEST(LimitData, WithoutStandardsNoValueIsJudgedAndNothingIsSaved)
{
    auto [owner, limits] = limitsOf(110);
    auto measurement = systolic(500.0f, 120.0f);
    EXPECT_FALSE(limits->FindFailedStandards(measurement, selection({{"A", "a"}})));
    EXPECT_EQ(measurement->UpdateStatus(limits, selection({{"A", "a"}})), ostrel::status::kNotJudged);
    EXPECT_FALSE(limits->Save(ostrel::StorageDocument::Create()));
    EXPECT_TRUE(limits->Description().isEmpty());
    EXPECT_TRUE(limits->HasDialog());
}

TEST(LimitData, FailuresAreTheSelectedStandardsThatFailAsHeldHere)
{
    auto [owner, limits] = limitsOf(110);
    const auto a = limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a"));
    const auto b = limits->CreateStandard(QStringLiteral("B"), QStringLiteral("b"));
    const auto c = limits->CreateStandard(QStringLiteral("C"), QStringLiteral("c"));
    setLimit(a, QStringLiteral("SYST"), 0, 140);
    setLimit(b, QStringLiteral("SYST"), 0, 130);
    setLimit(c, QStringLiteral("SYST"), 0, 100); // fails too, but is not selected

    auto measurement = systolic(145.0f, 120.0f);
    const auto failed = limits->FindFailedStandards(measurement, selection({{"B", "b"}, {"X", "unknown"}, {"A", "a"}}));
    ASSERT_TRUE(failed);
    ASSERT_EQ(failed->Count(), 2);
    EXPECT_EQ(failed->Item(0), b); // the standard held by the limit data
    EXPECT_EQ(failed->Item(1), a);
    EXPECT_EQ(measurement->UpdateStatus(limits, selection({{"B", "b"}})), 2);
    // A selection that judges nothing says so instead of passing.
    EXPECT_EQ(measurement->UpdateStatus(limits, selection({{"X", "unknown"}})), ostrel::status::kNotJudged);
    EXPECT_EQ(measurement->UpdateStatus(limits, selection({{"A", "other full name"}})), ostrel::status::kNotJudged);
    EXPECT_EQ(measurement->UpdateStatus(limits, nullptr), ostrel::status::kNotJudged);
    EXPECT_EQ(systolic(100.0f, 120.0f)->UpdateStatus(limits, selection({{"C", "c"}})), ostrel::status::kPassed);
    // A standard with no limit for the key does not judge it either.
    const auto d = limits->CreateStandard(QStringLiteral("D"), QStringLiteral("d"));
    setLimit(d, QStringLiteral("DIAS"), 0, 10);
    EXPECT_EQ(measurement->UpdateStatus(limits, selection({{"D", "d"}})), ostrel::status::kNotJudged);
}

TEST(LimitData, AMeasurementNotHeldBySharedOwnershipIsJudgedAllTheSame)
{
    auto [owner, limits] = limitsOf(110);
    setLimit(limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a")), QStringLiteral("SYST"), 0, 140);
    CMeasurement lent;
    lent.Define(QStringLiteral("SYST"), QStringLiteral("mmHg"), QString(), 2);
    lent.SetValue(Variant(150.0f));
    EXPECT_EQ(lent.UpdateStatus(limits, selection({{"A", "a"}})), ostrel::status::kFailed);
    lent.SetValue(Variant(140.0f));
    EXPECT_EQ(lent.UpdateStatus(limits, selection({{"A", "a"}})), ostrel::status::kPassed);
}

TEST(LimitData, AFlaggedValueIsIncompleteWhateverTheLimits)
{
    auto [owner, limits] = limitsOf(110);
    setLimit(limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a")), QStringLiteral("SYST"), 0, 140);
    for (const char* flag : {"I", "E", "i"}) {
        for (float value : {100.0f, 200.0f}) {
            auto measurement = systolic(value, 120.0f);
            measurement->AddFlag(QString::fromLatin1(flag));
            EXPECT_EQ(measurement->UpdateStatus(limits, selection({{"A", "a"}})), ostrel::status::kIncomplete) << flag;
        }
    }
    // Without a value there is nothing to call incomplete.
    auto empty = systolic(0.0f, 120.0f);
    empty->SetValue(Variant());
    empty->MarkIncomplete(true);
    EXPECT_EQ(empty->Flags(), QString());
    EXPECT_EQ(empty->UpdateStatus(limits, selection({{"A", "a"}})), ostrel::status::kNotEvaluated);
    auto measured = systolic(100.0f, 120.0f);
    measured->MarkIncomplete(true);
    EXPECT_EQ(measured->Flags(), QStringLiteral("IE"));
    EXPECT_EQ(measured->Status(), ostrel::status::kIncomplete);
}

TEST(LimitData, PercentLimitsAreRelativeToATextPreset)
{
    auto [owner, limits] = limitsOf(110);
    const auto a = limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a"));
    setLimit(a, QStringLiteral("SYST"), 0, 10, QStringLiteral("%"));
    setLimit(a, QStringLiteral("SYST"), 1, -10, QStringLiteral("%"));
    const auto selected = selection({{"A", "a"}});
    // A loaded preset value is text; it is read as a number for the evaluation.
    EXPECT_EQ(systolic(131.0f, QStringLiteral("120"))->UpdateStatus(limits, selected), 1);
    EXPECT_EQ(systolic(133.0f, QStringLiteral("120"))->UpdateStatus(limits, selected), 2);
    EXPECT_EQ(systolic(107.0f, QStringLiteral("120"))->UpdateStatus(limits, selected), 2);
    // An unreadable preset counts as 0: any positive value is then above +10 % of it.
    EXPECT_EQ(systolic(1.0f, QStringLiteral("n/a"))->UpdateStatus(limits, selected), 2);
}

TEST(LimitData, SavesAsExpectedResultAndLoadsBack)
{
    auto [owner, limits] = limitsOf(300);
    setLimit(limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a")), QStringLiteral("RATE"), 0, 6);
    auto document = ostrel::StorageDocument::Create();
    const auto element = limits->Save(document);
    ASSERT_TRUE(element);
    EXPECT_EQ(element.Name(), QStringLiteral("ExpectedResult"));

    auto loaded = std::make_shared<CNB4410LimitData>();
    loaded->Load(element, std::make_shared<ostrel::Progress>());
    ASSERT_TRUE(loaded->Standards());
    auto rate = std::make_shared<CMeasurement>();
    rate->Define(QStringLiteral("RATE"), QStringLiteral("mmHg/min"), QString(), 1);
    rate->SetValue(7.0f);
    EXPECT_EQ(rate->UpdateStatus(loaded, selection({{"A", "a"}})), 2);
}

TEST(LimitData, EmptyOrForeignElementsLoadNoStandards)
{
    auto [owner, limits] = limitsOf(300);
    limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a"));
    auto document = ostrel::StorageDocument::Create();
    limits->Load(document->CreateElement(QStringLiteral("ExpectedResult")), nullptr);
    EXPECT_FALSE(limits->Standards());

    const auto failure =
        ostrel::testing::errorOf([&] { limits->Load(document->CreateElement(QStringLiteral("Limits")), nullptr); });
    ASSERT_TRUE(failure) << "no failure";
    EXPECT_EQ(failure->number(), CNB4410LimitData::kLoadError);
    EXPECT_EQ(failure->source(), QStringLiteral("VessorNB4410.CNB4410LimitData"));
    EXPECT_EQ(failure->severity(), 1);
}

TEST(LimitData, ClonesAndCopiesAreIndependentAndOwnerless)
{
    auto [owner, limits] = limitsOf(300);
    setLimit(limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a")), QStringLiteral("DROP"), 0, 10);
    const auto clone = limits->Clone();
    EXPECT_FALSE(clone->Owner());
    EXPECT_EQ(limits->Owner(), owner);
    setLimit(clone->Standards()->Item(0), QStringLiteral("DROP"), 0, 99);
    EXPECT_EQ(limits->Standards()->Item(0)->LimitItems()[0]->Limit(0), 10.0f);

    CNB4410LimitData copy;
    copy.CreateStandard(QStringLiteral("old"), QString());
    copy.CopyStandardsFrom(limits);
    ASSERT_EQ(copy.Standards()->Count(), 1);
    EXPECT_NE(copy.Standards(), limits->Standards());
    copy.CopyStandardsFrom(std::make_shared<CNB4410LimitData>());
    EXPECT_FALSE(copy.Standards());
    EXPECT_FALSE(CNB4410LimitData().Clone()->Standards());
}

TEST(LimitData, OwnerIsHeldWeaklySoTheElementCanGo)
{
    auto limits = std::make_shared<CNB4410LimitData>();
    std::weak_ptr<FakeTestElement> gone;
    {
        auto owner = std::make_shared<FakeTestElement>(300);
        owner->limits = limits;
        limits->SetOwner(owner);
        gone = owner;
    }
    EXPECT_TRUE(gone.expired());
    EXPECT_FALSE(limits->Owner());
    // Without an owner a new standard has no default items.
    EXPECT_TRUE(limits->CreateStandard(QStringLiteral("A"), QString())->LimitItems().empty());
}

TEST(LimitData, PrintsTheRunsSelectedStandards)
{
    auto [owner, limits] = limitsOf(120);
    setLimit(limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a")), QStringLiteral("MAPR"), 0, 101.25f);
    limits->CreateStandard(QStringLiteral("B"), QStringLiteral("b"));
    auto context = std::make_shared<FakeRunContext>();
    context->selected = selection({{"A", "a"}});
    auto report = std::make_shared<ostrel::Report>();
    limits->PrintReport(report, context);
    ASSERT_EQ(report->Tables().size(), 1u);
    // The limit prints at its own precision, not rounded by the key's "0.0" format.
    EXPECT_TRUE(report->DocumentText().contains(QStringLiteral("\tMAPR\tMAP\t101.25\t\tmmHg"))) << qPrintable(report->DocumentText());

    auto nothing = std::make_shared<ostrel::Report>();
    CNB4410LimitData().PrintReport(nothing, context);
    EXPECT_TRUE(nothing->Tables().empty());
}

TEST(LimitView, EditsGoIntoTheStandardThatThenJudges)
{
    auto [owner, limits] = limitsOf(300);
    limits->CreateStandard(QStringLiteral("A"), QStringLiteral("a"));
    const auto dialog = std::dynamic_pointer_cast<FDialogWrapper>(limits->CreateDialog());
    ASSERT_TRUE(dialog);
    auto* view = dynamic_cast<ostrel::XLimitView*>(dialog->Extender());
    ASSERT_TRUE(view);
    ASSERT_EQ(view->RowCount(), 2);
    ASSERT_EQ(view->CurrentStandard(), limits->Standards()->Item(0));

    // "12a": the letter never reaches the box, the number is stored at once.
    QTest::keyClicks(view->LimitBox(1, 0), QStringLiteral("12a"));
    EXPECT_EQ(view->LimitBox(1, 0)->text(), QStringLiteral("12"));
    const auto rate = view->CurrentStandard()->LimitItems()[1];
    EXPECT_EQ(rate->Key(), QStringLiteral("RATE"));
    EXPECT_TRUE(rate->IsLimitSet(0));
    EXPECT_EQ(rate->Limit(0), 12.0f);

    auto measurement = std::make_shared<CMeasurement>();
    measurement->Define(QStringLiteral("RATE"), QStringLiteral("mmHg/min"), QString(), 1);
    measurement->SetValue(12.5f);
    EXPECT_EQ(measurement->UpdateStatus(limits, selection({{"A", "a"}})), 2);

    // A lower limit above the upper one is refused with a word, and not stored.
    QTest::keyClicks(view->LimitBox(1, 1), QStringLiteral("20"));
    EXPECT_TRUE(view->StatusLabel()->text().contains(QStringLiteral("lower limit 20 is above the upper limit 12")))
        << view->StatusLabel()->text().toStdString();
    EXPECT_EQ(rate->Limit(1), 2.0); // the "2" typed before the "0" was a valid limit
    QTest::keyClick(view->LimitBox(1, 1), Qt::Key_Backspace);
    EXPECT_TRUE(view->StatusLabel()->text().isEmpty());
    view->LimitBox(1, 0)->selectAll();
    QTest::keyClicks(view->LimitBox(1, 0), QStringLiteral("1")); // an upper below the lower one: refused too
    EXPECT_EQ(rate->Limit(0), 12.0);
    EXPECT_FALSE(view->StatusLabel()->text().isEmpty());
    view->LimitBox(1, 1)->selectAll();
    QTest::keyClick(view->LimitBox(1, 1), Qt::Key_Backspace);
    EXPECT_FALSE(rate->IsLimitSet(1));

    // A lone sign is no number yet: the stored limit stays until a number is complete.
    QTest::keyClicks(view->LimitBox(0, 1), QStringLiteral("-"));
    EXPECT_FALSE(view->CurrentStandard()->LimitItems()[0]->IsLimitSet(1));
    view->LimitBox(1, 0)->selectAll();
    QTest::keyClick(view->LimitBox(1, 0), Qt::Key_Backspace); // emptied by the operator: no limit
    EXPECT_FALSE(rate->IsLimitSet(0));

    // A percent unit chosen for the row is stored in the item.
    QComboBox* unit = view->UnitBox(1);
    ASSERT_EQ(unit->count(), 2);
    unit->setCurrentIndex(1);
    emit unit->activated(1);
    EXPECT_EQ(rate->Unit(), QStringLiteral("%"));
}

TEST(LimitView, CreatesAStandardWithTheDefaultItemsOfTheTest)
{
    auto [owner, limits] = limitsOf(200);
    const auto dialog = std::dynamic_pointer_cast<FDialogWrapper>(limits->CreateDialog());
    auto* view = dynamic_cast<ostrel::XLimitView*>(dialog->Extender());
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->CurrentStandard());
    EXPECT_FALSE(view->LimitBox(0, 0)->isEnabled()); // nothing to edit before a standard exists

    view->findChild<QPushButton*>(QStringLiteral("cmdNewStandard"))->click();
    EXPECT_FALSE(limits->Standards()); // a standard needs a short name
    view->findChild<QLineEdit*>(QStringLiteral("txtShortName"))->setText(QStringLiteral("Mine"));
    view->findChild<QPushButton*>(QStringLiteral("cmdNewStandard"))->click();
    ASSERT_TRUE(limits->Standards());
    ASSERT_EQ(limits->Standards()->Count(), 1);
    EXPECT_EQ(view->CurrentStandard(), limits->Standards()->Item(0));
    ASSERT_EQ(view->CurrentStandard()->LimitItems().size(), 1u);
    EXPECT_EQ(view->CurrentStandard()->LimitItems()[0]->Key(), QStringLiteral("CVOL"));

    view->SetLocked(true);
    EXPECT_FALSE(view->LimitBox(0, 0)->isEnabled());
}
