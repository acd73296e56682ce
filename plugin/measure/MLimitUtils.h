#pragma once
// The per-test tables of the limit data: which limit items a new standard gets, which rows the
// limit editor shows, and which keys the printed limits list.
#include "host/contract/Forward.h"
#include "host/core/Variant.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace ostrel {
class ILimitView;
}

namespace nb4410::MLimitUtils {

struct LimitRow {
    QString key;
    QString unit;        // the unit of a new limit item
    QString unitArgument; // the limit editor's unit argument
    QString unitChoices;
};

// The rows of a test ID, in table order; empty for an unknown ID.
std::vector<LimitRow> RowsOfTest(std::int32_t testId);

void AddDefaultLimits(const std::shared_ptr<ostrel::IStandard>& standard, std::int32_t testId);
void AddLimit(const std::shared_ptr<ostrel::IStandard>& standard, const QString& key, const QString& unit);
void FillLimitView(ostrel::ILimitView* view, std::int32_t testId);
// Two dimensions (key, translated description, format), one row per key; Empty for a test ID
// without a table (400 and unknown IDs).
ostrel::Variant ReportKeyTable(const ostrel::ReportPtr& report, std::int32_t testId);

} // namespace nb4410::MLimitUtils
