#pragma once
// The expected result of one test element: its standards (host objects holding limit items per
// measurement key), the limit editor for them, and which selected standards a measurement fails.
#include "host/contract/ILimitData.h"

#include <memory>

namespace nb4410 {

class CNB4410LimitData : public ostrel::ILimitData {
public:
    static constexpr char kSource[] = "VessorNB4410.CNB4410LimitData";
    static constexpr ostrel::HResult kLoadError = ostrel::hr(0x8004A4EEu);
    static constexpr char kLimitViewProgId[] = "OstrelView.XLimitView";

    CNB4410LimitData() = default;
    ~CNB4410LimitData() override;

    // ILimitData
    QString Description() override;
    void SetDescription(const QString& description) override;
    bool HasDialog() override;
    std::shared_ptr<ostrel::IStandards> Standards() override;
    std::shared_ptr<ostrel::ITestElement> Owner() override;
    std::shared_ptr<ostrel::ILimitData> Clone() override;
    std::shared_ptr<ostrel::IDialog> CreateDialog() override;
    std::shared_ptr<ostrel::IStandard> CreateStandard(const ostrel::Variant& shortName,
                                                      const ostrel::Variant& fullName) override;
    void Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress) override;
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document) override;
    void PrintReport(ostrel::ReportPtr report, std::shared_ptr<ostrel::IRunContext> context) override;
    void UpdateLimits(ostrel::ObjectPtr object) override;
    std::shared_ptr<ostrel::IStandards> FindFailedStandards(std::shared_ptr<ostrel::IMeasurement> measurement,
                                                            std::shared_ptr<ostrel::IStandards> selected) override;

    // The owner is held weakly: the owner's element core holds this object.
    void SetOwner(const std::shared_ptr<ostrel::ITestElement>& owner);
    // Drops this one's standards and takes a clone of the other's (when it has any).
    void CopyStandardsFrom(const std::shared_ptr<ostrel::ILimitData>& other);

private:
    std::int32_t ownerTestId();

    std::shared_ptr<ostrel::IStandards> m_standards;
    std::weak_ptr<ostrel::ITestElement> m_owner;
};

} // namespace nb4410
