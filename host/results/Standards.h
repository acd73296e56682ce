#pragma once
// The standards collection of a test element (and of a run's selection, and of a library).
#include "host/contract/IStandards.h"

#include <vector>

namespace ostrel {

class Standards : public IStandards {
public:
    static constexpr char kSource[] = "OstrelLimits.Standards";

    std::int32_t Count() override { return static_cast<std::int32_t>(m_items.size()); }
    std::shared_ptr<IStandard> Item(std::int32_t index) override; // fails with 9 out of range
    std::shared_ptr<IStandard> Find(const QString& shortName, const QString& fullName) override;
    std::shared_ptr<IStandards> Clone() override; // deep copy
    void Add(std::shared_ptr<IStandard> standard) override;
    void RemoveAll() override { m_items.clear(); }
    // Takes every "Standard" child of the element (whatever the element's own name); a child
    // that cannot be read is reported into the progress step and skipped.
    void Load(const StorageElement& element, ProgressPtr progress) override;
    // An element "Standards" holding one "Standard" per standard.
    StorageElement Save(const StorageDocumentPtr& document) override;
    // One table per standard: the selected ones as found here (all when no selection is given).
    void PrintReport(ReportPtr report, std::shared_ptr<IStandards> selected, const Variant& keyTable) override;
    void UpdateReferences(std::shared_ptr<ITestElement> element) override;

    const std::vector<std::shared_ptr<IStandard>>& items() const { return m_items; }
    // Adds the standard, or replaces the one held under the same names.
    void AddOrReplace(std::shared_ptr<IStandard> standard);

private:
    std::vector<std::shared_ptr<IStandard>> m_items;
};

// The stored vocabulary of the limit objects.
namespace LimitTags {
inline constexpr char kStandards[] = "Standards";
inline constexpr char kStandard[] = "Standard";
inline constexpr char kShortName[] = "ShortName";
inline constexpr char kFullName[] = "FullName";
inline constexpr char kKind[] = "Kind";
inline constexpr char kLimit[] = "Limit";
inline constexpr char kKey[] = "Key";
inline constexpr char kUnit[] = "Unit";
inline constexpr char kUnitFlag[] = "UnitFlag";
inline constexpr char kUpper[] = "Upper";
inline constexpr char kLower[] = "Lower";
} // namespace LimitTags

// Program identifiers of the limit objects.
inline constexpr char kStandardsProgId[] = "OstrelLimits.Standards";
inline constexpr char kStandardProgId[] = "OstrelLimits.Standard";
inline constexpr char kLimitItemProgId[] = "OstrelLimits.LimitItem";

} // namespace ostrel
