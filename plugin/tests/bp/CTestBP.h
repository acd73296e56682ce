#pragma once
// The blood-pressure simulation test: the instrument simulates a patient (a stored preset, an
// artifact simulation, or pressures entered freely) while the monitor under test measures;
// the operator then types the monitor's readings into the result view, where they are judged
// against the simulated values and the limits.
#include "vti/NB4410Protocol.h"
#include "plugin/tests/common/CInstrumentTest.h"

namespace nb4410 {

class CResultBP;
class INB4410ConfigBP;

class CTestBP : public CInstrumentTest {
public:
    static constexpr char kSource[] = "VessorNB4410.CTestBP";
    static constexpr std::int32_t kIndependentTestId = 110;
    static constexpr std::int32_t kPresetTestId = 120;
    static constexpr std::int32_t kArtifactTestId = 130;
    // "BP Simulation, Readings Only": no configuration and no simulation; play opens the result
    // entry for the monitor's readings.
    static constexpr std::int32_t kReadingsOnlyTestId = 140;
    // The instrument's test number of every BP simulation, whatever the catalogue ID.
    static constexpr std::int32_t kInstrumentTestType = nb4410::protocol::kTestBloodPressure;
    // Reply fields: 1 end indicator, 2 manometer pressure, 4 elapsed seconds.
    static constexpr int kEndField = nb4410::protocol::gres::kEnd;
    static constexpr int kPressureField = nb4410::protocol::bp::kPressure;
    static constexpr int kElapsedField = nb4410::protocol::bp::kSeconds;
    // Below this manometer pressure a reply without elapsed time is no sign of a running cycle.
    static constexpr std::int32_t kIdlePressureMmHg = 10;
    static constexpr char kIncompleteFlag[] = "I";
    static constexpr char kFailedQuestion[] =
        "20754::The test failed. Do you want store this failed test result and continue with the next test?";

    CTestBP();

    ostrel::Variant GetMeasurementList() override;

    // Whether a start handler of any BP element is running the instrument.
    static bool RunInProgress() { return s_running; }

    // The configuration as the BP interface; nullptr when the test ID has none.
    INB4410ConfigBP* ConfigBP() const;
    std::shared_ptr<CResultBP> ResultBP() const;
    // Gives the core a result when it has none (or always, when forced) and has it take the
    // simulated values of the configuration.
    void EnsureResultBP(bool force);

protected:
    std::shared_ptr<CInstrumentTest> NewElement() const override;
    std::shared_ptr<ostrel::IConfigData> NewConfiguration() const override;
    QStringList InstructionTexts() override;
    ostrel::Variant ConfigurationInformation() override;
    ostrel::VariantArray ParameterSet() override;
    bool TakeReply(const ostrel::VariantArray& reply) override;
    void EnsureResult() override { EnsureResultBP(false); }
    ostrel::Variant FirstSteps() const override;

    void OnStartTest() override;
    void OnNextTest() override;
    void Finish() override;

private:
    // Runs the instrument until the simulation ends (true) or the operator stops it (false).
    bool runSimulation();
    // The readings are typed in next: each marked "I" until it is.
    void beginResultEntry();
    void simulationFailed();
    void setRunning(bool running, std::initializer_list<std::int32_t> steps);

    static inline bool s_running = false;
};

} // namespace nb4410
