#include "host/results/LimitRule.h"

#include "host/contract/IStandards.h"
#include "host/core/Steps.h"
#include "host/core/Variant.h"
#include "host/core/BasicNumber.h"

#include <cmath>

namespace ostrel {

double LimitRule::Canonical(double number)
{
    if (!std::isfinite(number))
        return number;
    const double scale = std::pow(10.0, kDecimals);
    const double scaled = number * scale;
    // Beyond this the number has no digits below kDecimals places to drop.
    if (std::fabs(scaled) >= 9.0e15)
        return number;
    return std::round(scaled) / scale;
}

double LimitRule::ValueOf(const Variant& value)
{
    if (value.type() == VarType::Single)
        return Canonical(numberToText(value.toSingle()).toDouble());
    if (value.isString())
        return Canonical(value.val());
    return Canonical(value.toDouble());
}

bool LimitRule::IsRelative(const std::shared_ptr<ILimitItem>& item)
{
    // A unit flag other than 0 means the measurement's own unit applies, whatever the text says.
    return item->UnitFlag() == 0 && item->Unit() == QLatin1String("%");
}

double LimitRule::Absolute(double limit, bool relative, double presetValue)
{
    const double stored = Canonical(limit);
    return Canonical(relative ? presetValue * (1.0 + stored / 100.0) : stored);
}

std::optional<double> LimitRule::Absolute(const std::shared_ptr<ILimitItem>& item, int index, double presetValue)
{
    if (!item->IsLimitSet(index))
        return std::nullopt;
    return Absolute(item->Limit(index), IsRelative(item), presetValue);
}

QString LimitRule::Text(double limit)
{
    return numberToText(Canonical(limit));
}

bool LimitRule::Sets(const std::shared_ptr<ILimitItem>& item)
{
    return item && (item->IsLimitSet(0) || item->IsLimitSet(1));
}

std::vector<std::shared_ptr<IStandard>> LimitRule::Applied(const std::shared_ptr<IStandards>& own,
                                                           const std::shared_ptr<IStandards>& selected, const QString& key)
{
    std::vector<std::shared_ptr<IStandard>> applied;
    if (!own || !selected)
        return applied;
    std::int32_t count = 0;
    runStep("count the selected standards", [&] { count = selected->Count(); });
    for (std::int32_t index = 0; index < count; ++index) {
        runStep("find a selected standard", [&] {
            const auto wanted = selected->Item(index);
            const auto standard = wanted ? own->Find(wanted->ShortName(), wanted->FullName()) : nullptr;
            if (!standard)
                return;
            for (const auto& item : standard->LimitItems())
                if (item && item->Key() == key && Sets(item)) {
                    applied.push_back(standard);
                    return;
                }
        });
    }
    return applied;
}

} // namespace ostrel
