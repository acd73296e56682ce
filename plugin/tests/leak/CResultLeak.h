#pragma once
// The result of one leak test: the pressure drop, the leak rate over the last minute (derived
// here from the drops, sampled every 5 s into a 13-entry ring), the overall status, the
// operator's comment, the instrument number and the service record.
#include "host/contract/IResultData.h"
#include "plugin/measure/CMeasurement.h"
#include "plugin/tests/common/INB4410TestResult.h"

#include <array>
#include <vector>

namespace nb4410 {

class CResultLeak : public ostrel::IResultData, public INB4410TestResult {
public:
    static constexpr char kSource[] = "VessorNB4410.CResultLeak";
    static constexpr ostrel::HResult kLoadError = ostrel::hr(0x8004A3EBu);
    static constexpr ostrel::HResult kSaveError = ostrel::hr(0x8004A3ECu);
    static constexpr int kSamples = 13;
    static constexpr std::int32_t kSampleIntervalS = 5;
    // Reply fields: 4 the pressure drop in mmHg.
    static constexpr int kDropField = 4;

    CResultLeak();

    // IResultData
    QString Comment() override { return m_comment; }
    void SetComment(const QString& comment) override { m_comment = comment; }
    bool HasDialog() override { return !m_comment.isEmpty(); }
    std::int32_t Status() override { return m_status; }
    std::shared_ptr<ostrel::IMeasurement> Measurement(const ostrel::Variant& index) override;
    std::int32_t MeasurementCount() override { return static_cast<std::int32_t>(m_measurements.size()); }
    std::shared_ptr<ostrel::IServiceRecord> ServiceRecord() override { return m_serviceRecord; }
    std::int32_t MTIID() override { return m_mtiId; }
    std::shared_ptr<ostrel::IDialog> CreateDialog() override;
    void Load(const ostrel::StorageElement& element, ostrel::ProgressPtr progress) override;
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr& document) override;
    void PrintReport(ostrel::ReportPtr report, const ostrel::Variant& extra = {}) override;

    // INB4410TestResult
    void Clear() override;
    void EvaluateStatus(const std::shared_ptr<ostrel::ILimitData>& limits,
                        const std::shared_ptr<ostrel::IStandards>& selected, bool notApplicable) override;
    void BuildServiceRecord(const std::shared_ptr<ostrel::IFilter>& filter) override;
    void SetMTIID(std::int32_t number) override { m_mtiId = number; }

    // One reply of the running test with its elapsed seconds (called only for elapsed > 0).
    void TakeReply(const ostrel::VariantArray& reply, std::int32_t elapsedS);

    MeasurementPtr Find(const QString& key) const; // nullptr when the result has no such key
    QString StatusText() const { return m_statusText; }

private:
    void reset();
    void loadChildren(const ostrel::StorageElement& element, const ostrel::ProgressPtr& progress);

    std::vector<MeasurementPtr> m_measurements;
    std::int32_t m_status = 0;
    QString m_statusText;
    QString m_comment;
    std::shared_ptr<ostrel::IServiceRecord> m_serviceRecord;
    std::int32_t m_mtiId = 0;
    std::array<float, kSamples> m_dropSamples{};
    std::int16_t m_sampleIndex = 0;
    std::int32_t m_nextSampleTimeS = 0;
};

} // namespace nb4410
