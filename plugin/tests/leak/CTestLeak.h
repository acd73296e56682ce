#pragma once
// The leak test: the instrument pressurises the cuff and/or the monitor to the start pressure
// and reports how far the pressure falls; the element shows the drop and the leak rate while
// the test runs and judges them against its limits.
#include "vti/NB4410Protocol.h"
#include "plugin/tests/common/CInstrumentTestOf.h"
#include "plugin/tests/leak/CConfigLeak.h"
#include "plugin/tests/leak/CResultLeak.h"

namespace nb4410 {

class CTestLeak : public CInstrumentTestOf<CTestLeak, CConfigLeak, CResultLeak> {
public:
    static constexpr std::int32_t kTestId = nb4410::protocol::kTestLeak;
    static constexpr char kSource[] = "VessorNB4410.CTestLeak";
    // Reply fields: 1 end indicator, 2 manometer pressure, 5 elapsed seconds.
    static constexpr int kEndField = nb4410::protocol::gres::kEnd;
    static constexpr int kPressureField = nb4410::protocol::leak::kPressure;
    static constexpr int kElapsedField = nb4410::protocol::leak::kSeconds;

    CTestLeak();

    ostrel::Variant GetMeasurementList() override;

protected:
    QStringList InstructionTexts() override;
    void PrepareRun() override;
    bool TakeReply(const ostrel::VariantArray& reply) override;
    // A continuous run (duration 0) ends when the operator stops it.
    bool StopCompletesRun() const override { return m_runDurationS == 0; }

private:
    std::int32_t m_runDurationS = 0; // 0: until the instrument ends the test or the operator stops it
};

} // namespace nb4410
