#pragma once
// Helpers of the blood-pressure tests: a report that records its tables, and limit data with
// one standard whose items the test sets.
#include "host/contract/IReport.h"
#include "host/core/LanguageService.h"
#include "host/results/Standards.h"
#include "plugin/measure/CNB4410LimitData.h"
#include "plugin/tests/bp/CTestBP.h"

#include <QStringList>

namespace nb4410::testing {

class RecordingReport : public ostrel::IReport {
public:
    void SetFontSize(std::int32_t points) override { settings << QStringLiteral("font %1").arg(points); }
    std::int32_t FontSize() override { return 10; }
    std::int32_t Width(std::int32_t /*fontSize*/) override { return 9760; }
    void SetSpaceBefore(std::int32_t value) override { settings << QStringLiteral("space %1").arg(value); }
    void SetRuled(std::int32_t value) override { settings << QStringLiteral("ruled %1").arg(value); }
    void AddTable(const QString& format, const QString& heading, const QString& rows, const ostrel::Variant&,
                  const ostrel::Variant&, const ostrel::Variant&) override
    {
        formats << format;
        headings << heading;
        tables << rows;
    }
    std::int32_t PrintOptions() override { return options; }
    QString Translate(const QString& module, const QString& text) override
    {
        return ostrel::LanguageService::instance().Translate(module, text);
    }

    std::int32_t options = 0;
    QStringList settings;
    QStringList formats;
    QStringList headings;
    QStringList tables;
};

// An element of the test ID with one standard "STD"/"Standard" (its limit items as the limit
// data makes them), and the selection holding it.
struct JudgedElement {
    explicit JudgedElement(std::int32_t testId)
    {
        element = std::make_shared<CTestBP>();
        element->Initialize(QStringLiteral("NB-4410"), testId, testId);
        standard = element->Limits()->CreateStandard(ostrel::Variant("STD"), ostrel::Variant("Standard"));
        selected = std::make_shared<ostrel::Standards>();
        selected->Add(standard);
    }
    // Sets the limits of the key's item; unit "%" makes them relative to the preset.
    void limit(const QString& key, std::optional<float> upper, std::optional<float> lower, const QString& unit = {})
    {
        for (const auto& item : standard->LimitItems()) {
            if (item->Key() != key)
                continue;
            if (!unit.isEmpty()) {
                item->SetUnit(unit);
                item->SetUnitFlag(0);
            }
            if (upper)
                item->SetLimit(0, *upper);
            if (lower)
                item->SetLimit(1, *lower);
        }
    }

    std::shared_ptr<CTestBP> element;
    std::shared_ptr<ostrel::IStandard> standard;
    std::shared_ptr<ostrel::Standards> selected;
};

} // namespace nb4410::testing
