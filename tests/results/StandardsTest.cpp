// Judging, storing and copying standards.
#include "host/core/ClassRegistry.h"
#include "host/results/LimitItem.h"
#include "host/results/Progress.h"
#include "host/results/Report.h"
#include "host/results/Standard.h"
#include "host/results/Standards.h"
#include "host/storage/StorageElement.h"

#include <gtest/gtest.h>
#include <optional>

using namespace ostrel;

namespace {

struct Limit {
    QString key;
    QString unit;
    std::optional<float> upper;
    std::optional<float> lower;
    std::int32_t unitFlag = 0;
};

std::shared_ptr<Standard> makeStandard(const QString& shortName, const std::vector<Limit>& limits)
{
    auto standard = std::make_shared<Standard>();
    standard->Initialize(shortName, shortName + QStringLiteral(" full"), 1);
    for (const Limit& limit : limits) {
        auto item = std::make_shared<LimitItem>();
        item->Initialize(limit.key, limit.unit, QString(), QString());
        item->SetUnitFlag(limit.unitFlag);
        if (limit.upper)
            item->SetLimit(0, *limit.upper);
        if (limit.lower)
            item->SetLimit(1, *limit.lower);
        standard->AddLimitItem(item);
    }
    return standard;
}

} // namespace

TEST(Standard, JudgesAValueByTheTightestLimitsOfItsKey)
{
    struct Case {
        const char* name;
        std::vector<Limit> limits;
        float value;
        float preset;
        std::int32_t expected;
    };
    const std::vector<Case> cases = {
        {"no item for the key", {{"DIAS", "mmHg", 1.0f, 0.0f}}, 500, 0, 1},
        {"item without limits", {{"SYST", "mmHg", {}, {}}}, 500, 0, 1},
        {"on the upper limit", {{"SYST", "mmHg", 140.0f, {}}}, 140, 0, 1},
        {"above the upper limit", {{"SYST", "mmHg", 140.0f, {}}}, 140.5f, 0, 2},
        {"below the lower limit", {{"SYST", "mmHg", {}, 90.0f}}, 89, 0, 2},
        {"smallest upper of two items wins", {{"SYST", "mmHg", 150.0f, {}}, {"SYST", "mmHg", 140.0f, {}}}, 145, 0, 2},
        {"largest lower of two items wins", {{"SYST", "mmHg", {}, 80.0f}, {"SYST", "mmHg", {}, 90.0f}}, 85, 0, 2},
        {"percent upper is relative to the preset", {{"SYST", "%", 10.0f, -10.0f}}, 131, 120, 1},
        {"percent upper exceeded", {{"SYST", "%", 10.0f, -10.0f}}, 133, 120, 2},
        {"percent lower undershot", {{"SYST", "%", 10.0f, -10.0f}}, 107, 120, 2},
        {"percent with a unit flag is absolute", {{"SYST", "%", 10.0f, {}, 1}}, 50, 120, 2},
        {"absolute and percent together", {{"SYST", "mmHg", 125.0f, {}}, {"SYST", "%", 10.0f, {}}}, 128, 120, 2},
    };
    for (const Case& c : cases) {
        auto standard = makeStandard(QStringLiteral("A"), c.limits);
        EXPECT_EQ(standard->Evaluate(QStringLiteral("SYST"), c.value, c.preset), c.expected) << c.name;
    }
}

TEST(Standard, StoresAndLoadsItsItemsWithUnsetLimitsKeptUnset)
{
    auto standard = makeStandard(QStringLiteral("EX"), {{"SYST", "%", 5.5f, {}}, {"RATE", "mmHg/min", {}, -0.25f, 1}});
    auto document = StorageDocument::Create();
    const StorageElement element = standard->Save(document);
    const auto loaded = Standard::Load(element);

    EXPECT_EQ(loaded->ShortName(), QStringLiteral("EX"));
    EXPECT_EQ(loaded->FullName(), QStringLiteral("EX full"));
    const auto items = loaded->LimitItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->Key(), QStringLiteral("SYST"));
    EXPECT_EQ(items[0]->Unit(), QStringLiteral("%"));
    EXPECT_TRUE(items[0]->IsLimitSet(0));
    EXPECT_EQ(items[0]->Limit(0), 5.5f);
    EXPECT_FALSE(items[0]->IsLimitSet(1));
    EXPECT_FALSE(items[1]->IsLimitSet(0));
    EXPECT_EQ(items[1]->Limit(1), -0.25f);
    EXPECT_EQ(items[1]->UnitFlag(), 1);
}

TEST(Standard, RefusesAForeignElement)
{
    auto document = StorageDocument::Create();
    EXPECT_THROW(Standard::Load(document->CreateElement(QStringLiteral("Limit"))), ComError);
    EXPECT_THROW(Standard::Load(StorageElement()), ComError);
}

TEST(Standards, CloneIsDeep)
{
    Standards standards;
    standards.Add(makeStandard(QStringLiteral("A"), {{"SYST", "mmHg", 140.0f, {}}}));
    auto copy = standards.Clone();
    copy->Item(0)->LimitItems()[0]->SetLimit(0, 200.0f);
    copy->Add(makeStandard(QStringLiteral("B"), {}));

    EXPECT_EQ(standards.Count(), 1);
    EXPECT_EQ(standards.Item(0)->LimitItems()[0]->Limit(0), 140.0f);
    EXPECT_EQ(copy->Item(0)->ShortName(), QStringLiteral("A"));
}

TEST(Standards, FindNeedsBothNames)
{
    Standards standards;
    standards.Add(makeStandard(QStringLiteral("A"), {}));
    EXPECT_TRUE(standards.Find(QStringLiteral("A"), QStringLiteral("A full")));
    EXPECT_FALSE(standards.Find(QStringLiteral("A"), QStringLiteral("other")));
    EXPECT_THROW(standards.Item(1), ComError);
    EXPECT_THROW(standards.Add(nullptr), ComError);
}

TEST(Standards, LoadTakesStandardsUnderAnyElementNameAndIgnoresOtherChildren)
{
    Standards standards;
    standards.Add(makeStandard(QStringLiteral("A"), {{"DROP", "mmHg", 20.0f, {}}}));
    auto document = StorageDocument::Create();
    StorageElement saved = standards.Save(document);
    saved.Rename(QStringLiteral("ExpectedResult"));
    saved.AddChild(QStringLiteral("Unknown"), QStringLiteral("x"));

    auto progress = std::make_shared<Progress>();
    Standards loaded;
    loaded.Load(saved, progress);
    ASSERT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.Item(0)->Evaluate(QStringLiteral("DROP"), 21, 0), 2);
    EXPECT_TRUE(progress->Log().empty());
}

TEST(Standards, PrintsTheSelectedStandardsAsFoundWithTheKeyTable)
{
    Standards standards;
    standards.Add(makeStandard(QStringLiteral("A"), {{"SYST", "mmHg", 140.0f, 90.0f}, {"HART", "%", 5.0f, {}}}));
    standards.Add(makeStandard(QStringLiteral("B"), {{"SYST", "mmHg", 150.0f, {}}}));
    auto selected = std::make_shared<Standards>();
    selected->Add(makeStandard(QStringLiteral("B"), {}));
    selected->Add(makeStandard(QStringLiteral("unknown"), {}));

    VariantArray keyTable(1, 3);
    keyTable.at(0, 0) = QStringLiteral("SYST");
    keyTable.at(0, 1) = QStringLiteral("Systolic");
    keyTable.at(0, 2) = QStringLiteral("0");
    auto report = std::make_shared<Report>();
    standards.PrintReport(report, selected, keyTable);
    ASSERT_EQ(report->Tables().size(), 1u);
    EXPECT_TRUE(report->DocumentText().contains(QStringLiteral("B - B full")));
    EXPECT_TRUE(report->DocumentText().contains(QStringLiteral("\tSYST\tSystolic\t150\t\tmmHg")));

    // Without a key table every item is listed, so nothing stored is hidden from the report.
    auto all = std::make_shared<Report>();
    standards.PrintReport(all, nullptr, Variant());
    EXPECT_EQ(all->Tables().size(), 2u);
    EXPECT_TRUE(all->DocumentText().contains(QStringLiteral("\tHART\tHART\t5\t\t%")));
}

TEST(LimitObjects, AreCreatedByProgramIdentifier)
{
    EXPECT_TRUE(ClassRegistry::instance().CreateAs<IStandards>(kStandardsProgId));
    EXPECT_TRUE(ClassRegistry::instance().CreateAs<IStandard>(kStandardProgId));
    auto item = ClassRegistry::instance().CreateAs<ILimitItem>(kLimitItemProgId);
    item->Initialize(QStringLiteral("CVOL"), QStringLiteral("ccm"), QStringLiteral("500"), QString());
    EXPECT_TRUE(item->IsLimitSet(0));
    EXPECT_FALSE(item->IsLimitSet(1));
    EXPECT_THROW(item->IsLimitSet(2), ComError);
}
