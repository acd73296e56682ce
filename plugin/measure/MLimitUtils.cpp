#include "plugin/measure/MLimitUtils.h"

#include "host/contract/IReport.h"
#include "host/contract/IStandards.h"
#include "host/core/ClassRegistry.h"
#include "host/core/LanguageService.h"
#include "host/results/ILimitView.h"
#include "host/results/Standards.h"
#include "plugin/measure/MMeasureKey.h"

namespace nb4410::MLimitUtils {

namespace {

bool isBloodPressureTest(std::int32_t testId)
{
    return testId == 110 || testId == 120 || testId == 130 || testId == 140;
}

} // namespace

std::vector<LimitRow> RowsOfTest(std::int32_t testId)
{
    std::vector<LimitRow> rows;
    for (const QString& key : MMeasureKey::KeysOfTest(testId)) {
        const QString choices = MMeasureKey::UnitChoices(key);
        // The blood-pressure editor rows offer the choices in both unit arguments.
        const QString argument = isBloodPressureTest(testId) ? choices : MMeasureKey::Unit(key);
        rows.push_back({key, MMeasureKey::Unit(key), argument, choices});
    }
    return rows;
}

void AddLimit(const std::shared_ptr<ostrel::IStandard>& standard, const QString& key, const QString& unit)
{
    auto item = ostrel::ClassRegistry::instance().CreateAs<ostrel::ILimitItem>(ostrel::kLimitItemProgId);
    item->Initialize(key, unit, QString(), QString());
    standard->AddLimitItem(item);
}

void AddDefaultLimits(const std::shared_ptr<ostrel::IStandard>& standard, std::int32_t testId)
{
    for (const LimitRow& row : RowsOfTest(testId))
        AddLimit(standard, row.key, row.unit);
}

void FillLimitView(ostrel::ILimitView* view, std::int32_t testId)
{
    if (!view)
        return;
    for (const LimitRow& row : RowsOfTest(testId))
        view->AddRow(row.key, ostrel::tr4410(MMeasureKey::Description(row.key)), row.unitArgument, row.unitChoices);
}

ostrel::Variant ReportKeyTable(const ostrel::ReportPtr& report, std::int32_t testId)
{
    // The over-pressure test prints its limits without a key table.
    if (testId == 400)
        return ostrel::Variant();
    const std::vector<QString> keys = MMeasureKey::KeysOfTest(testId);
    if (keys.empty())
        return ostrel::Variant();
    ostrel::VariantArray table(static_cast<int>(keys.size()), 3);
    for (int row = 0; row < static_cast<int>(keys.size()); ++row) {
        const QString& key = keys[static_cast<size_t>(row)];
        const QString description = MMeasureKey::Description(key);
        table.at(row, 0) = key;
        table.at(row, 1) = report ? report->Translate(QStringLiteral("NB-4410"), description) : ostrel::tr4410(description);
        table.at(row, 2) = MMeasureKey::Format(key);
    }
    return table;
}

} // namespace nb4410::MLimitUtils
