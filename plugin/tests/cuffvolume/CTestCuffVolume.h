#pragma once
// The cuff-volume test: the instrument measures the volume of the attached cuff and reports it
// once, at the end of its test; the element stores it and judges it against its limits.
#include "vti/NB4410Protocol.h"
#include "plugin/tests/common/CInstrumentTestOf.h"
#include "plugin/tests/cuffvolume/CConfigCuffVolume.h"
#include "plugin/tests/cuffvolume/CResultCuffVolume.h"

namespace nb4410 {

class CTestCuffVolume : public CInstrumentTestOf<CTestCuffVolume, CConfigCuffVolume, CResultCuffVolume> {
public:
    static constexpr std::int32_t kTestId = nb4410::protocol::kTestCuffVolume;
    static constexpr char kSource[] = "VessorNB4410.CTestCuffVolume";
    // Reply fields: 1 end indicator, 2 cuff volume in ccm (meaningful at the end only).
    static constexpr int kEndField = nb4410::protocol::gres::kEnd;
    static constexpr int kVolumeField = nb4410::protocol::cuffvolume::kVolume;

    CTestCuffVolume();

    ostrel::Variant GetMeasurementList() override;

protected:
    QStringList InstructionTexts() override;
    // The test has no settings: its parameter set is the test type alone, with or without a
    // configuration.
    ostrel::VariantArray ParameterSet() override;
    bool ParameterSetNeedsConfiguration() const override { return false; }
    bool TakeReply(const ostrel::VariantArray& reply) override;
    bool PerformSkipsFailures() const override { return true; }
};

} // namespace nb4410
