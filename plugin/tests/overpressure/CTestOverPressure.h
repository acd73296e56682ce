#pragma once
// The over-pressure (cut-off) test: the instrument inflates the cuff towards the inflate
// pressure and watches whether the blood pressure unit releases it; the element records the
// peak pressure and the release and judges them against its limits.
#include "vti/NB4410Protocol.h"
#include "plugin/tests/common/CInstrumentTestOf.h"
#include "plugin/tests/overpressure/CConfigOverPressure.h"
#include "plugin/tests/overpressure/CResultOverPressure.h"

namespace nb4410 {

class CTestOverPressure : public CInstrumentTestOf<CTestOverPressure, CConfigOverPressure, CResultOverPressure> {
public:
    static constexpr std::int32_t kTestId = nb4410::protocol::kTestOverPressure;
    static constexpr char kSource[] = "VessorNB4410.CTestOverPressure";
    // Reply fields: 1 end indicator, 2 manometer pressure.
    static constexpr int kEndField = nb4410::protocol::gres::kEnd;
    static constexpr int kPressureField = nb4410::protocol::overpressure::kPressure;

    CTestOverPressure();

    ostrel::Variant GetMeasurementList() override;

protected:
    QStringList InstructionTexts() override;
    bool TakeReply(const ostrel::VariantArray& reply) override;
    bool PerformSkipsFailures() const override { return true; }
};

} // namespace nb4410
