#pragma once
// One limit item of a standard: the upper (index 0) and lower (index 1) limit for a key.
#include "host/contract/IStandards.h"

#include <array>

namespace ostrel {

class LimitItem : public ILimitItem {
public:
    static constexpr int kUpper = 0;
    static constexpr int kLower = 1;

    // upper and lower are limit texts; an empty text leaves that limit unset.
    void Initialize(const QString& key, const QString& unit, const QString& upper, const QString& lower) override;
    QString Key() override { return m_key; }
    QString Unit() override { return m_unit; }
    void SetUnit(const QString& unit) override { m_unit = unit; }
    std::int32_t UnitFlag() override { return m_unitFlag; }
    void SetUnitFlag(std::int32_t flag) override { m_unitFlag = flag; }
    bool IsLimitSet(int index) override;
    double Limit(int index) override; // 0 when unset
    void SetLimit(int index, double value) override;
    void ClearLimit(int index) override;

    void SetKey(const QString& key) { m_key = key; }
    std::shared_ptr<LimitItem> Clone() const;

private:
    static void checkIndex(int index);

    QString m_key;
    QString m_unit;
    std::int32_t m_unitFlag = 0;
    std::array<bool, 2> m_set{false, false};
    std::array<double, 2> m_limit{0.0, 0.0};
};

} // namespace ostrel
