#pragma once
// A standard: a named set of limit items that judges a measured value (see Evaluate). It
// stores, loads, clones and prints itself.
#include "host/contract/IStandards.h"

#include <QStringList>
#include <vector>

namespace ostrel {

class LimitItem;

class Standard : public IStandard {
public:
    static constexpr std::int32_t kPassed = 1;
    static constexpr std::int32_t kFailed = 2;

    void Initialize(const Variant& shortName, const Variant& fullName, std::int32_t kind) override;
    QString ShortName() override { return m_shortName; }
    QString FullName() override { return m_fullName; }
    std::vector<std::shared_ptr<ILimitItem>> LimitItems() override { return m_items; }
    void AddLimitItem(std::shared_ptr<ILimitItem> item) override;
    // Over the items of the key, each set upper and lower limit counts ("%" relative to the
    // preset): fails above the smallest upper or below the largest lower limit; a value equal
    // to a limit passes (LimitRule).
    std::int32_t Evaluate(const QString& key, double value, double presetValue) override;

    std::int32_t Kind() const { return m_kind; }
    void RemoveLimitItem(const std::shared_ptr<ILimitItem>& item);
    bool SameNames(const QString& shortName, const QString& fullName) const;
    std::shared_ptr<Standard> Clone() const;

    // Stored as <Standard ShortName= FullName= Kind=> with one <Limit Key= Unit= UnitFlag=
    // Upper= Lower=> per item; an unset limit has no attribute.
    StorageElement Save(const StorageDocumentPtr& document) const;
    // Fails on a foreign element. A limit that is not a finite number is left unset, and so are
    // both limits of an item whose lower limit is above its upper one; each refusal is told in
    // refused ("the limit SYST Upper=\"nan\" is not a finite number").
    static std::shared_ptr<Standard> Load(const StorageElement& element, QStringList* refused = nullptr);

    // Rows "|key|description|upper|lower|unit;" for the keys of the key table (key,
    // description, format), or for every item when the table is empty.
    QString ReportRows(const Variant& keyTable) const;

private:
    QString m_shortName;
    QString m_fullName;
    std::int32_t m_kind = 1;
    std::vector<std::shared_ptr<ILimitItem>> m_items;
};

} // namespace ostrel
