// The soak: many short leak runs through the driver against one simulator that breaks, loses,
// delays or doubles a random reply about every 20. Counted: runs that completed, runs that
// failed cleanly (one message, the instrument's test stopped), hangs and wrong values; the
// last two must stay 0. The driver's reply window is shrunk through its timing seam so that a
// lost reply costs 100 ms, not 1.5 s; the floor is the same number of runs on a clean line.
#include "BenchSupport.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

using namespace linkbench;
namespace wire = nb4410::protocol;

constexpr int kWindowMs = 100;
constexpr int kLateMs = 150;
constexpr qint64 kHangMs = 10 * kWindowMs * wire::kTries; // far beyond any recovery

struct RunResult {
    bool completed = false;
    int messages = 0;
    QStringList last;
};

RunResult leakRun()
{
    QuietMessages quiet;
    RunResult result;
    auto driver = std::make_shared<nb4410vti::CNB4410VTI>();
    try {
        driver->StartRemote();
        ostrel::Variant params(ostrel::VariantArray::fromTexts(
            {QStringLiteral("300"), QStringLiteral("100"), QStringLiteral("1"), QStringLiteral("5")}));
        driver->StartTest(params);
        std::int32_t testId = wire::kTestLeak;
        for (int poll = 0; poll < 10000; ++poll) {
            ostrel::Variant reply;
            driver->GetTestResult(testId, reply);
            result.last.clear();
            for (const ostrel::Variant& field : reply.array().items())
                result.last << field.toText();
            if (reply.array()[wire::gres::kEnd].val() > 0)
                break;
        }
        driver->StopTest();
        result.completed = true;
    } catch (const ostrel::ComError&) {
        driver->StopTest();
    }
    driver->EndRemote();
    result.messages = quiet.shown;
    return result;
}

void BM_LeakSoak(benchmark::State& state)
{
    const int runs = static_cast<int>(state.range(0));
    nb4410vti::CNB4410VTI::SetReplyWindowMs(kWindowMs);
    QTemporaryDir dir;
    const auto simulate = [&](nb4410sim::Simulator& simulator, int faultEvery) {
        UsePort(simulator.Start({{QStringLiteral("Pacing"), QStringLiteral("0")},
                                 {QStringLiteral("TimeScale"), QStringLiteral("2000")},
                                 {QStringLiteral("DelayMs"), QString::number(kLateMs)},
                                 {QStringLiteral("RandomFaults"), QString::number(faultEvery)},
                                 {QStringLiteral("StateFile"), dir.filePath(QStringLiteral("op.ini"))}}));
    };
    for (auto _ : state) {
        // The floor, and the values every completed run must end with.
        nb4410sim::Simulator clean;
        simulate(clean, 0);
        QElapsedTimer floorClock;
        floorClock.start();
        RunResult expected;
        for (int i = 0; i < runs; ++i)
            expected = leakRun();
        const double floorS = static_cast<double>(floorClock.elapsed()) / 1000.0;
        clean.Stop();

        nb4410sim::Simulator faulty;
        simulate(faulty, 20);
        int completed = 0, failedCleanly = 0, hangs = 0, wrongValues = 0, untidy = 0;
        qint64 longestMs = 0;
        QElapsedTimer soakClock;
        soakClock.start();
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer clock;
            clock.start();
            const RunResult result = leakRun();
            longestMs = std::max(longestMs, clock.elapsed());
            hangs += clock.elapsed() > kHangMs ? 1 : 0;
            if (result.completed) {
                ++completed;
                wrongValues += result.last != expected.last ? 1 : 0;
                untidy += result.messages != 0 ? 1 : 0;
            } else if (result.messages == 1 && !faulty.TestRunning()) {
                ++failedCleanly;
            } else {
                ++untidy;
            }
        }
        const double soakS = static_cast<double>(soakClock.elapsed()) / 1000.0;
        state.counters["exchanges"] = faulty.Exchanges();
        faulty.Stop();
        state.counters["runs"] = runs;
        state.counters["completed"] = completed;
        state.counters["failed_cleanly"] = failedCleanly;
        state.counters["hangs"] = hangs;
        state.counters["wrong_values"] = wrongValues;
        state.counters["untidy"] = untidy;
        state.counters["longest_run_ms"] = static_cast<double>(longestMs);
        state.counters["time_over_clean"] = soakS / floorS;
    }
    ostrel::DataLinkRoot::instance()->PortRegistry()->ResetPorts();
    nb4410vti::CNB4410VTI::SetReplyWindowMs(0);
}
BENCHMARK(BM_LeakSoak)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace
