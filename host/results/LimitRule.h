#pragma once
// The one rule by which a limit is judged and shown: limits and values are decimal numbers
// held in double precision and rounded to kDecimals places, so that the limit printed is the
// limit applied ("126 mmHg" for 120 mmHg + 5 %) and a value equal to it passes. A percent
// limit is taken of the preset value. Which standards apply is decided here too: those of the
// selection that the element holds and that set a limit for the key.
#include "host/contract/Forward.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace ostrel {

class LimitRule {
public:
    static constexpr int kDecimals = 6;

    // Rounded to kDecimals places.
    static double Canonical(double number);
    // A single-precision value is read as the decimal its shortest text says (0.1f is 0.1).
    static double ValueOf(const Variant& value);
    // True when the item's limits are percent of the preset value.
    static bool IsRelative(const std::shared_ptr<ILimitItem>& item);
    // A stored limit in the measurement's unit: percent limits are taken of the preset.
    static double Absolute(double limit, bool relative, double presetValue);
    // The item's limit in the measurement's unit; nullopt when that limit is not set.
    static std::optional<double> Absolute(const std::shared_ptr<ILimitItem>& item, int index, double presetValue);
    // The limit as it is shown: the stored number at its own precision.
    static QString Text(double limit);
    // Whether the item sets either limit.
    static bool Sets(const std::shared_ptr<ILimitItem>& item);
    // The element's standards (own) named in the selection, in the selection's order, that set
    // a limit for key. Empty when nothing judges the key.
    static std::vector<std::shared_ptr<IStandard>> Applied(const std::shared_ptr<IStandards>& own,
                                                           const std::shared_ptr<IStandards>& selected, const QString& key);
};

} // namespace ostrel
